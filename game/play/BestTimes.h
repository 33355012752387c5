#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace quiltRush {

class SaveFileSystem;

/// What a finished run did to the best time of its level.
struct BestRun {
    std::uint32_t best = 0;  // milliseconds, this run's time when it is a new best
    bool isNew = false;      // no best before, or this run beat it
};

/// The best finishing time of every level, kept in a small text file (usually
/// "times.txt" in the working directory) that several games may share. A save
/// locks "<file>.lock", merges the file's records with ours (the lower time of
/// each level wins), writes "<file>.tmp", flushes it to disk and renames it
/// over the file, so the file is always either the old one or the new one. A
/// damaged or foreign file is moved aside to "<file>.bad" (or .bad2, ...) with
/// one log line, and a fresh one starts. No OpenGL; the file system is a seam.
class BestTimes {
public:
    using Records = std::map<std::string, std::uint32_t>;  // level key -> best milliseconds
    using Log = std::function<void(const std::string&)>;

    static constexpr const char* kFileName = "times.txt";
    static constexpr std::size_t kMaxFileBytes = 1 << 20;    // larger is not ours
    static constexpr std::size_t kMaxLevelBytes = 64 << 20;  // hashed into the key, no more

    /// Reads nothing yet. log is called on the caller's thread only.
    BestTimes(std::string path, std::unique_ptr<SaveFileSystem> files, Log log);
    /// Waits for a save under way.
    ~BestTimes();
    BestTimes(const BestTimes&) = delete;
    BestTimes& operator=(const BestTimes&) = delete;

    /// A level's key: 16 hex digits hashed from the bytes of its level file and scene model.
    static std::string keyOf(const std::string& levelBytes, const std::string& modelBytes);
    /// The file's text for these records.
    static std::string format(const Records& records);
    /// False, and records untouched, unless text is exactly what format writes.
    static bool parse(const std::string& text, Records& records);

    /// Reads the file under the lock (moving a damaged one aside). Once, at start-up.
    void load();
    /// A finished run: says at once whether it is a new best and, when it is,
    /// saves it on a thread of its own, so the game never waits for the disk
    /// or another game's lock (a save under way takes it along when it ends).
    /// A save that waits longer than a moment for the lock is given up.
    BestRun record(const std::string& key, std::uint32_t millis);
    /// The best time known for a level, if it was ever finished.
    std::optional<std::uint32_t> bestOf(const std::string& key) const;
    /// Waits for the saves that record started and writes their log lines.
    void waitForSave();
    /// Writes the log lines the saving thread has left; call it on the game's thread.
    void writeNotes();

private:
    /// Lowers into's time of every level that from has faster, adding the
    /// levels it lacks; true when into changed.
    static bool mergeLower(Records& into, const Records& from);
    bool saveRecords(const Records& ours);
    bool readUnderLock(Records& fromFile, bool& fileIsValid);
    void moveAside();
    bool writeAtomically(const std::string& text);
    void note(const std::string& line);
    void saveWhilePending();

    std::string path;
    std::unique_ptr<SaveFileSystem> files;
    Log log;
    mutable std::mutex mutex;  // guards records and notes, shared with the saving thread
    Records records;
    std::vector<std::string> notes;
    bool saving = false;   // the saving thread runs; under the mutex
    bool pending = false;  // records changed since that thread last took them; under the mutex
    std::thread saver;
};

}  // namespace quiltRush
