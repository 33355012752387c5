#include "game/scene/SoundPlayer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>

#include "tests/support/ScopedTempDir.h"

namespace {

using quiltRush::Sound;
using quiltRush::SoundPlayer;

// The asset generator makes exactly the files the game plays: a sound added,
// renamed or dropped on one side only fails here.
TEST(SoundPlayerTest, TheAssetGeneratorMakesEverySoundFileTheGamePlaysAndNoOther) {
    std::ifstream in(testSupport::sourceDir() + "/tools/assets/sounds.py");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t table = text.find("def sound_table(");
    ASSERT_NE(table, std::string::npos) << "tools/assets/sounds.py has no sound_table";
    const std::string body = text.substr(table, text.find("\ndef ", table + 1) - table);
    std::set<std::string> generated;
    const std::regex path("\"(sounds/[^\"]+)\"");
    for (auto match = std::sregex_iterator(body.begin(), body.end(), path); match != std::sregex_iterator(); ++match) {
        generated.insert("assets/" + (*match)[1].str());
    }
    std::set<std::string> played;
    for (int i = 0; i < static_cast<int>(Sound::Count); ++i) played.insert(SoundPlayer::fileOf(static_cast<Sound>(i)));
    EXPECT_EQ(played.size(), static_cast<std::size_t>(Sound::Count)) << "two sounds share a file";
    EXPECT_EQ(generated, played);
}

}  // namespace
