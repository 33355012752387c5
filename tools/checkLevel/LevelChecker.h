#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "game/physics/Polygon.h"
#include "game/scene/GameDataReader.h"
#include "game/scene/ProblemList.h"
#include "game/scene/ReadProblem.h"

namespace quiltRush {

/// Checks a level as the game will meet it, with the game's own readers: the
/// level file, the grids, pins and checkpoints it describes, the scene model it
/// names and the two images (the model's *BITMAP and the patch image). Every
/// problem is written as one line "file:line: 'word': message", file by file
/// and in line order, with file paths as the level gives them (under root
/// unless root is "."), then a count; a clean level gives one summary line.
/// Warnings follow the problems in the same form, their message starting
/// "warning: ", and the count or summary line adds theirs: things the game
/// takes as they are but a player would meet (a checkpoint a rolling ball can
/// miss or that shows through the course, a cloth the ball can fall through
/// when stretched). They do not change the exit status.
class LevelChecker {
public:
    static constexpr int kExitClean = 0;
    static constexpr int kExitProblems = 1;

    /// root: the project folder that holds assets/, as the game's working
    /// directory; levelFile: the level's file as the game names it, under root.
    explicit LevelChecker(std::string root, std::string levelFile = GameDataReader::kLevelFile);

    /// Checks the whole level, writing to out; kExitClean or kExitProblems.
    int run(std::ostream& out);

private:
    void report(const std::string& file, const WordPlace& place, const std::string& message);
    void warn(const WordPlace& place, const std::string& message);  // in the level file

    void checkGrids(const GameData& level, const GameDataPlaces& places);
    void checkPin(float value, const WordPlace& place);
    void checkCheckpoints(const GameData& level, const GameDataPlaces& places, bool complete);
    void checkClothCells(const PatchRecord& record, const WordPlace& place);
    void checkScene(const SceneData& scene, const GameDataPlaces& places, bool complete);
    void checkCheckpointPlaces(const GameData& level, const GameDataPlaces& places);
    void checkModel(const std::string& modelFile, const WordPlace& place);
    void checkImage(const std::string& imageFile, const std::string& namedIn, const WordPlace& place, const char* what);
    void writeProblems(std::ostream& out);
    void writeSummary(std::ostream& out, const GameData& level);

    std::string countsOfWarnings() const;

    std::string levelFile;
    ProblemList problems;
    ProblemList warnings;
    std::vector<Polygon> scenePolygons;  // the model's collision triangles, when it was read
    std::string modelFile;  // the scene model's name, as the level gives it
    std::size_t grids = 0;
    std::size_t spheres = 0;  // patch-wide, over the grids built so far
    std::size_t sceneTriangles = 0;
};

}  // namespace quiltRush
