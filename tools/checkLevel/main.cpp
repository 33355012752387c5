// quiltrush-check-level [ROOT] [--level NAME]: checks the level under ROOT
// (default ".") with the game's own readers and prints every problem as
// "file:line: 'word': message".
#include <iostream>
#include <string>

#include "game/scene/LevelPack.h"
#include "tools/checkLevel/LevelChecker.h"

namespace {

constexpr int kExitUsage = 2;

void printUsage(std::ostream& out) {
    out << "usage: quiltrush-check-level [ROOT] [--level NAME]\n"
           "Checks ROOT/assets/models/gameData.txt (ROOT defaults to \".\"), or the file of the\n"
           "pack level NAME (ROOT/assets/levels/pack.txt), the scene model and the images it\n"
           "names. Exit status: 0 clean, 1 problems found, 2 usage.\n";
}

}  // namespace

int main(int argc, char** argv) {
    std::string root;
    std::string level;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "-h" || argument == "--help") {
            printUsage(std::cout);
            return quiltRush::LevelChecker::kExitClean;
        }
        if (argument == "--level" && i + 1 < argc && level.empty()) {
            level = argv[++i];
        } else if (argument[0] != '-' && root.empty()) {
            root = argument;
        } else {
            printUsage(std::cerr);
            return kExitUsage;
        }
    }
    if (root.empty()) root = ".";
    if (level.empty()) return quiltRush::LevelChecker(root).run(std::cout);
    quiltRush::LevelPack pack = quiltRush::LevelPack::readFile(root + "/" + quiltRush::LevelPack::kPackFile);
    const quiltRush::PackLevel* found = pack.find(level);
    if (found == nullptr) {
        std::cerr << "quiltrush-check-level: no level '" << level << "' in " << root << "/"
                  << quiltRush::LevelPack::kPackFile << "\n";
        return kExitUsage;
    }
    return quiltRush::LevelChecker(root, found->file).run(std::cout);
}
