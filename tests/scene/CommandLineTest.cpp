#include "game/scene/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quiltRush {
namespace {

TEST(CommandLineTest, TakesTheGamesOwnOptionsAndLeavesTheRestInOrder) {
    const struct {
        std::vector<std::string> arguments;
        bool listLevels;
        std::string level;
        bool error;
        std::string remaining;
    } cases[] = {
        {{}, false, "", false, "quiltrush "},
        {{"--levels"}, true, "", false, "quiltrush "},
        {{"--level", "ramp"}, false, "ramp", false, "quiltrush "},
        {{"--level=sky", "-display", ":1"}, false, "sky", false, "quiltrush -display :1 "},
        {{"-geometry", "800x600", "--level", "gap", "x"}, false, "gap", false, "quiltrush -geometry 800x600 x "},
        {{"--level"}, false, "", true, "quiltrush "},
        {{"--levelx"}, false, "", false, "quiltrush --levelx "},
    };
    for (const auto& c : cases) {
        std::vector<std::string> words = {"quiltrush"};
        words.insert(words.end(), c.arguments.begin(), c.arguments.end());
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(word.data());
        CommandLine line = CommandLine::parse(static_cast<int>(argv.size()), argv.data());
        std::string remaining;
        for (int i = 0; i < line.remainingCount(); ++i) remaining += std::string(line.remaining[i]) + " ";
        EXPECT_EQ(line.listLevels, c.listLevels) << remaining;
        EXPECT_EQ(line.level, c.level) << remaining;
        EXPECT_EQ(!line.error.empty(), c.error) << remaining;
        EXPECT_EQ(remaining, c.remaining);
        EXPECT_EQ(line.remaining.back(), nullptr);
    }
}

}  // namespace
}  // namespace quiltRush
