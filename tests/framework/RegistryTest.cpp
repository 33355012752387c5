#include "framework/Registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "framework/DebugNotifier.h"
#include "framework/DrawNotifier.h"
#include "framework/DrawOverlayNotifier.h"
#include "framework/KeyboardEventNotifier.h"
#include "framework/MouseEventNotifier.h"
#include "framework/ReshapeEventNotifier.h"
#include "framework/UpdateNotifier.h"
#include "tests/framework/FrameworkFixture.h"
#include "tests/support/ThrownMessage.h"

namespace {

using frameworkTest::CallLog;
using frameworkTest::ProbeEntity;
using testSupport::thrownMessage;

/// One notifier family: how to put a probe into it and who is in it.
struct Family {
    std::string name;
    std::function<void(ProbeEntity*)> addListener;
    std::function<std::vector<const kiln::Entity*>()> entities;
};

template <class N>
std::vector<const kiln::Entity*> entitiesOf() {
    std::vector<const kiln::Entity*> found;
    for (const auto* info : N::instance()->getListeners()) found.push_back(info->entity);
    return found;
}

template <class N>
Family family(const std::string& name) {
    return {name, [](ProbeEntity* probe) { N::instance()->addListener(probe); }, &entitiesOf<N>};
}

// The order in which the registry connects an entity.
std::vector<Family> familiesInOrder() {
    return {family<kiln::KeyboardEventNotifier>("keyboard"), family<kiln::MouseEventNotifier>("mouse"),
            family<kiln::ReshapeEventNotifier>("reshape"),   family<kiln::UpdateNotifier>("update"),
            family<kiln::DrawNotifier>("draw"),              family<kiln::DrawOverlayNotifier>("overlay"),
            family<kiln::DebugNotifier>("debug")};
}

bool isIn(const Family& notifier, const kiln::Entity* entity) {
    auto members = notifier.entities();
    return std::find(members.begin(), members.end(), entity) != members.end();
}

constexpr std::size_t kMouse = 1;
constexpr std::size_t kUpdate = 3;
constexpr std::size_t kDraw = 4;

/// Listens to update, draw and mouse events only (declared in that order on purpose).
class UpdateDrawMouseEntity : public kiln::Entity,
                              public kiln::IUpdateListener,
                              public kiln::IDrawListener,
                              public kiln::IMouseEventListener {
public:
    explicit UpdateDrawMouseEntity(const std::string& id) : kiln::Entity(id) {}
    void init() override {}
    void update(unsigned long) override {}
    void draw() override {}
    void onMouseButton(int, int, int, int) override {}
    void onMouseMotion(int, int) override {}
    void onMousePassiveMotion(int, int) override {}
};

/// Listens to nothing; reports its own destruction.
class SilentEntity : public kiln::Entity {
public:
    SilentEntity(const std::string& id, CallLog& log) : kiln::Entity(id), log(log) {}
    ~SilentEntity() override { log.push_back(getId() + ".destroyed"); }
    void init() override { log.push_back(getId() + ".init"); }

private:
    CallLog& log;
};

using RegistryTest = frameworkTest::FrameworkFixture;

TEST_F(RegistryTest, DuplicateIdThrowsAndTheFirstEntityStaysRegisteredAndConnected) {
    ProbeEntity* first = registeredProbe("x");
    ProbeEntity* second = ownedProbe("x");

    EXPECT_EQ(thrownMessage<std::runtime_error>([&] { kiln::Registry::instance()->add(second); }),
              "[kiln::Registry] entity 'x' already exists.");

    EXPECT_EQ(kiln::Registry::instance()->size(), 1u);
    EXPECT_EQ(kiln::Registry::instance()->find("x"), first);
    for (const Family& notifier : familiesInOrder()) {
        SCOPED_TRACE(notifier.name);
        EXPECT_EQ(notifier.entities(), std::vector<const kiln::Entity*>{first});
    }
    kiln::UpdateNotifier::instance()->update(5);
    EXPECT_EQ(log, CallLog{"x.update(5)"});
}

TEST_F(RegistryTest, EntityJoinsExactlyTheNotifiersOfItsInterfaces) {
    auto* entity = new UpdateDrawMouseEntity("m");
    kiln::Registry::instance()->add(entity);

    std::vector<Family> notifiers = familiesInOrder();
    for (std::size_t i = 0; i < notifiers.size(); ++i) {
        SCOPED_TRACE(notifiers[i].name);
        bool expected = i == kMouse || i == kUpdate || i == kDraw;
        EXPECT_EQ(notifiers[i].entities().size(), expected ? 1u : 0u);
        EXPECT_EQ(isIn(notifiers[i], entity), expected);
    }
}

// A listener with the same id already in one notifier makes the registry's
// connection fail there: the notifiers before it have the entity, the ones
// after it do not. That reveals the order of connection.
TEST_F(RegistryTest, EntityJoinsMouseThenUpdateThenDraw) {
    for (std::size_t blocked : {kUpdate, kDraw}) {
        std::vector<Family> notifiers = familiesInOrder();
        SCOPED_TRACE("blocked in " + notifiers[blocked].name);
        auto blocker = std::make_unique<ProbeEntity>("m", log);
        notifiers[blocked].addListener(blocker.get());
        auto* entity = new UpdateDrawMouseEntity("m");

        EXPECT_EQ(thrownMessage<std::runtime_error>([&] { kiln::Registry::instance()->add(entity); }),
                  "[kiln::ActivityMap] element 'm' already exists.");

        EXPECT_TRUE(isIn(notifiers[kMouse], entity));
        EXPECT_EQ(isIn(notifiers[kUpdate], entity), blocked == kDraw);
        EXPECT_FALSE(isIn(notifiers[kDraw], entity));
        testSupport::resetFramework();
    }
}

TEST_F(RegistryTest, EntityJoinsAllSevenNotifiersInTheFixedOrder) {
    std::size_t familyCount = familiesInOrder().size();
    for (std::size_t blocked = 0; blocked < familyCount; ++blocked) {
        std::vector<Family> notifiers = familiesInOrder();
        SCOPED_TRACE("blocked in " + notifiers[blocked].name);
        auto blocker = std::make_unique<ProbeEntity>("e", log);
        notifiers[blocked].addListener(blocker.get());
        auto* entity = new ProbeEntity("e", log);

        EXPECT_EQ(thrownMessage<std::runtime_error>([&] { kiln::Registry::instance()->add(entity); }),
                  "[kiln::ActivityMap] element 'e' already exists.");

        for (std::size_t i = 0; i < familyCount; ++i) {
            SCOPED_TRACE("checking " + notifiers[i].name);
            EXPECT_EQ(isIn(notifiers[i], entity), i < blocked);
        }
        testSupport::resetFramework();
    }
}

TEST_F(RegistryTest, InitAllRunsInByteOrderOfIdsNotInOrderOfAddition) {
    for (const char* id : {"b", "a", "Zed", "_x", "B"}) kiln::Registry::instance()->add(new SilentEntity(id, log));

    kiln::Registry::instance()->initAll();

    EXPECT_EQ(log, (CallLog{"B.init", "Zed.init", "_x.init", "a.init", "b.init"}));
}

TEST_F(RegistryTest, DestroyDeletesEveryEntityInIdOrder) {
    for (const char* id : {"c", "a", "b"}) kiln::Registry::instance()->add(new SilentEntity(id, log));

    kiln::Registry::destroy();

    EXPECT_EQ(log, (CallLog{"a.destroyed", "b.destroyed", "c.destroyed"}));
    EXPECT_EQ(kiln::Registry::instance()->size(), 0u);
}

TEST_F(RegistryTest, FindGivesNullForAnUnknownId) {
    kiln::Registry::instance()->add(new SilentEntity("known", log));
    EXPECT_EQ(kiln::Registry::instance()->find("unknown"), nullptr);
    EXPECT_NE(kiln::Registry::instance()->find("known"), nullptr);
}

TEST_F(RegistryTest, PrintShowsTheEnabledFlagAndTheId) {
    ProbeEntity entity("player one", log);
    std::ostringstream enabled;
    entity.print(enabled);
    entity.state.enabled = false;
    std::ostringstream disabled;
    entity.print(disabled);

    EXPECT_EQ(enabled.str(), "[+] player one");
    EXPECT_EQ(disabled.str(), "[-] player one");
}

void fireEveryEvent() {
    kiln::KeyboardEventNotifier::instance()->onKeyPressed('k');
    kiln::MouseEventNotifier::instance()->onMouseButton(0, 0, 1, 2);
    kiln::ReshapeEventNotifier::instance()->onReshape(3, 4);
    kiln::UpdateNotifier::instance()->update(5);
    kiln::DrawNotifier::instance()->draw();
    kiln::DrawOverlayNotifier::instance()->drawOverlay();
    kiln::DebugNotifier::instance()->debug();
}

TEST_F(RegistryTest, DisabledEntityGetsNoCallOfAnyKindUntilEnabledAgain) {
    ProbeEntity* entity = registeredProbe("p");

    entity->state.enabled = false;
    fireEveryEvent();
    EXPECT_TRUE(log.empty());

    entity->state.enabled = true;
    fireEveryEvent();
    EXPECT_EQ(log, (CallLog{"p.onKeyPressed(107)", "p.onMouseButton(0,0,1,2)", "p.onReshape(3,4)", "p.update(5)",
                            "p.draw", "p.drawOverlay", "p.debug"}));
}

}  // namespace
