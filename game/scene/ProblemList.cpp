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
    text << onDisk(file) << ":";
    if (place.line > 0) text << place.line << ":";
    if (!place.word.empty()) text << " '" << place.word << "':";
    text << " " << message;
    problems.push_back({index, place.line, text.str()});
}

ProblemSink ProblemList::sinkFor(const std::string& file) {
    return [this, file](const WordPlace& place, const std::string& message) { report(file, place, message); };
}

void ProblemList::write(std::ostream& out) {
    std::stable_sort(problems.begin(), problems.end(), [](const Problem& a, const Problem& b) {
        return a.file != b.file ? a.file < b.file : a.line < b.line;
    });
    for (const Problem& problem : problems) out << problem.text << "\n";
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
