#include "framework/Notifier.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/DebugFile.h"
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

/// An update listener that is not an entity.
class BareListener : public kiln::IUpdateListener {
public:
    void update(unsigned long) override {}
};

class NotifierTest : public frameworkTest::FrameworkFixture {
protected:
    ProbeEntity* updateProbe(const std::string& id) { return probeListeningTo<kiln::UpdateNotifier>(id); }
    std::size_t updateListenerCount() { return kiln::UpdateNotifier::instance()->listenerCount(); }
};

TEST_F(NotifierTest, ListenersAreCalledInInsertionOrderRegardlessOfIds) {
    for (const char* id : {"c", "a", "B", "b"}) updateProbe(id);

    kiln::UpdateNotifier::instance()->update(16);

    EXPECT_EQ(log, (CallLog{"c.update(16)", "a.update(16)", "B.update(16)", "b.update(16)"}));
}

TEST_F(NotifierTest, EveryEventReachesItsListenersWithUnchangedArguments) {
    ProbeEntity* all = ownedProbe("p");
    kiln::KeyboardEventNotifier::instance()->addListener(all);
    kiln::MouseEventNotifier::instance()->addListener(all);
    kiln::ReshapeEventNotifier::instance()->addListener(all);
    kiln::UpdateNotifier::instance()->addListener(all);
    kiln::DrawNotifier::instance()->addListener(all);
    kiln::DrawOverlayNotifier::instance()->addListener(all);
    kiln::DebugNotifier::instance()->addListener(all);

    kiln::KeyboardEventNotifier::instance()->onKeyPressed(255);
    kiln::KeyboardEventNotifier::instance()->onKeyReleased(0);
    kiln::KeyboardEventNotifier::instance()->onSpecialKeyPressed(108);
    kiln::KeyboardEventNotifier::instance()->onSpecialKeyReleased(-3);
    kiln::MouseEventNotifier::instance()->onMouseButton(4, 1, -7, 9000);
    kiln::MouseEventNotifier::instance()->onMouseMotion(-1, 2);
    kiln::MouseEventNotifier::instance()->onMousePassiveMotion(3, -4);
    kiln::ReshapeEventNotifier::instance()->onReshape(0, 0);
    kiln::UpdateNotifier::instance()->update(4294967295ul);
    kiln::DrawNotifier::instance()->draw();
    kiln::DrawOverlayNotifier::instance()->drawOverlay();
    kiln::DebugNotifier::instance()->debug();

    EXPECT_EQ(log, (CallLog{"p.onKeyPressed(255)", "p.onKeyReleased(0)", "p.onSpecialKeyPressed(108)",
                            "p.onSpecialKeyReleased(-3)", "p.onMouseButton(4,1,-7,9000)", "p.onMouseMotion(-1,2)",
                            "p.onMousePassiveMotion(3,-4)", "p.onReshape(0,0)", "p.update(4294967295)", "p.draw",
                            "p.drawOverlay", "p.debug"}));
}

TEST_F(NotifierTest, DebugListenersGetTheLogFileStream) {
    ProbeEntity* writer = ownedProbe("writer");
    writer->action = [writer](const std::string&) { *writer->debugStream << "tick" << std::endl; };
    kiln::DebugNotifier::instance()->addListener(writer);

    kiln::DebugNotifier::instance()->debug();

    EXPECT_EQ(writer->debugStream, &kiln::DebugFile::instance()->stream);
    EXPECT_EQ(dir.read("log.txt"), "tick\n");
}

TEST_F(NotifierTest, DisabledEntityIsSkippedAndCalledAgainOnceEnabled) {
    updateProbe("a");
    ProbeEntity* b = updateProbe("b");
    updateProbe("c");

    b->state.enabled = false;
    kiln::UpdateNotifier::instance()->update(1);
    b->state.enabled = true;
    kiln::UpdateNotifier::instance()->update(2);

    EXPECT_EQ(log, (CallLog{"a.update(1)", "c.update(1)", "a.update(2)", "b.update(2)", "c.update(2)"}));
}

TEST_F(NotifierTest, EntityEnabledByAnEarlierListenerIsCalledLaterInTheSameWalk) {
    ProbeEntity* a = updateProbe("a");
    ProbeEntity* b = updateProbe("b");
    b->state.enabled = false;
    a->action = [b](const std::string&) { b->state.enabled = true; };

    kiln::UpdateNotifier::instance()->update(7);

    EXPECT_EQ(log, (CallLog{"a.update(7)", "b.update(7)"}));
}

