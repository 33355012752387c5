#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/Entity.h"
#include "framework/IUpdateListener.h"
#include "game/scene/SoundOutput.h"

namespace quiltRush {

class Ball;
class BestTimes;
class Camera;
class Checkpoint;
class Credits;
class FinishScreen;
class LevelScreen;
class Manual;
class Menu;
class Patch;
class Tack;

/// The rules of a run (time, falls, checkpoints, finish, the tack budget) and
/// the switch between play and the menu, manual and credits screens, done by
/// enabling and disabling whole groups of entities. Never disabled itself.
/// Owns none of the entities it points to.
class Game : public kiln::Entity, public kiln::IUpdateListener {
public:
    static constexpr float kFallHeight = -50.0f;                // world y below which the ball has fallen
    static constexpr std::uint32_t kFinishPauseMillis = 5000;  // finish screen up, then a new run

    /// Id "Game"; nothing wired yet.
    Game();
    /// Waits for a best time still being saved.
    ~Game() override;

    /// Hides the system cursor for good, prepares a run and shows the menu.
    /// Needs a GLUT window.
    void init() override;
    /// While a screen is up: acts on the menu's selection, time stands still.
    /// In play: counts the time, restarts after a fall or five seconds after
    /// the finish, and checks the ball against the unreached checkpoints.
    void update(unsigned long elapsed) override;

    /// Back to the start of a run: play entities on, finish screen hidden, eye
    /// and ball at their start, checkpoints and tacks reset, time 0. The
    /// screens, the camera's target and the cloth's shape are left alone.
    void restart();

    /// Play entities and all screens off, time stops.
    void suspend();
    void showMenu();
    void showManual();
    void showCredits();
    void showLevels();
    /// Leaves the screen state by the menu's selection.
    void leaveMenu();
    void applyMenuChoice();

    bool canUseTack() const;
    /// Hides the last still visible tack icon. Does nothing when none is left.
    void useTack();
    /// Shows the icon hidden last. Does nothing when no tack is in use.
    void returnTack();

    /// Milliseconds of this run; after the finish, milliseconds since the finish.
    float getTime() const { return static_cast<float>(elapsed); }

    void setMenu(Menu* newMenu) { menu = newMenu; }
    void setManual(Manual* newManual) { manual = newManual; }
    void setCredits(Credits* newCredits) { credits = newCredits; }
    void setLevelScreen(LevelScreen* screen) { levels = screen; }
    void setBall(Ball* newBall) { ball = newBall; }
    void setCamera(Camera* newCamera) { camera = newCamera; }
    void setPatch(Patch* newPatch) { patch = newPatch; }
    void setFinishScreen(FinishScreen* newFinishScreen) { finishScreen = newFinishScreen; }
    /// Hears the checkpoints, the finish and falls; not owned.
    void setSounds(SoundOutput* output) { sounds = output; }
    /// Where finished runs are kept, under this level's key; without it no best time is shown.
    void setBestTimes(std::unique_ptr<BestTimes> times, std::string key);
    void addCheckpoint(Checkpoint* checkpoint) { checkpoints.push_back(checkpoint); }
    void addTack(Tack* tack) { tacks.push_back(tack); }
    /// A play entity: switched off while a screen is up.
    void addEntity(kiln::Entity* entity) { entities.push_back(entity); }

    Camera* getCamera() const { return camera; }
    Patch* getPatch() const { return patch; }
    bool isInMenu() const { return inMenu; }
    unsigned int getCheckpointsPassed() const { return checkpointsPassed; }
    unsigned int getTacksUsed() const { return tacksUsed; }
    /// Runs restarted because the ball fell, since start-up.
    unsigned int getFalls() const { return falls; }
    const std::vector<kiln::Entity*>& getEntities() const { return entities; }
    const std::vector<Checkpoint*>& getCheckpoints() const { return checkpoints; }
    const std::vector<Tack*>& getTacks() const { return tacks; }

private:
    void actOnMenu();
    void play(std::uint32_t millis);
    bool ballIsLost() const;
    void resetBall();
    void passCheckpoints();
    void enablePlayEntities(bool on);

    Menu* menu = nullptr;
    Manual* manual = nullptr;
    Credits* credits = nullptr;
    LevelScreen* levels = nullptr;  // optional: a game without a pack has none
    Ball* ball = nullptr;
    Camera* camera = nullptr;
    Patch* patch = nullptr;
    FinishScreen* finishScreen = nullptr;
    SoundOutput* sounds = &SoundOutput::silence();
    std::unique_ptr<BestTimes> bestTimes;
    std::string levelKey;
    std::vector<Checkpoint*> checkpoints;
    std::vector<Tack*> tacks;
    std::vector<kiln::Entity*> entities;
    unsigned int checkpointsPassed = 0;
    unsigned int tacksUsed = 0;
    unsigned int falls = 0;
    std::uint32_t elapsed = 0;
    bool inMenu = false;
};

}  // namespace quiltRush
