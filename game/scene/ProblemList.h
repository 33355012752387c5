#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "game/scene/ReadProblem.h"

namespace quiltRush {

/// The problems found in a level's files, as lines "file:line: 'word': message"
/// with file paths as the level gives them (under root unless root is ".").
/// Words and paths come from the files: bytes outside printable ASCII are
/// written as \xHH (and a backslash as \\), and a word is cut after
/// kShownWordLength characters ("..." follows); paths are not cut. The game and the level checker
/// both collect into one, so they say the same.
class ProblemList {
public:
    static constexpr std::size_t kShownWordLength = 60;

    /// root: the folder the level's paths are relative to (the game's working directory).
    explicit ProblemList(std::string root = ".");

    /// Adds one problem; a place without a line or word leaves that part out.
    void report(const std::string& file, const WordPlace& place, const std::string& message);
    /// A sink that reports into this list against the given file; it must not outlive the list.
    ProblemSink sinkFor(const std::string& file);

    /// Writes every problem, one line each: file by file (in the order each was
    /// first reported) and in line order; problems on one line keep their order.
    /// With a limit, only the first limit problems, then "... and N more".
    void write(std::ostream& out, std::size_t limit = SIZE_MAX);
    /// A word of a file as a problem line shows it: escaped, and cut after length characters.
    static std::string shown(const std::string& word, std::size_t length = kShownWordLength);
    /// A level file path as it is on disk, under root.
    std::string onDisk(const std::string& file) const;

    std::size_t size() const { return problems.size(); }
    bool empty() const { return problems.empty(); }
    /// Forgets every problem; the problems of firstFile will be written first.
    void start(const std::string& firstFile);

private:
    struct Problem {
        std::size_t file;  // index into files
        int line;
        std::string text;
    };

    std::string root;
    std::vector<std::string> files;  // as named, in the order first reported
    std::vector<Problem> problems;
};

}  // namespace quiltRush