TEST_F(NotifierTest, EntityDisabledByAnEarlierListenerIsSkippedLaterInTheSameWalk) {
    ProbeEntity* a = updateProbe("a");
    ProbeEntity* b = updateProbe("b");
    a->action = [b](const std::string&) { b->state.enabled = false; };

    kiln::UpdateNotifier::instance()->update(7);

    EXPECT_EQ(log, CallLog{"a.update(7)"});
}

TEST_F(NotifierTest, DisabledNotifierCallsNobody) {
    updateProbe("a");
    kiln::UpdateNotifier::instance()->state.enabled = false;
    kiln::UpdateNotifier::instance()->update(1);
    EXPECT_TRUE(log.empty());

    kiln::UpdateNotifier::instance()->state.enabled = true;
    kiln::UpdateNotifier::instance()->update(2);
    EXPECT_EQ(log, CallLog{"a.update(2)"});
}

TEST_F(NotifierTest, ListenerAddedDuringDispatchIsCalledFromTheNextDispatchOn) {
    ProbeEntity* adder = updateProbe("adder");
    ProbeEntity* late = ownedProbe("late");
    std::size_t countDuringWalk = 0;
    bool added = false;
    adder->action = [&](const std::string&) {
        if (added) return;
        added = true;
        kiln::UpdateNotifier::instance()->addListener(late);
        countDuringWalk = updateListenerCount();
    };

    kiln::UpdateNotifier::instance()->update(1);
    EXPECT_EQ(countDuringWalk, 1u);
    EXPECT_EQ(updateListenerCount(), 2u);
    kiln::UpdateNotifier::instance()->update(2);

    EXPECT_EQ(log, (CallLog{"adder.update(1)", "adder.update(2)", "late.update(2)"}));
}

TEST_F(NotifierTest, AddingATakenNameWithoutDispatchThrowsRuntimeErrorAndKeepsOneEntry) {
    ProbeEntity* first = updateProbe("n");
    ProbeEntity* twin = ownedProbe("n");

    EXPECT_EQ(thrownMessage<std::runtime_error>([&] { kiln::UpdateNotifier::instance()->addListener(twin); }),
              "[kiln::ActivityMap] element 'n' already exists.");

    ASSERT_EQ(updateListenerCount(), 1u);
    EXPECT_EQ(kiln::UpdateNotifier::instance()->getListeners()[0]->entity, first);
}

TEST_F(NotifierTest, SecondAddOfTheSameNameDuringOneDispatchThrowsInvalidArgument) {
    ProbeEntity* adder = updateProbe("adder");
    ProbeEntity* first = ownedProbe("n");
    ProbeEntity* twin = ownedProbe("n");
    std::string message;
    bool added = false;
    adder->action = [&](const std::string&) {
        if (added) return;
        added = true;
        kiln::UpdateNotifier::instance()->addListener(first);
        message = thrownMessage<std::invalid_argument>([&] { kiln::UpdateNotifier::instance()->addListener(twin); });
    };

    kiln::UpdateNotifier::instance()->update(1);

    EXPECT_EQ(message, "[kiln::CommandQueue] element 'n' already exists.");
    ASSERT_EQ(updateListenerCount(), 2u);
    EXPECT_EQ(kiln::UpdateNotifier::instance()->getListeners()[1]->entity, first);
}

TEST_F(NotifierTest, QueuedAddOfANameAlreadyListeningFailsAtTheEndOfTheDispatch) {
    ProbeEntity* adder = updateProbe("a");
    ProbeEntity* twin = ownedProbe("a");
    bool added = false;
    adder->action = [&](const std::string&) {
        if (added) return;
        added = true;
        kiln::UpdateNotifier::instance()->addListener(twin);
    };

    EXPECT_EQ(thrownMessage<std::runtime_error>([] { kiln::UpdateNotifier::instance()->update(1); }),
              "[kiln::ActivityMap] element 'a' already exists.");
    EXPECT_EQ(dir.read("log.txt"), "(EXCEPTION) [kiln::ActivityMap] element 'a' already exists.\n");

    // The notifier is unlocked again: a later addition applies at once.
    updateProbe("b");
    EXPECT_EQ(updateListenerCount(), 2u);
}

