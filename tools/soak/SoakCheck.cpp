#include "tools/soak/SoakCheck.h"

#include <cstddef>
#include <vector>

#include "framework/Registry.h"
#include "game/physics/Ball.h"
#include "game/physics/Patch.h"
#include "game/physics/PhysicsEngine.h"
#include "game/physics/Sphere.h"
#include "game/physics/Tack.h"
#include "game/play/FinishScreen.h"
#include "game/play/Game.h"

namespace quiltRush {

namespace {

const Vector3 kStartBall(-3.0f, 7.0f, -3.0f);  // where every run puts the ball

bool enabled(const char* id) {
    const kiln::Entity* entity = kiln::Registry::instance()->find(id);
    return entity != nullptr && entity->state.enabled;
}

// All play entities on, or all off; anything else is no state of the game.
int playEntitiesOn(const Game& game) {
    std::size_t on = 0;
    for (const kiln::Entity* entity : game.getEntities()) on += entity->state.enabled ? 1 : 0;
    if (on == game.getEntities().size()) return 1;
    return on == 0 ? 0 : -1;
}

const FinishScreen& finishScreen() {
    return dynamic_cast<const FinishScreen&>(*kiln::Registry::instance()->find("FinishScreen"));
}

const Ball& ball() { return dynamic_cast<const Ball&>(*kiln::Registry::instance()->find("Ball")); }

std::string checkTacks(const Game& game) {
    std::size_t tacks = game.getTacks().size();
    std::size_t used = game.getTacksUsed();
    if (used > tacks) return "tacksUsed " + std::to_string(used) + " above the " + std::to_string(tacks) + " tacks";
    std::size_t hidden = 0;
    for (const Tack* tack : game.getTacks()) hidden += tack->isVisible() ? 0 : 1;
    if (hidden != used) return std::to_string(hidden) + " tack icons hidden, tacksUsed " + std::to_string(used);
    std::size_t tacked = 0;
    for (const Sphere* sphere : game.getPatch()->getSpheres()) tacked += sphere->isTacked() ? 1 : 0;
    if (tacked != used) return std::to_string(tacked) + " cloth spheres tacked, tacksUsed " + std::to_string(used);
    return "";
}

}  // namespace

const char* toString(GameState state) {
    switch (state) {
        case GameState::Menu: return "menu";
        case GameState::Manual: return "manual";
        case GameState::Credits: return "credits";
        case GameState::Levels: return "levels";
        case GameState::Running: return "running";
        case GameState::Finished: return "finished";
        case GameState::Inconsistent: break;
    }
    return "inconsistent";
}

GameState readState(const Game& game) {
    bool menu = enabled("menu");
    bool manual = enabled("manual");
    bool credits = enabled("Credits");
    bool levels = enabled("levels");
    int play = playEntitiesOn(game);
    int screens = (menu ? 1 : 0) + (manual ? 1 : 0) + (credits ? 1 : 0) + (levels ? 1 : 0);
    if (game.isInMenu()) {
        if (play != 0 || screens != 1) return GameState::Inconsistent;
        if (menu) return GameState::Menu;
        if (levels) return GameState::Levels;
        return manual ? GameState::Manual : GameState::Credits;
    }
    if (play != 1 || screens != 0) return GameState::Inconsistent;
    bool allPassed = game.getCheckpointsPassed() == game.getCheckpoints().size();
    bool shown = finishScreen().isVisible();
    if (shown != allPassed || game.getCheckpointsPassed() > game.getCheckpoints().size()) {
        return GameState::Inconsistent;
    }
    return shown ? GameState::Finished : GameState::Running;
}

TickCheck checkTick(const Game& game) {
    TickCheck check;
    check.state = readState(game);
    Vector3 ballAt = ball().getPosition();
    check.restarted = !game.isInMenu() && game.getTime() == 0.0f && game.getCheckpointsPassed() == 0 &&
                      ballAt.x == kStartBall.x && ballAt.y == kStartBall.y && ballAt.z == kStartBall.z;
    const std::vector<Sphere*>& spheres = PhysicsEngine::instance()->getSpheres();
    for (std::size_t i = 0; i < spheres.size() && check.allFinite; ++i) {
        if (!isFinite(spheres[i]->getPosition())) {
            check.allFinite = false;
            check.firstNotFinite = static_cast<int>(i);
        }
    }
    if (check.state == GameState::Inconsistent) {
        check.problem = "the game's flags match none of its states";
    } else if (!check.allFinite && !check.restarted) {
        check.problem = "physics sphere " + std::to_string(check.firstNotFinite) + " of " +
                        std::to_string(spheres.size()) + " is no longer at a finite position and the run did not restart";
    } else {
        check.problem = checkTacks(game);
    }
    return check;
}

}  // namespace quiltRush
