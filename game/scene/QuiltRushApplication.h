#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "framework/Application.h"
#include "game/play/BestTimes.h"
#include "game/scene/GameDataReader.h"
#include "game/scene/GameDataRecords.h"
#include "game/scene/LevelPack.h"
#include "game/scene/ProblemList.h"

namespace quiltRush {

class Game;
class SoundPlayer;

/// The game's application: reads the level and creates, wires and registers
/// every entity in a fixed order, which is the order of every update, draw
/// and input pass while the level lasts. Keeps the level's records for as
/// long. A change of level takes the whole world down and builds the new
/// one the same way.
class QuiltRushApplication : public kiln::Application {
public:
    /// The framework's window defaults; no level read yet; the level to build
    /// is "assets/models/gameData.txt" until told otherwise.
    QuiltRushApplication() = default;

    /// Reads a level file into the records; a missing or malformed file leaves
    /// them empty (the game then has an empty cloth, no checkpoints, no tacks).
    /// What is wrong with the file is kept among the level's problems.
    void readGameData(const std::string& fileName);
    /// Reads the level file and builds the whole game from it, then writes
    /// the level's problems to standard error and "log.txt" (a sound level
    /// writes nothing); without an assets folder it says where it looked
    /// instead. Needs a GL context (constructors load their pictures).
    void createEntities() override;
    /// A level change asked for since the last tick is made first; the tick
    /// after it only primes the clock, as the first tick of the program does.
    void update() override;

    /// The level file createEntities reads. Before init only.
    void setLevelFile(const std::string& fileName) { levelFile = fileName; }
    const std::string& getLevelFile() const { return levelFile; }
    /// The file the best times are read from and saved to: "times.txt" in the
    /// working directory until told otherwise. Before init only.
    void setBestTimesFile(const std::string& fileName) { bestTimesFile = fileName; }
    /// The pack of levels offered on the level screen ("assets/levels/pack.txt"),
    /// read on first use.
    const LevelPack& getPack();
    /// Asks for pack level index; the change is made at the start of the next
    /// tick, outside every notifier's walk. An index outside the pack is ignored.
    void requestLevel(std::size_t index);
    /// Takes the world down and builds pack level index through the same
    /// assembly as start-up, then starts a fresh run on it. Never from inside
    /// a dispatch (requestLevel is for that).
    void switchLevel(std::size_t index);

    /// Null before createEntities.
    Game* getGame() const { return game; }
    /// How many worlds createEntities has built: 1 after start-up, one more for every change of level.
    unsigned getWorldsBuilt() const { return worldsBuilt; }
    const GameData& getGameData() const { return data; }

private:
    void reportLevelProblems();
    /// Everything createEntities made, gone: every entity but the sound player.
    void tearDownWorld();

    std::string levelFile = GameDataReader::kLevelFile;
    std::string bestTimesFile = BestTimes::kFileName;
    std::optional<LevelPack> pack;
    std::optional<std::size_t> pendingLevel;
    Game* game = nullptr;
    unsigned worldsBuilt = 0;
    SoundPlayer* sound = nullptr;  // kept from level to level: the device stays open, a mute stays
    GameData data;
    ProblemList problems;  // what the readers found wrong with the level
};

}  // namespace quiltRush