TEST_F(NotifierTest, NotifierDestroyedWithAFailingQueuedAddStillEndsCleanly) {
    // Two queued additions of taken ids: the first fails at the end of the
    // dispatch and the second is still queued when the notifier goes.
    ProbeEntity* adder = updateProbe("a");
    updateProbe("b");
    ProbeEntity* twinA = ownedProbe("a");
    ProbeEntity* twinB = ownedProbe("b");
    bool added = false;
    adder->action = [&](const std::string&) {
        if (added) return;
        added = true;
        kiln::UpdateNotifier::instance()->addListener(twinA);
        kiln::UpdateNotifier::instance()->addListener(twinB);
    };
    EXPECT_THROW(kiln::UpdateNotifier::instance()->update(1), std::runtime_error);

    kiln::UpdateNotifier::destroy();
    EXPECT_FALSE(kiln::UpdateNotifier::exists());
}

TEST_F(NotifierTest, AddingAListenerThatIsNotAnEntityThrows) {
    BareListener bare;

    EXPECT_EQ(thrownMessage<std::runtime_error>([&] { kiln::UpdateNotifier::instance()->addListener(&bare); }),
              "[kiln::Notifier] listener is not subclass of kiln::Entity.");
    EXPECT_EQ(updateListenerCount(), 0u);
}

TEST_F(NotifierTest, ThrowingListenerIsLoggedSkipsTheRestAndReachesTheCaller) {
    updateProbe("a");
    ProbeEntity* thrower = updateProbe("b");
    updateProbe("c");
    bool thrown = false;
    thrower->action = [&thrown](const std::string&) {
        if (thrown) return;
        thrown = true;
        throw std::runtime_error("msg");
    };

    EXPECT_EQ(thrownMessage<std::runtime_error>([] { kiln::UpdateNotifier::instance()->update(3); }), "msg");
    EXPECT_EQ(log, (CallLog{"a.update(3)", "b.update(3)"}));
    EXPECT_EQ(dir.read("log.txt"), "(EXCEPTION) msg\n");

    // The next dispatch walks the whole list again.
    kiln::UpdateNotifier::instance()->update(4);
    EXPECT_EQ(log, (CallLog{"a.update(3)", "b.update(3)", "a.update(4)", "b.update(4)", "c.update(4)"}));
}

TEST_F(NotifierTest, ExceptionOfAnotherTypePassesUnloggedAndLeavesTheNotifierUsable) {
    ProbeEntity* thrower = updateProbe("a");
    bool thrown = false;
    thrower->action = [&thrown](const std::string&) {
        if (thrown) return;
        thrown = true;
        throw std::logic_error("not a runtime error");
    };

    EXPECT_EQ(thrownMessage<std::logic_error>([] { kiln::UpdateNotifier::instance()->update(1); }),
              "not a runtime error");
    EXPECT_FALSE(std::filesystem::exists("log.txt"));

    // Unlocked again: the addition applies at once and the next dispatch reaches both.
    updateProbe("b");
    EXPECT_EQ(updateListenerCount(), 2u);
    kiln::UpdateNotifier::instance()->update(2);
    EXPECT_EQ(log, (CallLog{"a.update(1)", "a.update(2)", "b.update(2)"}));
}

TEST_F(NotifierTest, NotifiersWithoutListenersDispatchWithoutEffect) {
    kiln::KeyboardEventNotifier::instance()->onKeyPressed('a');
    kiln::KeyboardEventNotifier::instance()->onSpecialKeyReleased(1);
    kiln::MouseEventNotifier::instance()->onMouseButton(0, 0, 0, 0);
    kiln::MouseEventNotifier::instance()->onMousePassiveMotion(1, 1);
    kiln::ReshapeEventNotifier::instance()->onReshape(640, 480);
    kiln::UpdateNotifier::instance()->update(16);
    kiln::DrawNotifier::instance()->draw();
    kiln::DrawOverlayNotifier::instance()->drawOverlay();

    EXPECT_FALSE(kiln::DebugFile::exists());
    EXPECT_FALSE(std::filesystem::exists("log.txt"));
}

TEST_F(NotifierTest, DebugNotifierWithoutListenersStillOpensTheLogFile) {
    ASSERT_FALSE(std::filesystem::exists("log.txt"));

    kiln::DebugNotifier::instance()->debug();

    EXPECT_TRUE(kiln::DebugFile::exists());
    EXPECT_TRUE(std::filesystem::exists("log.txt"));
}

}  // namespace
