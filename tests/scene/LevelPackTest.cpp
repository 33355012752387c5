#include "game/scene/LevelPack.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace quiltRush {
namespace {

// name|file|hint of every level read, one after the other.
std::string levelsOf(const std::string& text) {
    std::istringstream in(text);
    const LevelPack pack = LevelPack::read(in);
    std::string seen;
    for (const PackLevel& level : pack.getLevels()) seen += level.name + "|" + level.file + "|" + level.hint + ";";
    return seen;
}

TEST(LevelPackTest, ReadsOneLevelALineAndSkipsWhatCannotBeOne) {
    const std::string longLine = "long a.txt " + std::string(LevelPack::kMaxLineBytes, 'x');
    const struct {
        std::string text;
        std::string levels;
    } cases[] = {
        {"", ""},
        {"# a comment\n\n   \nhammock assets/a.txt Pull it\n", "hammock|assets/a.txt|Pull it;"},
        {"ramp b.txt   Tack it \t \nsky c.txt\n", "ramp|b.txt|Tack it;sky|c.txt|;"},  // blanks around the hint go
        {"bell d.txt a\x1b[2Jb\x7f\n", "bell|d.txt|a [2Jb;"},                         // control bytes become blanks
        {"Ramp b.txt\nra-mp b.txt\nramp\n", ""},                                      // capitals, dashes, no file
        {"ramp b.txt first\nramp c.txt second\n", "ramp|b.txt|first;"},                // a name comes once
        {longLine + "\nok e.txt\n", "ok|e.txt|;"},
        {"  one f.txt\r\n", "one|f.txt|;"},                                           // a Windows line end
    };
    for (const auto& c : cases) EXPECT_EQ(levelsOf(c.text), c.levels) << c.text;
}

TEST(LevelPackTest, KeepsAtMostItsLimitOfLevels) {
    std::string text;
    for (std::size_t i = 0; i <= LevelPack::kMaxLevels; ++i) text += "l" + std::to_string(i) + " f.txt\n";
    std::istringstream in(text);
    EXPECT_EQ(LevelPack::read(in).size(), LevelPack::kMaxLevels);
}

TEST(LevelPackTest, FindsLevelsByNameAndByFile) {
    std::istringstream in("hammock assets/models/gameData.txt\nramp assets/levels/ramp/gameData.txt\n");
    LevelPack pack = LevelPack::read(in);
    ASSERT_NE(pack.find("ramp"), nullptr);
    EXPECT_EQ(pack.find("ramp")->file, "assets/levels/ramp/gameData.txt");
    EXPECT_EQ(pack.find("Ramp"), nullptr);
    EXPECT_EQ(pack.indexOfFile("assets/levels/ramp/gameData.txt"), 1u);
    EXPECT_EQ(pack.indexOfFile("assets/levels/sky/gameData.txt"), pack.size());
    EXPECT_EQ(LevelPack::displayName("ramp"), "Ramp");
    EXPECT_TRUE(LevelPack::readFile("no/such/pack.txt").empty());
}

}  // namespace
}  // namespace quiltRush
