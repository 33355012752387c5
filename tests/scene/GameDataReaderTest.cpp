#include "game/scene/GameDataReader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/support/ScopedTempDir.h"

using quiltRush::GameData;
using quiltRush::GameDataReader;

namespace {

struct ReadResult {
    GameData data;
    bool complete = false;
    std::string printed;
};

ReadResult readText(const std::string& text) {
    ReadResult result;
    std::istringstream in(text);
    testing::internal::CaptureStdout();
    result.complete = GameDataReader::read(in, result.data);
    result.printed = testing::internal::GetCapturedStdout();
    return result;
}

}  // namespace

TEST(GameDataReaderTest, EmptyDataBlockGivesNothingAndPrintsNothing) {
    ReadResult r = readText("BEGINDATA\nENDDATA\n");
    EXPECT_TRUE(r.complete);
    EXPECT_EQ(r.printed, "");
    EXPECT_TRUE(r.data.patchRecords.empty());
    EXPECT_TRUE(r.data.checkpointRecords.empty());
    EXPECT_TRUE(r.data.tackRecords.empty());
    EXPECT_EQ(r.data.scene.modelFile, "");
    EXPECT_EQ(r.data.scene.patchTexture, "");
}

TEST(GameDataReaderTest, WrongFirstWordPrintsOneErrorAndReadsNothing) {
    ReadResult r = readText("BEGINPATCH 0 0 0 1 1 2 2 10 0 1 2 3 ENDPATCH\nBEGINDATA BEGINTACK 1 2 ENDTACK ENDDATA");
    EXPECT_FALSE(r.complete);
    EXPECT_EQ(r.printed, "Error reading data\n");
    EXPECT_TRUE(r.data.patchRecords.empty());
    EXPECT_TRUE(r.data.tackRecords.empty());
}

TEST(GameDataReaderTest, EmptyFileHasNoBeginDataAndPrintsTheError) {
    EXPECT_EQ(readText("").printed, "Error reading data\n");
    EXPECT_EQ(readText(" \n\t ").printed, "Error reading data\n");
}

TEST(GameDataReaderTest, PatchRecordTakesTwelveNumbersInFileOrder) {
    ReadResult r = readText("BEGINDATA BEGINPATCH 1 2.5 -3 4 5 10 12 800 0 9 90 99 ENDPATCH ENDDATA");
    ASSERT_TRUE(r.complete);
    ASSERT_EQ(r.data.patchRecords.size(), 1u);
    const quiltRush::PatchRecord& p = r.data.patchRecords[0];
    EXPECT_EQ(p.x, 1.0f);
    EXPECT_EQ(p.y, 2.5f);
    EXPECT_EQ(p.z, -3.0f);
    EXPECT_EQ(p.sizeX, 4.0f);
    EXPECT_EQ(p.sizeZ, 5.0f);
    EXPECT_EQ(p.rows, 10.0f);
    EXPECT_EQ(p.cols, 12.0f);
    EXPECT_EQ(p.stiffness, 800.0f);
    EXPECT_EQ(p.fixed[0], 0.0f);
    EXPECT_EQ(p.fixed[1], 9.0f);
    EXPECT_EQ(p.fixed[2], 90.0f);
    EXPECT_EQ(p.fixed[3], 99.0f);
}

TEST(GameDataReaderTest, EightCheckpointNumbersGiveTwoRecordsInOrder) {
    ReadResult r = readText("BEGINDATA\nBEGINCHECKPOINT\n1 2 3 0.5\n-4 5 -6 1.25\nENDCHECKPOINT\nENDDATA\n");
    ASSERT_EQ(r.data.checkpointRecords.size(), 2u);
    const auto& first = r.data.checkpointRecords[0];
    const auto& second = r.data.checkpointRecords[1];
    EXPECT_EQ(first.x, 1.0f);
    EXPECT_EQ(first.y, 2.0f);
    EXPECT_EQ(first.z, 3.0f);
    EXPECT_EQ(first.radius, 0.5f);
    EXPECT_EQ(second.x, -4.0f);
    EXPECT_EQ(second.y, 5.0f);
    EXPECT_EQ(second.z, -6.0f);
    EXPECT_EQ(second.radius, 1.25f);
    EXPECT_EQ(first.checkpoint, nullptr);
}

