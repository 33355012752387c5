#include <GL/glu.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/DebugFile.h"
#include "framework/DebugNotifier.h"
#include "framework/DrawNotifier.h"
#include "framework/DrawOverlayNotifier.h"
#include "framework/KeyboardEventNotifier.h"
#include "framework/MouseEventNotifier.h"
#include "framework/Registry.h"
#include "framework/ReshapeEventNotifier.h"
#include "framework/UpdateNotifier.h"
#include "game/physics/Ball.h"
#include "game/physics/Checkpoint.h"
#include "game/physics/Patch.h"
#include "game/physics/PhysicsEngine.h"
#include "game/physics/Tack.h"
#include "game/play/Camera.h"
#include "game/play/Game.h"
#include "game/play/InputHandler.h"
#include "game/play/Menu.h"
#include "game/play/MenuLayout.h"
#include "game/scene/QuiltRushApplication.h"
#include "tests/support/FrameworkReset.h"
#include "tests/support/GlContext.h"
#include "tests/support/ScopedTempDir.h"

namespace quiltRush {
namespace {

using Ids = std::vector<std::string>;

// One 3 x 4 grid whose pins are 0, 11.9 (11), -1 and 12 (both pin nothing);
// two checkpoints; tacks in two sections; scene files that do not exist.
const char* const kLevel =
    "BEGINDATA\n"
    "BEGINSCENE missing.ase missing.bmp\n"
    "BEGINPATCH\n  0 1 0  3 4  3 4  100  0 11.9 -1 12\nENDPATCH\n"
    "BEGINCHECKPOINT\n  1 2 3 0.5\n  4 5 6 0.75\nENDCHECKPOINT\n"
    "BEGINTACK\n  10.9 5.2\nENDTACK\n"
    "BEGINTACK\n  600 440\nENDTACK\n"
    "ENDDATA\n";

/// An entity that only notes, at its init, what it sees of the others.
class InitProbe : public kiln::Entity {
public:
    InitProbe(const std::string& id, std::function<void()> onInit) : kiln::Entity(id), onInit(std::move(onInit)) {}
    void init() override { onInit(); }

private:
    std::function<void()> onInit;
};

template <class Notifier>
Ids listenerIds() {
    Ids ids;
    for (const auto* record : Notifier::instance()->getListeners()) ids.push_back(record->entity->getId());
    return ids;
}

// The whole game is built once for the suite: its singletons (the engine, the
// input handler) end up owned by the registry and cannot be made twice in one
// process. The suite leaves them behind.
class QuiltRushApplicationGlTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        testSupport::ensureGlContext();
        testSupport::resetFramework();
        if (InputHandler::exists()) InputHandler::destroy();
        if (PhysicsEngine::exists()) PhysicsEngine::destroy();
        directory = new testSupport::ScopedTempDir();
        directory->write("assets/models/gameData.txt", kLevel);
        directory->write("assets/levels/pack.txt", "only assets/models/gameData.txt The one level\n");

        // Probes whose ids fall between the game's: they see which inits ran before them.
        auto note = [](const std::string& what) { initNotes.push_back(what); };
        kiln::Registry* registry = kiln::Registry::instance();
        registry->add(new InitProbe("Bz", [note] { note("Bz log=" + logText()); }));
        registry->add(new InitProbe("Cb", [note] { note("Cb log=" + logText()); }));
        registry->add(new InitProbe("Ga", [note] { note("Ga menu=" + menuState()); }));
        registry->add(new InitProbe("Gb", [note] { note("Gb menu=" + menuState()); }));
        registry->add(new InitProbe("l", [note] { note("l menu=" + menuState()); }));

        app = new QuiltRushApplication();
        app->init();
    }

    static std::string logText() {
        kiln::DebugFile::instance()->stream.flush();
        return directory->read("log.txt");
    }

    static std::string menuState() {
        Game* game = app->getGame();
        return game->isInMenu() ? "up" : "down";
    }

    static kiln::Entity* find(const std::string& id) { return kiln::Registry::instance()->find(id); }

    static QuiltRushApplication* app;
    static testSupport::ScopedTempDir* directory;
    static Ids initNotes;
};

QuiltRushApplication* QuiltRushApplicationGlTest::app = nullptr;
testSupport::ScopedTempDir* QuiltRushApplicationGlTest::directory = nullptr;
Ids QuiltRushApplicationGlTest::initNotes;

TEST_F(QuiltRushApplicationGlTest, EveryEntityIsRegisteredUnderItsExactId) {
    const Ids ids = {"PhysicsEngine", "Game",         "SkyBox",      "Camera", "light0", "light1",
                     "Ball",          "Patch",        "Scene",       "RunOverlay", "InputHandler", "Checkpoint0", "Checkpoint1",
                     "Tack0",         "Tack1",        "menu",        "manual", "Credits", "levels", "FinishScreen", "Sound"};
    EXPECT_EQ(kiln::Registry::instance()->size(), ids.size() + 5);  // and the five probes
    for (const std::string& id : ids) EXPECT_NE(find(id), nullptr) << id;
    EXPECT_EQ(find("PhysicsEngine"), PhysicsEngine::instance());
    EXPECT_EQ(find("InputHandler"), InputHandler::instance());
    EXPECT_EQ(find("Game"), app->getGame());
}

