#include "game/scene/QuiltRushApplication.h"

#include <GL/gl.h>

#include <cmath>
#include <limits>
#include <vector>

#include "framework/Registry.h"
#include "game/physics/Ball.h"
#include "game/physics/Checkpoint.h"
#include "game/physics/Patch.h"
#include "game/physics/PhysicsEngine.h"
#include "game/physics/Tack.h"
#include "game/play/Camera.h"
#include "game/play/Credits.h"
#include "game/play/FinishScreen.h"
#include "game/play/Game.h"
#include "game/play/InputHandler.h"
#include "game/play/Manual.h"
#include "game/play/Menu.h"
#include "game/play/RunOverlay.h"
#include "game/scene/GameDataReader.h"
#include "game/scene/Light.h"
#include "game/scene/Object.h"
#include "game/scene/SkyBox.h"

namespace quiltRush {

namespace {

const Vector3 kBallStart(-3.0f, 2.0f, -3.0f);
const Vector3 kCameraEye(0.0f, 0.0f, -5.0f);
const Vector3 kCameraTarget(0.0f, 0.0f, 0.0f);
const Vector3 kCameraUp(0.0f, 1.0f, 0.0f);

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

}  // namespace

void QuiltRushApplication::readGameData(const std::string& fileName) { GameDataReader::readFile(fileName, data); }

void QuiltRushApplication::createEntities() {
    readGameData(GameDataReader::kLevelFile);

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
    data.scene.object->loadASE(data.scene.modelFile);

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
    game->addEntity(runOverlay);

    input->setGame(game);
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
    for (kiln::Entity* entity : std::vector<kiln::Entity*>{menu, manual, credits, finishScreen}) registry->add(entity);
}

}  // namespace quiltRush
