#pragma once

#include <string>

#include "framework/Application.h"
#include "game/scene/GameDataRecords.h"
#include "game/scene/ProblemList.h"

namespace quiltRush {

class Game;

/// The game's application: reads the level and creates, wires and registers
/// every entity in a fixed order, which is the order of every update, draw
/// and input pass for the whole run. Keeps the level's records for its life.
class QuiltRushApplication : public kiln::Application {
public:
    /// The framework's window defaults; no level read yet.
    QuiltRushApplication() = default;

    /// Reads a level file into the records; a missing or malformed file leaves
    /// them empty (the game then has an empty cloth, no checkpoints, no tacks).
    /// What is wrong with the file is kept among the level's problems.
    void readGameData(const std::string& fileName);
    /// Reads "assets/models/gameData.txt" and builds the whole game from it,
    /// then writes the level's problems to standard error and "log.txt" (a
    /// sound level writes nothing); without an assets folder it says where it
    /// looked instead. Needs a GL context (constructors load their pictures).
    void createEntities() override;

    /// Null before createEntities.
    Game* getGame() const { return game; }
    const GameData& getGameData() const { return data; }

private:
    void reportLevelProblems();

    Game* game = nullptr;
    GameData data;
    ProblemList problems;  // what the readers found wrong with the level
};

}  // namespace quiltRush
