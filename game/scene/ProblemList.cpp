#include "game/scene/ProblemList.h"

#include <algorithm>
#include <sstream>
#include <utility>

namespace quiltRush {

ProblemList::ProblemList(std::string root) : root(std::move(root)) {}

void ProblemList::report(const std::string& file, const WordPlace& place, const std::string& message) {
    std::size_t index = std::find(files.begin(), files.end(), file) - files.begin();
    if (index == files.size()) files.push_back(file);
    std::ostringstream text;
    text << shown(onDisk(file), SIZE_MAX) << ":";
    if (place.line > 0) text << place.line << ":";
    if (!place.word.empty()) text << " '" << shown(place.word) << "':";
    text << " " << message;
    problems.push_back({index, place.line, text.str()});
}

ProblemSink ProblemList::sinkFor(const std::string& file) {
    return [this, file](const WordPlace& place, const std::string& message) { report(file, place, message); };
}

void ProblemList::write(std::ostream& out, std::size_t limit) {
    std::stable_sort(problems.begin(), problems.end(), [](const Problem& a, const Problem& b) {
        return a.file != b.file ? a.file < b.file : a.line < b.line;
    });
    std::size_t listed = std::min(limit, problems.size());
    for (std::size_t i = 0; i < listed; ++i) out << problems[i].text << "\n";
    if (listed < problems.size()) out << "... and " << problems.size() - listed << " more\n";
}

// A damaged file may hold anything: terminal control sequences, or a line of
// a megabyte with no blank in it. Neither reaches a terminal or the log as it is.
// A path is only escaped: a file the game opened has a name of sane length.
std::string ProblemList::shown(const std::string& word, std::size_t length) {
    static const char kHex[] = "0123456789abcdef";
    std::string text;
    for (char c : word) {
        if (text.size() >= length) return text + "...";
        auto byte = static_cast<unsigned char>(c);
        if (byte == '\\') {
            text += "\\\\";
        } else if (byte >= 0x20 && byte < 0x7f) {
            text += c;
        } else {
            text += {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xf]};
        }
    }
    return text;
}

// Paths in the level are relative to the game's working directory: the root.
std::string ProblemList::onDisk(const std::string& file) const {
    if (root.empty() || root == "." || file.empty() || file.front() == '/') return file;
    return root + (root.back() == '/' ? "" : "/") + file;
}

void ProblemList::start(const std::string& firstFile) {
    files.assign(1, firstFile);
    problems.clear();
}

}  // namespace quiltRush