void expectRegistrationOrder() {
    EXPECT_EQ(listenerIds<kiln::UpdateNotifier>(),
              (Ids{"PhysicsEngine", "Game", "Camera", "Patch", "RunOverlay", "InputHandler", "menu", "manual", "Credits",
                   "levels", "Sound"}));
    EXPECT_EQ(listenerIds<kiln::DrawNotifier>(), (Ids{"SkyBox", "Camera", "light0", "light1", "Ball", "Patch", "Scene",
                                                      "InputHandler", "Checkpoint0", "Checkpoint1"}));
    EXPECT_EQ(listenerIds<kiln::DrawOverlayNotifier>(), (Ids{"PhysicsEngine", "RunOverlay", "InputHandler", "Tack0", "Tack1", "menu",
                                                             "manual", "Credits", "levels", "FinishScreen"}));
    EXPECT_EQ(listenerIds<kiln::MouseEventNotifier>(), (Ids{"InputHandler", "menu", "manual", "Credits", "levels"}));
    EXPECT_EQ(listenerIds<kiln::KeyboardEventNotifier>(), (Ids{"InputHandler", "manual", "Credits", "levels", "Sound"}));
    EXPECT_TRUE(listenerIds<kiln::ReshapeEventNotifier>().empty());
    EXPECT_TRUE(listenerIds<kiln::DebugNotifier>().empty());
}

TEST_F(QuiltRushApplicationGlTest, NotifiersCallTheEntitiesInRegistrationOrder) { expectRegistrationOrder(); }

TEST_F(QuiltRushApplicationGlTest, InitialisationRunsInByteOrderOfTheIds) {
    // Capitals first: the camera ("Camera") before "Cb", the game ("Game")
    // between "Ga" and "Gb", and every lower-case id after them all.
    ASSERT_EQ(initNotes.size(), 5u);
    EXPECT_EQ(initNotes[0], "Bz log=");
    EXPECT_EQ(initNotes[1], "Cb log=Camera created\n");
    EXPECT_EQ(initNotes[2], "Ga menu=down");
    EXPECT_EQ(initNotes[3], "Gb menu=up");
    EXPECT_EQ(initNotes[4], "l menu=up");
}

TEST_F(QuiltRushApplicationGlTest, GameOpensOnItsMenuWithPlayBehindIt) {
    Game* game = app->getGame();
    EXPECT_TRUE(game->isInMenu());
    EXPECT_TRUE(find("menu")->state.enabled);
    EXPECT_FALSE(find("manual")->state.enabled);
    EXPECT_FALSE(find("Credits")->state.enabled);
    EXPECT_EQ(static_cast<Menu*>(find("menu"))->getSelection(), MenuChoice::None);
    for (kiln::Entity* entity : game->getEntities()) EXPECT_FALSE(entity->state.enabled) << entity->getId();
    EXPECT_TRUE(game->state.enabled);
    EXPECT_EQ(static_cast<Ball*>(find("Ball"))->getPosition(), Vector3(-3, 7, -3));
    EXPECT_EQ(static_cast<Camera*>(find("Camera"))->getEye(), Vector3(0, 10, -2));
}

TEST_F(QuiltRushApplicationGlTest, GameIsWiredToThePlayEntitiesInOrder) {
    Game* game = app->getGame();
    Ids playIds;
    for (kiln::Entity* entity : game->getEntities()) playIds.push_back(entity->getId());
    EXPECT_EQ(playIds, (Ids{"SkyBox", "Camera", "light0", "light1", "InputHandler", "PhysicsEngine", "Scene", "Ball",
                            "Patch", "FinishScreen", "Checkpoint0", "Checkpoint1", "Tack0", "Tack1",
                            "RunOverlay"}));
    EXPECT_EQ(game->getCamera(), find("Camera"));
    EXPECT_EQ(game->getPatch(), find("Patch"));
    ASSERT_EQ(game->getCheckpoints().size(), 2u);
    EXPECT_EQ(game->getCheckpoints()[1], find("Checkpoint1"));
    ASSERT_EQ(game->getTacks().size(), 2u);
    EXPECT_EQ(game->getTacks()[0], find("Tack0"));
    EXPECT_EQ(InputHandler::instance()->getGame(), game);
}

