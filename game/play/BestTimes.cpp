#include "game/play/BestTimes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>
#include <utility>

#include "game/play/SaveFileSystem.h"

// The file, one record a line, keys in ascending order, and a check line
// hashing everything above it, so a cut or altered file is never taken for
// ours:
//   quiltrush best times 1
//   0123456789abcdef 12345
//   check fedcba9876543210

namespace quiltRush {

namespace {

const std::string kHeader = "quiltrush best times 1\n";
const std::string kCheck = "check ";
constexpr std::size_t kKeyDigits = 16;
const std::string kLogPrefix = "[quiltRush::BestTimes] ";

// 64-bit FNV-1a: small, and plenty to tell levels and damaged files apart.
std::uint64_t hashBytes(const std::string& bytes, std::uint64_t hash = 0xcbf29ce484222325ull) {
    for (unsigned char byte : bytes) {
        hash ^= byte;
        hash *= 0x100000001b3ull;
    }
    return hash;
}

std::string hex(std::uint64_t value) {
    char text[kKeyDigits + 1];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

bool isKey(const std::string& word) {
    if (word.size() != kKeyDigits) return false;
    for (char c : word) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    }
    return true;
}

// Decimal without leading zeros that fits 32 bits.
bool parseMillis(const std::string& word, std::uint32_t& millis) {
    if (word.empty() || word.size() > 10 || (word.size() > 1 && word[0] == '0')) return false;
    std::uint64_t value = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (value > UINT32_MAX) return false;
    millis = static_cast<std::uint32_t>(value);
    return true;
}

std::string reason() { return std::strerror(errno); }

}  // namespace

BestTimes::BestTimes(std::string path, std::unique_ptr<SaveFileSystem> files, Log log)
    : path(std::move(path)), files(std::move(files)), log(std::move(log)) {}

BestTimes::~BestTimes() { waitForSave(); }

std::string BestTimes::keyOf(const std::string& levelBytes, const std::string& modelBytes) {
    // The level's length first, so no two splits of the same bytes share a key.
    return hex(hashBytes(modelBytes, hashBytes(std::to_string(levelBytes.size()) + ":" + levelBytes)));
}

std::string BestTimes::format(const Records& records) {
    std::string text = kHeader;
    for (const auto& [key, millis] : records) text += key + " " + std::to_string(millis) + "\n";
    return text + kCheck + hex(hashBytes(text)) + "\n";
}

bool BestTimes::parse(const std::string& text, Records& records) {
    if (text.compare(0, kHeader.size(), kHeader) != 0) return false;
    std::size_t checkAt = text.rfind("\n" + kCheck);
    if (checkAt == std::string::npos) return false;
    std::string body = text.substr(0, checkAt + 1);
    if (text != body + kCheck + hex(hashBytes(body)) + "\n") return false;
    Records read;
    for (std::size_t at = kHeader.size(); at < body.size();) {
        std::size_t end = body.find('\n', at);
        std::size_t blank = body.find(' ', at);
        if (blank == std::string::npos || blank > end) return false;
        std::string key = body.substr(at, blank - at);
        std::uint32_t millis = 0;
        // Keys ascend strictly: a repeated or misplaced key is not ours.
        if (!isKey(key) || !parseMillis(body.substr(blank + 1, end - blank - 1), millis)) return false;
        if (!read.empty() && key <= read.rbegin()->first) return false;
        read.emplace_hint(read.end(), key, millis);
        at = end + 1;
    }
    records = std::move(read);
    return true;
}

// Files are only ever replaced whole, so a plain read needs no lock; only a
// damaged file, to be moved aside, is looked at again under it.
void BestTimes::load() {
    Records fromFile;
    std::string text;
    SaveFileSystem::ReadResult result = files->read(path, kMaxFileBytes, text);
    if (result == SaveFileSystem::ReadResult::Failed) {
        note(path + " cannot be read (" + reason() + "): the best times are not saved.");
    } else if (result == SaveFileSystem::ReadResult::Read && !parse(text, fromFile)) {
        int lock = files->lock(path + ".lock");
        if (lock < 0) {
            note(path + ".lock cannot be opened (" + reason() + "): the best times are not saved.");
        } else {
            bool valid = false;
            readUnderLock(fromFile, valid);
            files->unlock(lock);
        }
    }
    {
        std::lock_guard<std::mutex> guard(mutex);
        records = std::move(fromFile);
    }
    writeNotes();
}

std::optional<std::uint32_t> BestTimes::bestOf(const std::string& key) const {
    std::lock_guard<std::mutex> guard(mutex);
    auto found = records.find(key);
    if (found == records.end()) return std::nullopt;
    return found->second;
}

BestRun BestTimes::record(const std::string& key, std::uint32_t millis) {
    {
        std::lock_guard<std::mutex> guard(mutex);
        auto found = records.find(key);
        if (found != records.end() && found->second <= millis) return {found->second, false};
        records[key] = millis;
        pending = true;
        if (saving) return {millis, true};  // the save under way saves this one next
        saving = true;
    }
    if (saver.joinable()) saver.join();  // it has ended: saving was off
    writeNotes();
    try {
        saver = std::thread([this] { saveWhilePending(); });
    } catch (const std::system_error&) {
        saveWhilePending();  // no thread to be had: the game waits this once
        writeNotes();
    }
    return {millis, true};
}

void BestTimes::waitForSave() {
    if (saver.joinable()) saver.join();
    writeNotes();
}

// Runs on the saving thread until no record is left unsaved.
void BestTimes::saveWhilePending() {
    for (;;) {
        Records snapshot;
        {
            std::lock_guard<std::mutex> guard(mutex);
            if (!pending) {
                saving = false;
                return;
            }
            pending = false;
            snapshot = records;
        }
        saveRecords(snapshot);
    }
}

bool BestTimes::mergeLower(Records& into, const Records& from) {
    bool changed = false;
    for (const auto& [key, millis] : from) {
        auto found = into.find(key);
        if (found != into.end() && found->second <= millis) continue;
        into[key] = millis;
        changed = true;
    }
    return changed;
}

// Runs on the saving thread: touches records and notes only under the mutex.
bool BestTimes::saveRecords(const Records& ours) {
    int lock = files->lock(path + ".lock");
    if (lock < 0 && errno == EWOULDBLOCK) {
        note("the best time is not saved: another game holds " + path + ".lock and did not let go in time.");
        return false;
    }
    if (lock < 0) {
        note("the best time is not saved: " + path + ".lock cannot be opened (" + reason() + ").");
        return false;
    }
    Records merged;
    bool fileIsValid = false;
    bool saved = readUnderLock(merged, fileIsValid);
    if (saved) {
        if (mergeLower(merged, ours) || !fileIsValid) saved = writeAtomically(format(merged));
        std::lock_guard<std::mutex> guard(mutex);
        mergeLower(records, merged);
    }
    files->unlock(lock);
    return saved;
}

// False only when the file is there but cannot be read: it may be good, so it is left alone.
bool BestTimes::readUnderLock(Records& fromFile, bool& fileIsValid) {
    std::string text;
    switch (files->read(path, kMaxFileBytes, text)) {
        case SaveFileSystem::ReadResult::Missing:
            return true;
        case SaveFileSystem::ReadResult::Failed:
            note(path + " cannot be read (" + reason() + "): the best times are not saved.");
            return false;
        case SaveFileSystem::ReadResult::Read:
            break;
    }
    fileIsValid = parse(text, fromFile);
    if (!fileIsValid) moveAside();
    return true;
}

void BestTimes::moveAside() {
    std::string aside = path + ".bad";
    for (int n = 2; files->exists(aside); ++n) aside = path + ".bad" + std::to_string(n);
    if (files->rename(path, aside)) {
        note(path + " is damaged or not a times file: moved aside to " + aside + ", a fresh one starts.");
    } else {
        note(path + " is damaged or not a times file and cannot be moved aside (" + reason() + ").");
    }
}

bool BestTimes::writeAtomically(const std::string& text) {
    const std::string temporary = path + ".tmp";
    const char* failed = nullptr;
    int handle = files->create(temporary);
    if (handle < 0) {
        failed = "create";
    } else {
        if (!files->write(handle, text.data(), text.size())) {
            failed = "write";
        } else if (!files->flush(handle)) {
            failed = "flush";
        }
        if (!files->close(handle) && failed == nullptr) failed = "close";
        if (failed == nullptr && !files->rename(temporary, path)) failed = "rename";
    }
    if (failed != nullptr) {
        std::string why = reason();
        files->remove(temporary);
        note("the best time is not saved: " + std::string(failed) + " " + temporary + " failed (" + why + ").");
        return false;
    }
    // The new name is on disk too; if this fails the rename may still be undone by a crash.
    files->flushFolder(path);
    return true;
}

void BestTimes::note(const std::string& line) {
    std::lock_guard<std::mutex> guard(mutex);
    notes.push_back(kLogPrefix + line);
}

void BestTimes::writeNotes() {
    std::vector<std::string> lines;
    {
        std::lock_guard<std::mutex> guard(mutex);
        lines.swap(notes);
    }
    if (log) {
        for (const std::string& line : lines) log(line);
    }
}

}  // namespace quiltRush
