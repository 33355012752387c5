#include "tools/checkLevel/LevelChecker.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "tests/scene/AseText.h"
#include "tests/scene/BmpBytes.h"
#include "tests/support/ScopedTempDir.h"

using quiltRush::LevelChecker;

namespace {

constexpr const char* kLevel = "assets/models/gameData.txt";

// A small sound level: one 3 x 3 grid pinned at its corners, one checkpoint
// in the air, one tack, the ground model (a slab 2 wide along x and 4 along
// z, on y = 0). One value per line, so line numbers are plain.
const std::string kSoundLevel =
    "BEGINDATA\n"                        // 1
    "BEGINSCENE\n"                       // 2
    "assets/models/ground.ase\n"         // 3
    "assets/models/cloth.bmp\n"          // 4
    "BEGINPATCH\n"                       // 5
    "  0 5 0  .45 .45  3 3  5000  0 2 6 8\n"  // 6
    "ENDPATCH\n"                         // 7
    "BEGINCHECKPOINT\n"                  // 8
    "  1 4 0 0.5\n"                      // 9
    "ENDCHECKPOINT\n"                    // 10
    "BEGINTACK\n"                        // 11
    "  600 440\n"                        // 12
    "ENDTACK\n"                          // 13
    "ENDDATA\n";                         // 14

struct Checked {
    int status = -1;
    std::string output;
    std::string printedByReaders;  // standard output while checking