TEST_F(QuiltRushApplicationGlTest, EngineHoldsTheBallFirstThenTheClothThenTheMouse) {
    PhysicsEngine* engine = PhysicsEngine::instance();
    auto* ball = static_cast<Ball*>(find("Ball"));
    auto* patch = static_cast<Patch*>(find("Patch"));
    const auto& spheres = engine->getSpheres();
    ASSERT_EQ(spheres.size(), 1u + 12u + 1u);
    EXPECT_EQ(spheres[0], static_cast<Sphere*>(ball));
    for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(spheres[1 + i], patch->getSpheres()[i]) << i;
    EXPECT_EQ(spheres.back(), InputHandler::instance()->getMouseSphere());
    ASSERT_EQ(engine->getSprings().size(), 17u + 1u);
    EXPECT_EQ(engine->getSprings().back(), InputHandler::instance()->getMouseSpring());
}

TEST_F(QuiltRushApplicationGlTest, PinIndicesAreTruncatedAndNegativeOrTooLargeOnesPinNothing) {
    const auto& spheres = static_cast<Patch*>(find("Patch"))->getSpheres();
    ASSERT_EQ(spheres.size(), 12u);
    for (std::size_t i = 0; i < spheres.size(); ++i) {
        EXPECT_EQ(spheres[i]->isFixed(), i == 0 || i == 11) << i;
    }
}

TEST_F(QuiltRushApplicationGlTest, CheckpointsAndTacksComeFromTheRecordsInFileOrder) {
    auto* first = static_cast<Checkpoint*>(find("Checkpoint0"));
    auto* second = static_cast<Checkpoint*>(find("Checkpoint1"));
    EXPECT_EQ(first->getCenter(), Vector3(1, 2, 3));
    EXPECT_EQ(first->getRadius(), 0.5f);
    EXPECT_EQ(second->getCenter(), Vector3(4, 5, 6));
    auto* tack0 = static_cast<Tack*>(find("Tack0"));
    auto* tack1 = static_cast<Tack*>(find("Tack1"));
    EXPECT_EQ(tack0->getX(), 10);
    EXPECT_EQ(tack0->getY(), 5);
    EXPECT_EQ(tack1->getX(), 600);
    EXPECT_EQ(tack1->getY(), 440);

    const GameData& data = app->getGameData();
    ASSERT_EQ(data.checkpointRecords.size(), 2u);
    EXPECT_EQ(data.checkpointRecords[0].checkpoint, first);
    EXPECT_EQ(data.tackRecords[1].tack, tack1);
    EXPECT_EQ(data.scene.object, find("Scene"));
}

// The number of characters the overlay writes on the time line after its label.
int timeCharactersDrawn() {
    glViewport(0, 0, 640, 480);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, 640, 0, 480);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    std::vector<GLfloat> buffer(4096);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_2D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    PhysicsEngine::instance()->drawOverlay();
    GLint used = glRenderMode(GL_RENDER);
    int characters = 0;
    // Each character is one bitmap at the raster position where it starts.
    for (GLint i = 0; i + 2 < used; i += 3) {
        if (buffer[i] != GL_BITMAP_TOKEN) return -1;
        if (buffer[i + 2] == 140.0f && buffer[i + 1] >= 120.0f) ++characters;
    }
    return characters;
}

TEST_F(QuiltRushApplicationGlTest, StatisticsOverlayShowsTheGameTime) {
    Game* game = app->getGame();
    auto* menu = static_cast<Menu*>(find("menu"));
    menu->setWindowSizeSource([] { return WindowSize{640, 480}; });
    menu->update(0);
    menu->onMouseButton(0, 0, menuLayout::clickX(menuLayout::kNew), menuLayout::clickY(menuLayout::kNew));
    game->update(16);
    ASSERT_FALSE(game->isInMenu());
    game->update(1234);

    PhysicsEngine* engine = PhysicsEngine::instance();
    engine->setDebugMode(true);
    EXPECT_EQ(timeCharactersDrawn(), 5);  // "1.234"
    game->update(98766);
    EXPECT_EQ(timeCharactersDrawn(), 3);  // 100000 ms: "100"
    engine->setDebugMode(false);
    EXPECT_EQ(timeCharactersDrawn(), 0);
    game->showMenu();
}

// A change of level builds everything anew, in the same order, and plays at
// once; only the sound player is the same object. Last in the file: it takes
// the world of the cases above down when the whole binary runs at once.
TEST_F(QuiltRushApplicationGlTest, ASwitchOfLevelBuildsTheSameWorldAnewAndPlaysIt) {
    kiln::Entity* sound = find("Sound");
    app->requestLevel(1);  // no such level: nothing happens
    app->requestLevel(0);
    app->update();
    EXPECT_EQ(find("Sound"), sound);
    EXPECT_EQ(find("Game"), app->getGame());
    EXPECT_EQ(kiln::Registry::instance()->size(), 21u);  // the probes are gone with the old world
    expectRegistrationOrder();
    EXPECT_FALSE(app->getGame()->isInMenu());
    EXPECT_TRUE(find("Ball")->state.enabled);
    EXPECT_EQ(PhysicsEngine::instance()->getSpheres().size(), 1u + 12u + 1u);
    EXPECT_EQ(PhysicsEngine::instance()->getSpheres().back(), InputHandler::instance()->getMouseSphere());
}

}  // namespace
}  // namespace quiltRush
