#pragma once

#include <string>
#include <vector>

namespace quiltRush {

/// The game's own options, taken off the command line before GLUT reads the
/// rest: "--levels" (print the pack's level names, one a line) and
/// "--level NAME" or "--level=NAME" (start on that pack level).
struct CommandLine {
    bool listLevels = false;
    std::string level;             // empty: the plain start, level 1's file
    std::string error;             // set when the line cannot be used
    std::vector<char*> remaining;  // the program's name and every other argument, in order, then a null

    static CommandLine parse(int argc, char** argv);
    int remainingCount() const { return static_cast<int>(remaining.size()) - 1; }
};

/// The whole program: options, then the game. Prints the level names or an
/// error itself; otherwise runs the game until it ends.
int runQuiltRush(int argc, char** argv);

}  // namespace quiltRush
