#pragma once

#include <string>

#include "framework/Application.h"
#include "game/scene/GameDataRecords.h"

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
    void readGameData(const std::string& fileName);
    /// Reads "assets/models/gameData.txt" and builds the whole game from it.
    /// Needs a GL context (constructors load their pictures).
    void createEntities() override;

    /// Null before createEntities.
    Game* getGame() const { return game; }
    const GameData& getGameData() const { return data; }

private:
    Game* game = nullptr;
    GameData data;
};

}  // namespace quiltRush