TEST(GameDataReaderTest, TackRecordKeepsItsFractions) {
    ReadResult r = readText("BEGINDATA BEGINTACK 10.9 5.2 ENDTACK ENDDATA");
    ASSERT_EQ(r.data.tackRecords.size(), 1u);
    EXPECT_EQ(r.data.tackRecords[0].x, 10.9f);
    EXPECT_EQ(r.data.tackRecords[0].y, 5.2f);
}

TEST(GameDataReaderTest, RepeatedSectionsAppendToOneListAndOtherWordsAreSkipped) {
    ReadResult r = readText(
        "BEGINDATA level one BEGINTACK 1 2 3 4 ENDTACK comment BEGINCHECKPOINT 0 0 0 1 ENDCHECKPOINT "
        "BEGINTACK 5 6 ENDTACK ENDDATA");
    EXPECT_TRUE(r.complete);
    ASSERT_EQ(r.data.tackRecords.size(), 3u);
    EXPECT_EQ(r.data.tackRecords[0].x, 1.0f);
    EXPECT_EQ(r.data.tackRecords[1].x, 3.0f);
    EXPECT_EQ(r.data.tackRecords[2].x, 5.0f);
    EXPECT_EQ(r.data.tackRecords[2].y, 6.0f);
    EXPECT_EQ(r.data.checkpointRecords.size(), 1u);
}

TEST(GameDataReaderTest, SceneTakesTheNextTwoWordsWhateverTheyAre) {
    ReadResult r = readText("BEGINDATA BEGINSCENE assets/models/scene.ase assets/patch.bmp BEGINTACK 1 2 ENDTACK ENDDATA");
    EXPECT_EQ(r.data.scene.modelFile, "assets/models/scene.ase");
    EXPECT_EQ(r.data.scene.patchTexture, "assets/patch.bmp");
    EXPECT_EQ(r.data.tackRecords.size(), 1u);  // the third word is an ordinary data-level word

    ReadResult keywords = readText("BEGINDATA BEGINSCENE ENDDATA BEGINTACK ENDDATA");
    EXPECT_TRUE(keywords.complete);
    EXPECT_EQ(keywords.data.scene.modelFile, "ENDDATA");
    EXPECT_EQ(keywords.data.scene.patchTexture, "BEGINTACK");
    EXPECT_TRUE(keywords.data.tackRecords.empty());
}

TEST(GameDataReaderTest, SecondSceneReplacesBothNames) {
    ReadResult r = readText("BEGINDATA BEGINSCENE a.ase a.bmp BEGINSCENE b.ase b.bmp ENDDATA");
    EXPECT_EQ(r.data.scene.modelFile, "b.ase");
    EXPECT_EQ(r.data.scene.patchTexture, "b.bmp");
}

TEST(GameDataReaderTest, WordsAfterEndDataAreNotRead) {
    ReadResult r = readText("BEGINDATA ENDDATA BEGINTACK 1 2 ENDTACK");
    EXPECT_TRUE(r.complete);
    EXPECT_TRUE(r.data.tackRecords.empty());
}

TEST(GameDataReaderTest, MissingEndDataStopsAtTheEndKeepingTheRecords) {
    ReadResult r = readText("BEGINDATA BEGINTACK 1 2 ENDTACK BEGINCHECKPOINT 1 2 3 4 ENDCHECKPOINT");
    EXPECT_FALSE(r.complete);
    EXPECT_EQ(r.printed, "");
    EXPECT_EQ(r.data.tackRecords.size(), 1u);
    EXPECT_EQ(r.data.checkpointRecords.size(), 1u);
}

