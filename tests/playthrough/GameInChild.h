#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/physics/Vector3.h"
#include "game/scene/LevelPack.h"
#include "tests/support/ScopedTempDir.h"
#include "tools/driver/ChildProcess.h"
#include "tools/driver/GameDriver.h"

namespace playthroughTest {

/// A working folder for the game: a temporary directory (the game writes
/// log.txt there) in which "assets" leads to the project's assets.
class GameFolder {
public:
    GameFolder() {
        std::string assets = testSupport::sourceDir() + "/assets";
        linked = ::symlink(assets.c_str(), (directory.path() + "/assets").c_str()) == 0;
    }
    bool ready() const { return linked; }

private:
    testSupport::ScopedTempDir directory;
    bool linked = false;
};

/// The game needs an X server; the test command provides one.
inline bool haveDisplay() {
    const char* display = std::getenv("DISPLAY");
    return display != nullptr && display[0] != '\0';
}

/// The pack's levels, in order, as the game reads them.
inline const quiltRush::LevelPack& pack() {
    static const quiltRush::LevelPack levels =
        quiltRush::LevelPack::readFile(testSupport::sourceDir() + "/" + quiltRush::LevelPack::kPackFile);
    return levels;
}

/// The names of the pack's levels, for tests run once on each.
inline std::vector<std::string> packLevelNames() {
    std::vector<std::string> names;
    for (const quiltRush::PackLevel& level : pack().getLevels()) names.push_back(level.name);
    return names;
}

/// The recorded way through a level of the pack; without a name, the first
/// level's, which is the shipped level a plain start plays.
inline std::string recordedTimelinePath(const std::string& level = "") {
    std::string name = level.empty() ? pack().getLevels().front().name : level;
    return testSupport::sourceDir() + "/tests/playthrough/" + name + ".timeline";
}

/// A test that plays the real game in a GameFolder; skipped without a display.
/// A fixture deriving from it that does more in SetUp returns when isReady() is false.
template <class Base = ::testing::Test>
class GameFolderTest : public Base {
protected:
    void SetUp() override {
        if (!haveDisplay()) GTEST_SKIP() << "no X display";
        ASSERT_TRUE(folder.ready());
    }
    bool isReady() const { return !this->IsSkipped() && !this->HasFatalFailure(); }

    GameFolder folder;
};

/// Builds a fresh game (on the pack level named, or the plain start's) in a
/// child process (the game can be built once per process, and this process
/// never touches GLUT) and returns what body made of it.
inline quiltRush::ChildResult withGame(bool display, const std::function<std::string(quiltRush::GameDriver&)>& body,
                                       const std::string& level = "") {
    return quiltRush::runInChildProcess([&] {
        quiltRush::GameDriver driver(display, level);
        return body(driver);
    });
}

/// Every coordinate of every position as the hexadecimal bits of its float,
/// so that two traces compare bit for bit.
inline std::string bitsOf(const std::vector<quiltRush::Vector3>& trace) {
    std::string text;
    char word[16];
    for (const quiltRush::Vector3& p : trace) {
        for (float value : {p.x, p.y, p.z}) {
            unsigned int bits = 0;
            static_assert(sizeof bits == sizeof value, "a float is 32 bits");
            std::memcpy(&bits, &value, sizeof bits);
            std::snprintf(word, sizeof word, "%08x ", bits);
            text += word;
        }
        text += '\n';
    }
    return text;
}

}  // namespace playthroughTest
