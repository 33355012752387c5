#include "game/scene/SoundPlayer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "tests/support/ScopedTempDir.h"

using quiltRush::Sound;

// A sound added, renamed or dropped on one side only fails here.
TEST(SoundPlayerTest, TheAssetGeneratorMakesEverySoundFileTheGamePlaysAndNoOther) {
    std::ifstream in(testSupport::sourceDir() + "/tools/assets/sounds.py");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t table = text.find("def sound_table(");
    const std::string body = text.substr(table, text.find("\ndef ", table + 1) - table);
    std::set<std::string> generated, played;
    for (std::size_t at = body.find("\"sounds/"); at != std::string::npos; at = body.find("\"sounds/", at + 1)) {
        generated.insert("assets/" + body.substr(at + 1, body.find('"', at + 1) - at - 1));
    }
    for (int i = 0; i < static_cast<int>(Sound::Count); ++i) played.insert(quiltRush::SoundPlayer::fileOf(static_cast<Sound>(i)));
    EXPECT_EQ(played.size(), static_cast<std::size_t>(Sound::Count)) << "two sounds share a file";
    EXPECT_EQ(generated, played);
}