    bool has(const std::string& line) const { return output.find(line + "\n") != std::string::npos; }
    bool hasStart(const std::string& start) const {
        return output.compare(0, start.size(), start) == 0 || output.find("\n" + start) != std::string::npos;
    }
};

Checked check(const std::string& root) {
    Checked result;
    std::ostringstream out;
    testing::internal::CaptureStdout();
    result.status = LevelChecker(root).run(out);
    result.printedByReaders = testing::internal::GetCapturedStdout();
    result.output = out.str();
    return result;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// Writes the model, both images and the level file into the temporary folder.
void writeLevel(const testSupport::ScopedTempDir& dir, const std::string& levelText) {
    const std::string picture = testSupport::twoByTwoPicture().build();
    dir.write("assets/models/ground.ase", testSupport::groundAse());
    dir.write("assets/models/rock.bmp", picture);
    dir.write("assets/models/cloth.bmp", picture);
    dir.write(kLevel, levelText);
}

// Checks levelText as the whole level under a fresh working directory.
Checked checkLevelText(const std::string& levelText) {
    testSupport::ScopedTempDir dir;
    writeLevel(dir, levelText);
    return check(".");
}

std::string plural(std::size_t warnings) {
    return std::to_string(warnings) + (warnings == 1 ? " warning" : " warnings");
}

}  // namespace

TEST(LevelCheckerTest, ShippedLevelIsClean) {
    Checked r = check(testSupport::sourceDir());
    EXPECT_EQ(r.status, LevelChecker::kExitClean) << r.output;
    std::string summaryStart = testSupport::sourceDir() + "/" + kLevel + ": ok: 1 grid";
    EXPECT_EQ(r.output.compare(0, summaryStart.size(), summaryStart), 0) << r.output;
    EXPECT_EQ(r.output.find('\n'), r.output.size() - 1) << "one summary line: " << r.output;
}

TEST(LevelCheckerTest, SoundLevelGivesOneSummaryLineWithItsCounts) {
    Checked r = checkLevelText(kSoundLevel);
    EXPECT_EQ(r.status, LevelChecker::kExitClean);
    EXPECT_EQ(r.output, "assets/models/gameData.txt: ok: 1 grid (9 spheres), 1 checkpoint, 1 tack, 2 scene triangles\n");
    EXPECT_EQ(r.printedByReaders, "");
}

TEST(LevelCheckerTest, UnknownWordAtTheDataLevelIsNamedWithItsLine) {
    Checked r = checkLevelText(replaced(kSoundLevel, "BEGINPATCH\n", "abc\nBEGINPATCH\n"));
    EXPECT_EQ(r.status, LevelChecker::kExitProblems);
    EXPECT_TRUE(r.has("assets/models/gameData.txt:5: 'abc': unknown word at the data level (skipped)")) << r.output;
    EXPECT_TRUE(r.has("assets/models/gameData.txt: 1 problem")) << r.output;
}

TEST(LevelCheckerTest, ThirdWordAfterBeginSceneIsAnUnknownWord) {
    Checked r = checkLevelText(replaced(kSoundLevel, "cloth.bmp\n", "cloth.bmp extra.bmp\n"));
    EXPECT_EQ(r.status, LevelChecker::kExitProblems);
    EXPECT_TRUE(r.hasStart("assets/models/gameData.txt:4: 'extra.bmp': unknown word")) << r.output;
}

TEST(LevelCheckerTest, RecordCutShortByTheEndOfTheFileNamesItsLastWord) {
    Checked r = checkLevelText(replaced(kSoundLevel, "  1 4 0 0.5\nENDCHECKPOINT\nBEGINTACK\n  600 440\nENDTACK\nENDDATA\n",
                                        "  1 4\n  0\n"));
    EXPECT_EQ(r.status, LevelChecker::kExitProblems);
    EXPECT_TRUE(r.has("assets/models/gameData.txt:10: '0': checkpoint record cut short by the end of the file "
                      "(3 of 4 numbers)"))
        << r.output;
    // The reading stopped: what it never reached is not reported on top.
    EXPECT_FALSE(r.hasStart("assets/models/gameData.txt:10: '0': no checkpoints")) << r.output;
}

TEST(LevelCheckerTest, MissingClosingWordAndEndDataAreReported) {
    Checked noClosing = checkLevelText(replaced(kSoundLevel, "ENDTACK\nENDDATA\n", ""));
    EXPECT_EQ(noClosing.status, LevelChecker::kExitProblems);
    EXPECT_TRUE(noClosing.hasStart("assets/models/gameData.txt:12: '440': ENDTACK missing")) << noClosing.output;

    Checked noEnd = checkLevelText(replaced(kSoundLevel, "ENDDATA\n", ""));
    EXPECT_EQ(noEnd.status, LevelChecker::kExitProblems);
    EXPECT_TRUE(noEnd.hasStart("assets/models/gameData.txt:13: 'ENDTACK': ENDDATA missing")) << noEnd.output;
}

TEST(LevelCheckerTest, MissingBeginDataIsAProblemAndNotPrintedByTheReader) {
    Checked r = checkLevelText(replaced(kSoundLevel, "BEGINDATA\n", ""));
    EXPECT_EQ(r.status, LevelChecker::kExitProblems);
    EXPECT_TRUE(r.has("assets/models/gameData.txt:1: 'BEGINSCENE': BEGINDATA expected")) << r.output;
    EXPECT_EQ(r.printedByReaders, "");

    Checked empty = checkLevelText("\n\n");
    EXPECT_EQ(empty.status, LevelChecker::kExitProblems);
    EXPECT_TRUE(empty.has("assets/models/gameData.txt:1: the file is empty: BEGINDATA expected")) << empty.output;
}

TEST(LevelCheckerTest, WordThatIsNoNumberOrNotAFiniteFloatIsNamed) {
    Checked bad = checkLevelText(replaced(kSoundLevel, "  1 4 0 0.5\n", "  1 4.4.5 0 0.5\n"));
    EXPECT_EQ(bad.status, LevelChecker::kExitProblems);
    EXPECT_TRUE(bad.has("assets/models/gameData.txt:9: '4.4.5': number expected (value 2 of 4 of a checkpoint record)"))
        << bad.output;

    Checked huge = checkLevelText(replaced(kSoundLevel, "  600 440\n", "  600 1e39\n"));
    EXPECT_EQ(huge.status, LevelChecker::kExitProblems);
    EXPECT_TRUE(huge.hasStart("assets/models/gameData.txt:12: '1e39': finite number within float range expected"))
        << huge.output;

    Checked nan = checkLevelText(replaced(kSoundLevel, "  600 440\n", "  nan 440\n"));
    EXPECT_TRUE(nan.hasStart("assets/models/gameData.txt:12: 'nan': finite number within float range expected"))
        << nan.output;
}

TEST(LevelCheckerTest, GridThatCannotBeBuiltIsNamedByTheValueAtFault) {
    Checked rows = checkLevelText(replaced(kSoundLevel, "  3 3  5000", "  1.5 3  5000"));
    EXPECT_EQ(rows.status, LevelChecker::kExitProblems);
    EXPECT_TRUE(rows.has("assets/models/gameData.txt:6: '1.5': rows must be a whole number of at least 2: the grid is "
                         "left out"))
        << rows.output;
    // Without the grid there is no sphere for its pins.
    EXPECT_TRUE(rows.hasStart("assets/models/gameData.txt:6: '8': pin index out of range (no grid so far has spheres)"))
        << rows.output;

    Checked cols = checkLevelText(replaced(kSoundLevel, "  3 3  5000", "  3 1  5000"));
    EXPECT_TRUE(cols.hasStart("assets/models/gameData.txt:6: '1': columns must be a whole number")) << cols.output;

    Checked many = checkLevelText(replaced(kSoundLevel, "  3 3  5000", "  257 256  5000"));
    EXPECT_TRUE(many.hasStart("assets/models/gameData.txt:6: '257': rows x columns is more than 65536 spheres"))
        << many.output;

    Checked stiffness = checkLevelText(replaced(kSoundLevel, "  3 3  5000", "  3 3  0"));
    EXPECT_TRUE(stiffness.hasStart("assets/models/gameData.txt:6: '0': spring stiffness must be positive"))
        << stiffness.output;

    Checked size = checkLevelText(replaced(kSoundLevel, "0 5 0  .45 .45", "0 5 0  .45 -4"));
    EXPECT_TRUE(size.hasStart("assets/models/gameData.txt:6: '-4': size along z must be positive")) << size.output;
}

TEST(LevelCheckerTest, PinIndicesCountOverTheGridsBuiltSoFar) {
    Checked far = checkLevelText(replaced(kSoundLevel, "0 2 6 8\n", "0 2 6 9999\n"));
    EXPECT_EQ(far.status, LevelChecker::kExitProblems);
    EXPECT_TRUE(far.has("assets/models/gameData.txt:6: '9999': pin index out of range (the grids so far have spheres "
                        "0 to 8): it pins nothing"))
        << far.output;

    // The second grid's pins may name the first grid's spheres; 18 is one past both.
    Checked two = checkLevelText(replaced(kSoundLevel, "ENDPATCH\n", "  4 5 0  .45 .45  3 3  5000  17 0 -1 18\nENDPATCH\n"));
    EXPECT_EQ(two.status, LevelChecker::kExitProblems);
    EXPECT_TRUE(two.has("assets/models/gameData.txt:7: '-1': pin index is negative: it pins nothing")) << two.output;
    EXPECT_TRUE(two.hasStart("assets/models/gameData.txt:7: '18': pin index out of range (the grids so far have "
                             "spheres 0 to 17)"))
        << two.output;
    EXPECT_TRUE(two.has("assets/models/gameData.txt: 2 problems")) << two.output;

    // Truncation toward zero, as the game converts pins: -0.5 pins sphere 0, 8.9 sphere 8.
    Checked fractions = checkLevelText(replaced(kSoundLevel, "0 2 6 8\n", "-0.5 2 6 8.9\n"));
    EXPECT_EQ(fractions.status, LevelChecker::kExitClean) << fractions.output;
}

TEST(LevelCheckerTest, MissingOrDamagedImagesAreNamedWhereTheyAreNamed) {
    {
        testSupport::ScopedTempDir dir;
        writeLevel(dir, kSoundLevel);
        std::remove("assets/models/cloth.bmp");
        Checked r = check(".");
        EXPECT_EQ(r.status, LevelChecker::kExitProblems);
        EXPECT_TRUE(r.has("assets/models/gameData.txt:4: 'assets/models/cloth.bmp': patch image missing or not readable"))
            << r.output;
    }
    {
        testSupport::ScopedTempDir dir;
        writeLevel(dir, kSoundLevel);
        testSupport::BmpBytes shallow = testSupport::twoByTwoPicture();
        shallow.bitsPerPixel = 24;
        dir.write("assets/models/rock.bmp", shallow.build());
        Checked r = check(".");
        EXPECT_EQ(r.status, LevelChecker::kExitProblems);
        EXPECT_TRUE(r.hasStart("assets/models/ground.ase:8: '\"assets/models/rock.bmp\"': scene image does not load"))
            << r.output;
    }
}

TEST(LevelCheckerTest, MissingSceneModelIsNamedInTheLevelFile) {
    Checked r = checkLevelText(replaced(kSoundLevel, "assets/models/ground.ase", "assets/models/gone.ase"));
    EXPECT_EQ(r.status, LevelChecker::kExitProblems);
    EXPECT_TRUE(r.has("assets/models/gameData.txt:3: 'assets/models/gone.ase': scene model missing or not readable"))
        << r.output;
}

TEST(LevelCheckerTest, ProblemsOfTheSceneModelNameTheModelFile) {
    testSupport::ScopedTempDir dir;
    writeLevel(dir, kSoundLevel);
    std::string model = testSupport::groundAse();
    model = replaced(model, "*MESH_VERTEX    3\t", "*MESH_VERTEX    4\t");  // line 22: beyond the 4 vertices
    model = replaced(model, "*MESH_FACE    1:", "*MESH_FACE    0:");        // line 26: face 0 again
    model = replaced(model, "*MESH_NUMTVFACES", "*MESH_NUMTVFACES_GONE");  // and the walk ends
    dir.write("assets/models/ground.ase", model);
    Checked r = check(".");
    EXPECT_EQ(r.status, LevelChecker::kExitProblems);
    EXPECT_TRUE(r.has("assets/models/ground.ase:22: '4': vertex index out of range (0 to 3)")) << r.output;
    EXPECT_TRUE(r.has("assets/models/ground.ase:26: '0:': face 0 given twice")) << r.output;
    EXPECT_TRUE(r.hasStart("assets/models/ground.ase:51: '*MESH_NUMTVFACES': keyword missing")) << r.output;
}

TEST(LevelCheckerTest, CheckpointOutOfReachBelowTheFallHeight) {
    Checked deep = checkLevelText(replaced(kSoundLevel, "  1 4 0 0.5\n", "  1 -60 0 0.5\n"));
    EXPECT_EQ(deep.status, LevelChecker::kExitProblems);
    EXPECT_TRUE(deep.hasStart("assets/models/gameData.txt:9: '-60': checkpoint out of reach")) << deep.output;

    // The ball (radius 0.2) at the fall height still touches a bubble whose top is 0.1 below it.
    Checked edge = checkLevelText(replaced(kSoundLevel, "  1 4 0 0.5\n", "  1 -50.6 0 0.5\n"));
    EXPECT_EQ(edge.status, LevelChecker::kExitClean) << edge.output;
    Checked beyond = checkLevelText(replaced(kSoundLevel, "  1 4 0 0.5\n", "  1 -50.8 0 0.5\n"));
    EXPECT_EQ(beyond.status, LevelChecker::kExitProblems) << beyond.output;
}

TEST(LevelCheckerTest, LevelWithoutCheckpointsOrSceneCanNeverBeFinished) {
    Checked r = checkLevelText("BEGINDATA\nBEGINTACK 1 2 ENDTACK\nENDDATA\n");
    EXPECT_EQ(r.status, LevelChecker::kExitProblems);
    EXPECT_TRUE(r.has("assets/models/gameData.txt:3: 'ENDDATA': no checkpoints: a run can never finish")) << r.output;
    EXPECT_TRUE(r.hasStart("assets/models/gameData.txt:3: 'ENDDATA': no BEGINSCENE")) << r.output;
}

TEST(LevelCheckerTest, ProblemsAreListedInLineOrderWithTheLevelFileFirst) {
    testSupport::ScopedTempDir dir;
    std::string text = replaced(kSoundLevel, "  600 440\n", "  600 x\n");  // the reading stops on line 12
    text = replaced(text, "0 2 6 8\n", "0 2 6 99\n");                      // found after it, on line 6
    writeLevel(dir, text);
    std::remove("assets/models/rock.bmp");
    Checked r = check(".");
    EXPECT_EQ(r.output,
              "assets/models/gameData.txt:6: '99': pin index out of range (the grids so far have spheres 0 to 8): it "
              "pins nothing\n"
              "assets/models/gameData.txt:12: 'x': number expected (value 2 of 2 of a tack record)\n"
              "assets/models/ground.ase:8: '\"assets/models/rock.bmp\"': scene image missing or not readable\n"
              "assets/models/gameData.txt: 3 problems\n");
}

TEST(LevelCheckerTest, WarningsForHowTheLevelPlaysLeaveTheExitStatusAlone) {
    const std::string kBubble = "assets/models/gameData.txt:9: '0.5': warning: checkpoint ";
    const std::string kSpan = kBubble + "does not span its lane (2.02 wide)";
    const std::string kCut = kBubble + "cuts through face 1 of assets/models/ground.ase (0.21 inside its surface)";
    const std::string kCells = "assets/models/gameData.txt:6: '3': warning: cloth cells of 0.20 x 0.20 let the ball through";
    struct Case {
        const char* from;
        const char* to;
        std::vector<std::string> lineStarts;
    } cases[] = {
        // Over the middle of the slab: a ball rolling across it, a radius in
        // from each edge, must pass within 0.2 of the bubble's surface.
        {"  1 4 0 0.5\n", "  0 0.6 0 0.5\n", {kSpan}},
        {"  1 4 0 0.5\n", "  0 1.3 0 1.2\n", {}},
        {"  1 4 0 0.5\n", "  0 0.3 0 0.5\n", {kCut, kSpan}},
        {"  1 4 0 0.5\n", "  5 0.3 0 0.5\n", {}},  // beside the slab, over nothing
        {".45 .45  3 3", ".6 .6  3 3", {kCells}},   // half a diagonal of 0.14, stretched 2.6 times
    };
    for (const Case& c : cases) {
        Checked r = checkLevelText(replaced(kSoundLevel, c.from, c.to));
        SCOPED_TRACE(c.to);
        EXPECT_EQ(r.status, LevelChecker::kExitClean);
        for (const std::string& start : c.lineStarts) EXPECT_TRUE(r.hasStart(start)) << r.output;
        std::string count = c.lineStarts.empty() ? "" : "; " + plural(c.lineStarts.size());
        EXPECT_NE(r.output.find("scene triangles" + count + "\n"), std::string::npos) << r.output;
    }
    // With problems, the warnings follow them and both are counted.
    Checked both = checkLevelText(replaced(replaced(kSoundLevel, "  1 4 0 0.5\n", "  0 0.6 0 0.5\n"), "  600 440\n", "  600 x\n"));
    EXPECT_EQ(both.status, LevelChecker::kExitProblems);
    EXPECT_TRUE(both.has("assets/models/gameData.txt: 1 problem; 1 warning")) << both.output;
}

TEST(LevelCheckerTest, MissingLevelFileIsAProblemUnderTheGivenRoot) {
    testSupport::ScopedTempDir dir;
    Checked r = check(dir.path());
    EXPECT_EQ(r.status, LevelChecker::kExitProblems);
    EXPECT_TRUE(r.has(dir.path() + "/assets/models/gameData.txt: level file missing or not readable")) << r.output;
}
