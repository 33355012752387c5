#include "game/scene/QuiltRushApplication.h"

#include <gtest/gtest.h>

#include "tests/support/ScopedTempDir.h"

namespace quiltRush {
namespace {

TEST(QuiltRushApplicationTest, KeepsTheFrameworkWindowDefaults) {
    QuiltRushApplication app;
    EXPECT_EQ(app.getWidth(), 640u);
    EXPECT_EQ(app.getHeight(), 480u);
    EXPECT_EQ(app.getTitle(), "OpenGL GLUT Application");
    EXPECT_EQ(app.getGame(), nullptr);
}

TEST(QuiltRushApplicationTest, MissingLevelFileLeavesNoRecords) {
    testSupport::ScopedTempDir directory;
    QuiltRushApplication app;
    app.readGameData("assets/models/gameData.txt");
    EXPECT_TRUE(app.getGameData().patchRecords.empty());
    EXPECT_TRUE(app.getGameData().checkpointRecords.empty());
    EXPECT_TRUE(app.getGameData().tackRecords.empty());
    EXPECT_EQ(app.getGameData().scene.modelFile, "");
}

TEST(QuiltRushApplicationTest, ReadGameDataKeepsTheRecordsInFileOrder) {
    testSupport::ScopedTempDir directory;
    directory.write("level.txt",
                    "BEGINDATA BEGINTACK 10.9 5.2 ENDTACK BEGINCHECKPOINT 1 2 3 4 5 6 7 8 ENDCHECKPOINT "
                    "BEGINTACK 1 2 ENDTACK BEGINSCENE a.ase b.bmp ENDDATA");
    QuiltRushApplication app;
    app.readGameData("level.txt");
    const GameData& data = app.getGameData();
    ASSERT_EQ(data.tackRecords.size(), 2u);
    EXPECT_EQ(data.tackRecords[0].x, 10.9f);
    EXPECT_EQ(data.tackRecords[1].y, 2.0f);
    ASSERT_EQ(data.checkpointRecords.size(), 2u);
    EXPECT_EQ(data.checkpointRecords[1].radius, 8.0f);
    EXPECT_EQ(data.scene.modelFile, "a.ase");
    EXPECT_EQ(data.scene.patchTexture, "b.bmp");
}

}  // namespace
}  // namespace quiltRush
