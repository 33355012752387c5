#include "game/scene/QuiltRushApplication.h"

#include <GL/gl.h>

#include <cmath>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "framework/DebugFile.h"
#include "framework/Manager.h"
#include "framework/Registry.h"
#include "game/physics/Ball.h"
#include "game/physics/Checkpoint.h"
#include "game/physics/Patch.h"
#include "game/physics/PhysicsEngine.h"
#include "game/physics/Tack.h"
#include "game/play/BestTimes.h"
#include "game/play/Camera.h"
#include "game/play/Credits.h"
#include "game/play/FinishScreen.h"
#include "game/play/Game.h"
#include "game/play/InputHandler.h"
#include "game/play/LevelScreen.h"
#include "game/play/Manual.h"
#include "game/play/Menu.h"
#include "game/play/PosixFileSystem.h"
#include "game/play/RunOverlay.h"
#include "game/scene/GameDataReader.h"
#include "game/scene/Light.h"
#include "game/scene/Object.h"
#include "game/scene/SkyBox.h"
#include "game/scene/SoundPlayer.h"
#include "game/scene/Texture.h"

namespace quiltRush {

namespace {

const Vector3 kBallStart(-3.0f, 2.0f, -3.0f);
const Vector3 kCameraEye(0.0f, 0.0f, -5.0f);
const Vector3 kCameraTarget(0.0f, 0.0f, 0.0f);
const Vector3 kCameraUp(0.0f, 1.0f, 0.0f);
constexpr const char* kAssetsFolder = "assets";
constexpr const char* kLauncher = "quiltrush";
constexpr const char* kLevelChecker = "quiltrush-check-level";
constexpr std::size_t kListedProblems = 20;  // the checker lists them all

// A pin index from the level: the value truncated toward zero. A negative
// index, or one that no sphere index can reach, pins nothing.
void pinSphere(Patch& patch, float value) {
    double index = std::trunc(static_cast<double>(value));
    if (!(index >= 0.0) || index > static_cast<double>(std::numeric_limits<unsigned int>::max())) return;
    patch.fixSphere(static_cast<unsigned int>(index));
}

// A tack coordinate truncated toward zero; a value beyond int's range is held at its edge.
int toTackCoordinate(float value) {
    double whole = std::trunc(static_cast<double>(value));
    if (std::isnan(whole)) return 0;
    if (whole <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    if (whole >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    return static_cast<int>(whole);
}

// A level's best times are kept under a key that follows its files' bytes.
std::string bestKeyOf(const std::string& levelFile, const std::string& modelFile) {
    PosixFileSystem files;
    std::string level;
    std::string model;
    files.read(levelFile, BestTimes::kMaxLevelBytes, level);
    files.read(modelFile, BestTimes::kMaxLevelBytes, model);
    return BestTimes::keyOf(level, model);
}

// The key of a level not built now: its model file is named inside it. Read
// in silence; what is wrong with it is said when it is played.
std::string bestKeyOf(const std::string& levelFile) {
    GameData level;
    GameDataDiagnostics quiet;
    GameDataReader::readFile(levelFile, level, &quiet);
    return bestKeyOf(levelFile, level.scene.modelFile);
}

// The best times of every level, read now.
std::unique_ptr<BestTimes> loadBestTimes(const std::string& fileName) {
    auto times = std::make_unique<BestTimes>(fileName, std::make_unique<PosixFileSystem>(),
                                             [](const std::string& line) {
                                                 kiln::DebugFile::instance()->stream << line << std::endl;
                                             });
    times->load();
    return times;
}

std::vector<LevelCard> cardsOf(const LevelPack& pack) {
    std::vector<LevelCard> cards;
    for (const PackLevel& level : pack.getLevels()) {
        cards.push_back({level.name, level.hint, bestKeyOf(level.file), LevelPack::previewOf(level.name)});
    }
    return cards;
}

}  // namespace

void QuiltRushApplication::readGameData(const std::string& fileName) {
    GameDataDiagnostics diagnostics;
    diagnostics.problems = problems.sinkFor(fileName);
    diagnostics.printErrorReadingData = true;
    GameDataReader::readFile(fileName, data, &diagnostics);
}

// Every path the game opens is relative to the working directory, so a game
// started anywhere else finds nothing and would show a blank window in silence.
void QuiltRushApplication::reportLevelProblems() {
    std::error_code error;
    if (!std::filesystem::is_directory(kAssetsFolder, error)) {
        std::filesystem::path here = std::filesystem::current_path(error);
        std::cerr << "quiltrush: no " << kAssetsFolder << "/ folder in " << (error ? std::string(".") : here.string())
                  << ": start the game from the folder that holds " << kAssetsFolder << "/, or through the installed launcher "
                  << kLauncher << std::endl;
        return;
    }
    if (problems.empty()) return;
    std::ostringstream lines;
    problems.write(lines, kListedProblems);
    lines << "level: " << problems.size() << (problems.size() == 1 ? " problem" : " problems") << "; run "
          << kLevelChecker << " for the list\n";
    std::cerr << lines.str() << std::flush;
    kiln::DebugFile::instance()->stream << lines.str() << std::flush;
}

const LevelPack& QuiltRushApplication::getPack() {
    if (!pack) pack = LevelPack::readFile();
    return *pack;
}

void QuiltRushApplication::requestLevel(std::size_t index) {
    if (index < getPack().size()) pendingLevel = index;
}

void QuiltRushApplication::update() {
    if (pendingLevel) switchLevel(*pendingLevel);
    kiln::Application::update();
}

void QuiltRushApplication::switchLevel(std::size_t index) {
    pendingLevel.reset();
    if (index >= getPack().size()) return;
    tearDownWorld();
    levelFile = getPack().getLevels()[index].file;
    init();
    deleteSpareTextures();
    // init leaves the game on its menu; a chosen level is played at once.
    game->suspend();
    game->restart();
    // The time the building took is no part of the run.
    firstFrame = true;
}

// The one place where a level's world ends. The registry deletes every entity
// (the physics engine and the input handler among them, which forget their
// singletons, and with them the spheres, springs and polygons their owners
// made); the notifiers go first, with every listener record. The pictures are
// let go last, once nothing holds them: the next world takes again those it
// shows too, and switchLevel deletes the rest once that world is built. Mesa's
// software renderer loses a little of a texture deleted after it was drawn, so
// the pictures every level shares are not deleted at all. The sound player is
// taken out first and registered again by the next createEntities.
void QuiltRushApplication::tearDownWorld() {
    if (sound != nullptr) kiln::Registry::instance()->release(sound->getId());
    kiln::Manager::destroyEntities();
    spareLoadedTextures();
    game = nullptr;
    data = GameData();
    problems = ProblemList();
}

void QuiltRushApplication::createEntities() {
    ++worldsBuilt;
    problems.start(levelFile);
    readGameData(levelFile);
    const LevelPack& levelPack = getPack();
    std::size_t packIndex = levelPack.indexOfFile(levelFile);

    auto* menu = new Menu();
    auto* manual = new Manual();
    auto* credits = new Credits();
    // The ball must be the engine's first sphere: nothing before it may register one.
    auto* ball = new Ball("Ball", kBallStart);
    auto* camera = new Camera(kCameraEye, kCameraTarget, kCameraUp, ball);
    data.scene.object = new Object("Scene");
    auto* finishScreen = new FinishScreen();
    game = new Game();
    auto* skyBox = new SkyBox();
    skyBox->setCamera(camera);
    auto* light0 = new Light("light0", GL_LIGHT0, {0.0f, 10.0f, 0.0f}, {1.0f, 1.0f, 1.0f}, {0.4f, 0.4f, 0.4f});
    auto* light1 = new Light("light1", GL_LIGHT1, {0.0f, 1.0f, 5.0f}, {0.2f, 0.2f, 0.0f}, {0.3f, 0.3f, 0.0f});

    auto* patch = new Patch("Patch", data.scene.patchTexture);
    for (const PatchRecord& record : data.patchRecords) {
        patch->addGrid(record);
        for (float pin : record.fixed) pinSphere(*patch, pin);
    }
    data.scene.object->loadASE(data.scene.modelFile, problems.sinkFor(data.scene.modelFile));
    reportLevelProblems();

    std::vector<Checkpoint*> checkpoints;
    for (std::size_t i = 0; i < data.checkpointRecords.size(); ++i) {
        CheckpointRecord& record = data.checkpointRecords[i];
        record.checkpoint = new Checkpoint("Checkpoint" + std::to_string(i), {record.x, record.y, record.z}, record.radius);
        checkpoints.push_back(record.checkpoint);
    }
    std::vector<Tack*> tacks;
    for (std::size_t i = 0; i < data.tackRecords.size(); ++i) {
        TackRecord& record = data.tackRecords[i];
        record.tack = new Tack("Tack" + std::to_string(i), toTackCoordinate(record.x), toTackCoordinate(record.y));
        tacks.push_back(record.tack);
    }

    game->setMenu(menu);
    game->setManual(manual);
    game->setCredits(credits);
    game->setBall(ball);
    game->setCamera(camera);
    game->setPatch(patch);
    game->setFinishScreen(finishScreen);
    for (Checkpoint* checkpoint : checkpoints) game->addCheckpoint(checkpoint);
    for (Tack* tack : tacks) game->addTack(tack);
    // The input handler is made here, so its mouse sphere and spring follow the cloth's in the engine.
    InputHandler* input = InputHandler::instance();
    PhysicsEngine* engine = PhysicsEngine::instance();
    for (kiln::Entity* entity : std::vector<kiln::Entity*>{skyBox, camera, light0, light1, input, engine,
                                                           data.scene.object, ball, patch, finishScreen}) {
        game->addEntity(entity);
    }
    for (Checkpoint* checkpoint : checkpoints) game->addEntity(checkpoint);
    for (Tack* tack : tacks) game->addEntity(tack);
    auto* runOverlay = new RunOverlay(*game);
    if (packIndex < levelPack.size()) runOverlay->setLevel(packIndex + 1, levelPack.getLevels()[packIndex]);
    game->addEntity(runOverlay);

    input->setGame(game);
    // The sound player is registered last and never switched off: 'm' works on every screen.
    if (sound == nullptr) sound = new SoundPlayer();
    game->setSounds(sound);
    input->setSounds(sound);
    menu->setSounds(sound);
    std::unique_ptr<BestTimes> bestTimes = loadBestTimes(bestTimesFile);
    // A game without a pack has no level screen, and its menu's Levels button does nothing.
    LevelScreen* levels = nullptr;
    if (!levelPack.empty()) {
        levels = new LevelScreen(cardsOf(levelPack), bestTimes.get());
        levels->setSounds(sound);
        levels->setChoose([this](std::size_t index) { requestLevel(index); });
        game->setLevelScreen(levels);
    }
    game->setBestTimes(std::move(bestTimes), bestKeyOf(levelFile, data.scene.modelFile));
    // The statistics overlay shows the run time of the game the input handler plays.
    engine->setTimeSource([] {
        Game* played = InputHandler::instance()->getGame();
        return played == nullptr ? 0.0f : played->getTime();
    });

    // The order of registration is the order of every pass for the whole run.
    kiln::Registry* registry = kiln::Registry::instance();
    // The run overlay reads the game after its update and is drawn under the cursor.
    for (kiln::Entity* entity : std::vector<kiln::Entity*>{engine, game, skyBox, camera, light0, light1, ball, patch,
                                                           data.scene.object, runOverlay, input}) {
        registry->add(entity);
    }
    for (Checkpoint* checkpoint : checkpoints) registry->add(checkpoint);
    for (Tack* tack : tacks) registry->add(tack);
    for (kiln::Entity* entity : std::vector<kiln::Entity*>{menu, manual, credits}) registry->add(entity);
    if (levels != nullptr) registry->add(levels);
    for (kiln::Entity* entity : std::vector<kiln::Entity*>{finishScreen, sound}) registry->add(entity);
}

}  // namespace quiltRush
