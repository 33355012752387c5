#pragma once

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "game/physics/Ball.h"
#include "game/physics/Checkpoint.h"
#include "game/physics/Patch.h"
#include "game/physics/PhysicsEngine.h"
#include "game/physics/Tack.h"
#include "game/play/Camera.h"
#include "game/play/Credits.h"
#include "game/play/FinishScreen.h"
#include "game/play/LevelScreen.h"
#include "game/play/Game.h"
#include "game/play/InputHandler.h"
#include "game/play/Manual.h"
#include "game/play/Menu.h"
#include "game/scene/GameDataRecords.h"

namespace playTest {

using namespace quiltRush;

/// A game wired as the application wires it, owned here instead of by the
/// registry: a ball, a camera, a 2 x 2 cloth grid of size 2 at (0, 1, 0)
/// (spheres at (-1, 1, -1), (-1, 1, 0), (0, 1, -1), (0, 1, 0)), three
/// checkpoints far from the ball's start, three tacks, the screens, and the
/// input handler. The run is prepared and in play (not on the menu).
struct PlayWorld {
    static constexpr int kCheckpoints = 3;
    static constexpr int kTacks = 3;

    PlayWorld() {
        ball = std::make_unique<Ball>("Ball", Vector3(-3, 2, -3));
        camera = std::make_unique<Camera>(Vector3(0, 0, -5), Vector3(0, 0, 0), Vector3(0, 1, 0), ball.get());
        camera->setWindowSizeSource([] { return WindowSize{640, 480}; });
        patch = std::make_unique<Patch>("Patch", "");
        PatchRecord grid;
        grid.y = 1.0f;
        grid.sizeX = grid.sizeZ = 2.0f;
        grid.rows = grid.cols = 2.0f;
        grid.stiffness = 100.0f;
        patch->addGrid(grid);
        finishScreen = std::make_unique<FinishScreen>();
        for (int i = 0; i < kCheckpoints; ++i) {
            checkpoints.push_back(
                std::make_unique<Checkpoint>("Checkpoint" + std::to_string(i), checkpointCentre(i), 0.5f));
        }
        for (int i = 0; i < kTacks; ++i) {
            tacks.push_back(std::make_unique<Tack>("Tack" + std::to_string(i), 100 + 70 * i, 50));
        }

        wire(game);
        for (auto& checkpoint : checkpoints) game.addCheckpoint(checkpoint.get());
        for (auto& tack : tacks) game.addTack(tack.get());
        input = InputHandler::instance();
        game.addEntity(camera.get());
        game.addEntity(input);
        game.addEntity(PhysicsEngine::instance());
        game.addEntity(ball.get());
        game.addEntity(patch.get());
        game.addEntity(finishScreen.get());
        for (auto& checkpoint : checkpoints) game.addEntity(checkpoint.get());
        for (auto& tack : tacks) game.addEntity(tack.get());
        input->setGame(&game);
        game.restart();
    }

    ~PlayWorld() {
        // The engine and the handler are singletons: the next world starts fresh.
        InputHandler::destroy();
        PhysicsEngine::destroy();
    }

    /// Gives a game this world's screens, ball, camera, patch and finish screen
    /// (no checkpoints, tacks or play entities).
    void wire(Game& other) {
        other.setMenu(&menu);
        other.setManual(&manual);
        other.setCredits(&credits);
        other.setLevelScreen(&levels);
        other.setBall(ball.get());
        other.setCamera(camera.get());
        other.setPatch(patch.get());
        other.setFinishScreen(finishScreen.get());
    }

    static Vector3 checkpointCentre(int i) { return Vector3(10.0f * static_cast<float>(i + 1), 0, 20); }

    void putBallIn(int checkpoint) { ball->setPosition(checkpointCentre(checkpoint)); }
    void putBallAway() { ball->setPosition(Vector3(-3, 7, -3)); }

    bool allPlayEntitiesEnabled(bool enabled) const {
        for (kiln::Entity* entity : game.getEntities()) {
            if (entity->state.enabled != enabled) return false;
        }
        return true;
    }

    std::unique_ptr<Ball> ball;
    std::unique_ptr<Camera> camera;
    std::unique_ptr<Patch> patch;
    std::unique_ptr<FinishScreen> finishScreen;
    std::vector<std::unique_ptr<Checkpoint>> checkpoints;
    std::vector<std::unique_ptr<Tack>> tacks;
    Menu menu;
    Manual manual;
    Credits credits;
    LevelScreen levels{{{"first", "", std::string(16, 'a'), ""}, {"second", "", std::string(16, 'b'), ""}}, nullptr};
    Game game;
    InputHandler* input = nullptr;
};

}  // namespace playTest
