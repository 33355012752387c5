// What the game says on standard error at start-up about the level it was
// given: the real game is built in a child process whose standard error is captured.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "tests/playthrough/GameInChild.h"
#include "tools/driver/OutputCapture.h"

namespace {

namespace fs = std::filesystem;

std::string fileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

/// In file, the first `from` text becomes `to`.
struct Damage {
    std::string file;
    std::string from;
    std::string to;
};

/// A damage to the shipped file at the first `anchor` whose `field`-th word
/// after it (counting from 0) becomes `word`, wherever the level now puts it,
/// and the "file:line" where the game should report it.
std::pair<Damage, std::string> damageAfter(const std::string& file, const std::string& anchor, int field,
                                           const std::string& word) {
    const std::string text = fileText(fs::path(testSupport::sourceDir()) / file);
    std::size_t at = text.find(anchor);
    EXPECT_NE(at, std::string::npos) << anchor;
    std::size_t begin = at + anchor.size();
    for (int i = 0; i <= field; ++i) {
        begin = text.find_first_not_of(" \t\r\n", i == 0 ? begin : text.find_first_of(" \t\r\n", begin));
    }
    std::size_t end = text.find_first_of(" \t\r\n", begin);
    std::string from = text.substr(at, end - at);
    std::string to = from.substr(0, begin - at) + word;
    int line = 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(begin), '\n'));
    return {{file, from, to}, file + ":" + std::to_string(line)};
}

/// Builds the game in a working folder whose assets are the project's but for
/// the damages (or that has no assets at all) and returns its standard error
/// up to the end of start-up; log gets the folder's "log.txt".
std::string startUpErrors(const std::vector<Damage>& damages, bool withAssets, std::string* log = nullptr,
                          std::string* printed = nullptr) {
    testSupport::ScopedTempDir folder;
    const fs::path assets = fs::path(testSupport::sourceDir()) / "assets";
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(assets)) {
        if (!withAssets || !entry.is_regular_file()) continue;
        const std::string relative = "assets/" + fs::relative(entry.path(), assets).string();
        std::string text;
        for (const Damage& damage : damages) {
            if (relative != damage.file) continue;
            if (text.empty()) text = fileText(entry.path());
            std::size_t at = text.find(damage.from);
            EXPECT_NE(at, std::string::npos) << damage.from;
            if (at != std::string::npos) text.replace(at, std::string(damage.from).size(), damage.to);
        }
        if (!text.empty()) {
            folder.write(relative, text);
        } else {
            fs::create_directories(fs::path(folder.path()) / relative.substr(0, relative.rfind('/')));
            fs::create_symlink(entry.path(), fs::path(folder.path()) / relative);
        }
    }
    folder.write("no-card.conf", "");
    const std::string noCard = folder.path() + "/no-card.conf";
    quiltRush::ChildResult result = quiltRush::runInChildProcess([&noCard] {
        // As on a machine without a sound card: OpenAL through an ALSA that knows none.
        setenv("ALSOFT_DRIVERS", "alsa", 1);
        setenv("ALSA_CONFIG_PATH", noCard.c_str(), 1);
        quiltRush::OutputCapture output(stdout);
        quiltRush::OutputCapture errors(stderr);
        quiltRush::GameDriver driver(false);
        return errors.finish() + '\0' + output.finish();
    });
    EXPECT_TRUE(result.completed) << result.text;
    if (log) *log = folder.read("log.txt");
    std::size_t split = std::min(result.text.find('\0'), result.text.size());
    if (printed) *printed = result.text.substr(std::min(split + 1, result.text.size()));
    return result.text.substr(0, split);
}

class LevelProblemsGlTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!playthroughTest::haveDisplay()) GTEST_SKIP() << "no X display";
    }
};

TEST_F(LevelProblemsGlTest, DamagedFilesAreListedOnStandardErrorAndInTheLogAndASoundLevelSaysNothing) {
    struct Case {
        std::vector<Damage> damages;
        std::string expected;
        std::string printed = "";  // on standard output
    };
    // Damages found in the shipped files, so that the test follows the level as it is edited.
    const auto number = damageAfter("assets/models/gameData.txt", "BEGINCHECKPOINT", 1, "1,5");
    const auto vertex = damageAfter("assets/models/scene.ase", "*MESH_VERTEX 3\t", 1, "oops");
    const auto face = damageAfter("assets/models/scene.ase", "*MESH_FACE ", 0, "x:");
    const Case cases[] = {
        {{}, ""},
        {{{"assets/models/gameData.txt", "BEGINDATA", "BEGINDAT"}},
         "assets/models/gameData.txt:1: 'BEGINDAT': BEGINDATA expected\n"
         "level: 1 problem; run quiltrush-check-level for the list\n",
         "Error reading data\n"},
        {{number.first},
         number.second + ": '1,5': number expected (value 2 of 4 of a checkpoint record)\n"
         "level: 1 problem; run quiltrush-check-level for the list\n"},
        {{vertex.first, face.first},
         vertex.second + ": 'oops': number expected\n" + face.second + ": 'x:': face number expected\n"
         "level: 2 problems; run quiltrush-check-level for the list\n"},
    };
    for (const Case& c : cases) {
        std::string log, printed;
        std::string errors = startUpErrors(c.damages, true, &log, &printed);
        EXPECT_EQ(errors, c.expected);
        EXPECT_EQ(printed, c.printed);
        EXPECT_EQ(log.substr(0, c.expected.size()), c.expected);  // entities log after it
    }
}

// A file full of junk: the first twenty problems, their words escaped and cut,
// then how many more there are (the checker lists them all).
TEST_F(LevelProblemsGlTest, ManyProblemsListTheFirstTwentyEscapedAndCountTheRest) {
    std::string junk = "BEGINDATA \x1b[2J " + std::string(1 << 20, 'w');
    for (int i = 1; i < 25; ++i) junk += " junk" + std::to_string(i);
    std::string log;
    std::string errors = startUpErrors({{"assets/models/gameData.txt", "BEGINDATA", junk}}, true, &log);
    EXPECT_EQ(errors.find("assets/models/gameData.txt:1: '\\x1b[2J': unknown word at the data level (skipped)\n"
                          "assets/models/gameData.txt:1: '" + std::string(60, 'w') + "...': unknown"), 0u);
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 22) << errors;
    EXPECT_NE(errors.find("'junk18': unknown word at the data level (skipped)\n... and 6 more\n"
                          "level: 26 problems; run quiltrush-check-level for the list\n"), std::string::npos) << errors;
    EXPECT_EQ(log.substr(0, errors.size()), errors);
}

// The audio libraries' complaints stay off the terminal, and the log's one
// sound line says that the game plays silent.
TEST_F(LevelProblemsGlTest, WithoutASoundCardTheLogsOneSoundLineSaysTheGameIsSilent) {
    std::string log;
    EXPECT_EQ(startUpErrors({}, true, &log), "");
    EXPECT_NE(log.find("\nSound: no audio device could be opened; the game plays silent\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("Sound:"), log.rfind("Sound:")) << log;
}

TEST_F(LevelProblemsGlTest, WithoutAnAssetsFolderOneLineSaysWhereTheGameLookedAndHowToStartIt) {
    std::string errors = startUpErrors({}, false);
    EXPECT_NE(errors.find("no assets/ folder in /"), std::string::npos) << errors;
    EXPECT_NE(errors.find("start the game from the folder that holds assets/, or through the installed launcher quiltrush"),
              std::string::npos) << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
}

}  // namespace
