// What the game says on standard error at start-up about the level it was
// given: the real game is built in a child process whose standard error is captured.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>
#include <string>

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
    const char* file;
    const char* from;
    const char* to;
};

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
    quiltRush::ChildResult result = quiltRush::runInChildProcess([] {
        // What the game says, not what the machine's audio libraries say of a
        // missing sound card: OpenAL's silent output backend opens no card.
        setenv("ALSOFT_DRIVERS", "null", 1);
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
    const Case cases[] = {
        {{}, ""},
        {{{"assets/models/gameData.txt", "BEGINDATA", "BEGINDAT"}},
         "assets/models/gameData.txt:1: 'BEGINDAT': BEGINDATA expected\n"
         "level: 1 problem; run quiltrush-check-level for the list\n",
         "Error reading data\n"},
        {{{"assets/models/gameData.txt", "-5.6 0.4477", "-5.6 0,4477"}},
         "assets/models/gameData.txt:13: '0,4477': number expected (value 2 of 4 of a checkpoint record)\n"
         "level: 1 problem; run quiltrush-check-level for the list\n"},
        {{{"assets/models/scene.ase", "*MESH_VERTEX 3\t-0.400000\t0.300000", "*MESH_VERTEX 3\t-0.400000\toops"},
          {"assets/models/scene.ase", "*MESH_FACE 0:", "*MESH_FACE x:"}},
         "assets/models/scene.ase:21: 'oops': number expected\n"
         "assets/models/scene.ase:179: 'x:': face number expected\n"
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

TEST_F(LevelProblemsGlTest, WithoutAnAssetsFolderOneLineSaysWhereTheGameLookedAndHowToStartIt) {
    std::string errors = startUpErrors({}, false);
    EXPECT_NE(errors.find("no assets/ folder in /"), std::string::npos) << errors;
    EXPECT_NE(errors.find("start the game from the folder that holds assets/, or through the installed launcher quiltrush"),
              std::string::npos) << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
}

}  // namespace
