#include "game/scene/CommandLine.h"

#include <cstdio>
#include <cstdlib>

#include "framework/Manager.h"
#include "game/scene/LevelPack.h"
#include "game/scene/QuiltRushApplication.h"

namespace quiltRush {

namespace {

constexpr int kExitUsage = 2;
constexpr const char* kLevelOption = "--level";
constexpr const char* kLevelsOption = "--levels";

}  // namespace

CommandLine CommandLine::parse(int argc, char** argv) {
    CommandLine line;
    if (argc > 0) line.remaining.push_back(argv[0]);
    const std::string prefix = std::string(kLevelOption) + "=";
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == kLevelsOption) {
            line.listLevels = true;
        } else if (argument == kLevelOption) {
            if (i + 1 == argc) {
                line.error = "--level needs the name of a level (quiltrush --levels lists them)";
                break;
            }
            line.level = argv[++i];
        } else if (argument.compare(0, prefix.size(), prefix) == 0) {
            line.level = argument.substr(prefix.size());
        } else {
            line.remaining.push_back(argv[i]);
        }
    }
    line.remaining.push_back(nullptr);
    return line;
}

int runQuiltRush(int argc, char** argv) {
    CommandLine line = CommandLine::parse(argc, argv);
    if (!line.error.empty()) {
        std::fprintf(stderr, "quiltrush: %s\n", line.error.c_str());
        return kExitUsage;
    }
    LevelPack pack = LevelPack::readFile();
    if (line.listLevels) {
        if (pack.empty()) {
            std::fprintf(stderr, "quiltrush: no level pack in %s\n", LevelPack::kPackFile);
            return EXIT_FAILURE;
        }
        for (const PackLevel& level : pack.getLevels()) std::printf("%s\n", level.name.c_str());
        return EXIT_SUCCESS;
    }
    auto* application = new QuiltRushApplication();
    if (!line.level.empty()) {
        const PackLevel* level = pack.find(line.level);
        if (level == nullptr) {
            delete application;
            std::fprintf(stderr, "quiltrush: no level '%s' in the pack (quiltrush --levels lists them)\n",
                         line.level.c_str());
            return kExitUsage;
        }
        application->setLevelFile(level->file);
    }
    int count = line.remainingCount();
    return kiln::Manager::instance()->runMain(application, count, line.remaining.data());
}

}  // namespace quiltRush