TEST(GameDataReaderTest, MissingClosingWordStopsAtTheEndKeepingCompleteRecords) {
    ReadResult r = readText("BEGINDATA BEGINPATCH 0 0 0 1 1 2 2 10 0 1 2 3  4 4 4 1 1 2 2 10 0 1 2 3");
    EXPECT_FALSE(r.complete);
    ASSERT_EQ(r.data.patchRecords.size(), 2u);
    EXPECT_EQ(r.data.patchRecords[1].x, 4.0f);
}

TEST(GameDataReaderTest, RecordCutShortAtTheEndIsDropped) {
    ReadResult r = readText("BEGINDATA BEGINCHECKPOINT 1 2 3 4 5 6 7");
    EXPECT_FALSE(r.complete);
    ASSERT_EQ(r.data.checkpointRecords.size(), 1u);
    EXPECT_EQ(r.data.checkpointRecords[0].radius, 4.0f);

    ReadResult scene = readText("BEGINDATA BEGINSCENE only.ase");
    EXPECT_FALSE(scene.complete);
    EXPECT_EQ(scene.data.scene.modelFile, "only.ase");
    EXPECT_EQ(scene.data.scene.patchTexture, "");
}

TEST(GameDataReaderTest, WordThatIsNotAWholeNumberEndsTheReading) {
    for (const char* bad : {"abc", "1.5x", "--1", "ENDCHECKPOINT"}) {
        std::string text = std::string("BEGINDATA BEGINTACK 1 2 ENDTACK BEGINCHECKPOINT 1 2 3 4 5 ") + bad +
                           " 7 8 ENDCHECKPOINT BEGINTACK 3 4 ENDTACK ENDDATA";
        ReadResult r = readText(text);
        EXPECT_FALSE(r.complete) << bad;
        EXPECT_EQ(r.data.checkpointRecords.size(), 1u) << bad;
        EXPECT_EQ(r.data.tackRecords.size(), 1u) << "nothing after the bad word is read: " << bad;
    }
}

TEST(GameDataReaderTest, NumbersThatAreNotFiniteFloatsEndTheReading) {
    for (const char* bad : {"1e999", "1e39", "-1e39", "nan", "NAN", "inf", "-infinity"}) {
        ReadResult r = readText(std::string("BEGINDATA BEGINTACK 1 2 ") + bad + " 4 ENDTACK ENDDATA");
        EXPECT_FALSE(r.complete) << bad;
        EXPECT_EQ(r.data.tackRecords.size(), 1u) << bad;
    }
}

TEST(GameDataReaderTest, DecimalFormsOfTheStandardConversionAreAccepted) {
    ReadResult r = readText("BEGINDATA BEGINTACK +1.5e2 -.25 1e-3 3. ENDTACK ENDDATA");
    ASSERT_TRUE(r.complete);
    ASSERT_EQ(r.data.tackRecords.size(), 2u);
    EXPECT_EQ(r.data.tackRecords[0].x, 150.0f);
    EXPECT_EQ(r.data.tackRecords[0].y, -0.25f);
    EXPECT_EQ(r.data.tackRecords[1].x, 0.001f);
    EXPECT_EQ(r.data.tackRecords[1].y, 3.0f);
}

TEST(GameDataReaderTest, ReadFileReadsFromDiskAndIgnoresMissingFiles) {
    testSupport::ScopedTempDir dir;
    dir.write("assets/models/gameData.txt", "BEGINDATA\r\nBEGINTACK\r\n7 8\r\nENDTACK\r\nENDDATA\r\n");
    GameData data;
    testing::internal::CaptureStdout();
    EXPECT_TRUE(GameDataReader::readFile("assets/models/gameData.txt", data));
    EXPECT_FALSE(GameDataReader::readFile("assets/models/missing.txt", data));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    ASSERT_EQ(data.tackRecords.size(), 1u);
    EXPECT_EQ(data.tackRecords[0].y, 8.0f);
}
