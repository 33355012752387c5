// quiltrush-check-level [ROOT]: checks the level under ROOT (default ".") with
// the game's own readers and prints every problem as "file:line: 'word': message".
#include <iostream>
#include <string>

#include "tools/checkLevel/LevelChecker.h"

namespace {

constexpr int kExitUsage = 2;

void printUsage(std::ostream& out) {
    out << "usage: quiltrush-check-level [ROOT]\n"
           "Checks ROOT/assets/models/gameData.txt (ROOT defaults to \".\"), the scene model\n"
           "and the images it names. Exit status: 0 clean, 1 problems found, 2 usage.\n";
}

}  // namespace

int main(int argc, char** argv) {
    std::string root = ".";
    if (argc == 2) {
        std::string argument = argv[1];
        if (argument == "-h" || argument == "--help") {
            printUsage(std::cout);
            return quiltRush::LevelChecker::kExitClean;
        }
        root = argument;
    } else if (argc > 2) {
        printUsage(std::cerr);
        return kExitUsage;
    }
    return quiltRush::LevelChecker(root).run(std::cout);
}
