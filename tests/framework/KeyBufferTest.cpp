#include "framework/KeyBuffer.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/GlutCallbacks.h"
#include "framework/KeyboardEventNotifier.h"
#include "tests/framework/FrameworkFixture.h"

namespace {

using frameworkTest::CallLog;
using frameworkTest::ProbeEntity;

class KeyBufferTest : public frameworkTest::FrameworkFixture {
protected:
    ProbeEntity* keyboardProbe(const std::string& id) { return probeListeningTo<kiln::KeyboardEventNotifier>(id); }
};

TEST_F(KeyBufferTest, SpecialKeyCodesMapToTheirSlots) {
    EXPECT_EQ(kiln::KeyBuffer::specialIndex(GLUT_KEY_F1), 0);
    EXPECT_EQ(kiln::KeyBuffer::specialIndex(GLUT_KEY_F12), 11);
    EXPECT_EQ(kiln::KeyBuffer::specialIndex(GLUT_KEY_LEFT), 12);
    EXPECT_EQ(kiln::KeyBuffer::specialIndex(GLUT_KEY_DOWN), 15);
    EXPECT_EQ(kiln::KeyBuffer::specialIndex(GLUT_KEY_INSERT), 20);
    EXPECT_EQ(kiln::KeyBuffer::specialIndex(109), 21);
}

TEST_F(KeyBufferTest, CodesOutsideTheFunctionAndCursorKeysHaveNoSlot) {
    for (int code : {-1, 0, 13, 50, 99, 110, 112}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(kiln::KeyBuffer::specialIndex(code), -1);
    }
}

TEST_F(KeyBufferTest, CodeWithoutSlotIsNotRecordedInAnotherKeysSlot) {
    kiln::KeyBuffer::instance()->setSpecialKey(13, true);
    kiln::KeyBuffer::instance()->setSpecialKey(110, true);

    EXPECT_FALSE(kiln::KeyBuffer::instance()->isSpecialKeyDown(GLUT_KEY_LEFT));
    EXPECT_FALSE(kiln::KeyBuffer::instance()->isSpecialKeyDown(13));
    EXPECT_FALSE(kiln::KeyBuffer::instance()->isSpecialKeyDown(110));
}

TEST_F(KeyBufferTest, PressAndReleaseOfAnAsciiKeyReachListenersOnceAndLeaveTheKeyUp) {
    ProbeEntity* probe = keyboardProbe("keys");
    std::vector<bool> downDuringCalls;
    probe->action = [&](const std::string&) { downDuringCalls.push_back(kiln::KeyBuffer::instance()->isKeyDown(97)); };

    kiln::keyboardCallback('a', 320, 240);
    EXPECT_TRUE(kiln::KeyBuffer::instance()->isKeyDown(97));
    kiln::keyboardUpCallback('a', 320, 240);

    EXPECT_EQ(log, (CallLog{"keys.onKeyPressed(97)", "keys.onKeyReleased(97)"}));
    EXPECT_FALSE(kiln::KeyBuffer::instance()->isKeyDown(97));
    // The table changes before the listeners hear of it.
    EXPECT_EQ(downDuringCalls, (std::vector<bool>{true, false}));
}

TEST_F(KeyBufferTest, SpecialKeyEventsCarryGlutsCodeAndSetTheMappedSlot) {
    ProbeEntity* probe = keyboardProbe("keys");
    std::vector<bool> downDuringCalls;
    probe->action = [&](const std::string&) {
        downDuringCalls.push_back(kiln::KeyBuffer::instance()->isSpecialKeyDown(GLUT_KEY_INSERT));
    };

    kiln::specialCallback(GLUT_KEY_INSERT, 0, 0);
    kiln::specialUpCallback(GLUT_KEY_INSERT, 0, 0);

    EXPECT_EQ(log, (CallLog{"keys.onSpecialKeyPressed(108)", "keys.onSpecialKeyReleased(108)"}));
    EXPECT_EQ(downDuringCalls, (std::vector<bool>{true, false}));
}

TEST_F(KeyBufferTest, SpecialKeysAreTrackedSeparately) {
    kiln::specialCallback(GLUT_KEY_F1, 0, 0);
    kiln::specialCallback(GLUT_KEY_LEFT, 0, 0);
    kiln::specialUpCallback(GLUT_KEY_F1, 0, 0);

    EXPECT_FALSE(kiln::KeyBuffer::instance()->isSpecialKeyDown(GLUT_KEY_F1));
    EXPECT_TRUE(kiln::KeyBuffer::instance()->isSpecialKeyDown(GLUT_KEY_LEFT));
    EXPECT_FALSE(kiln::KeyBuffer::instance()->isSpecialKeyDown(GLUT_KEY_INSERT));
    // ASCII 100 ('d') is a different key from the special code 100 (left).
    EXPECT_FALSE(kiln::KeyBuffer::instance()->isKeyDown(100));
}

TEST_F(KeyBufferTest, SpecialCodeWithoutSlotIsStillDispatched) {
    keyboardProbe("keys");
    kiln::specialCallback(112, 0, 0);
    kiln::specialUpCallback(112, 0, 0);
    EXPECT_EQ(log, (CallLog{"keys.onSpecialKeyPressed(112)", "keys.onSpecialKeyReleased(112)"}));
}

TEST_F(KeyBufferTest, DisabledListenerHearsNothingButTheTableStillChanges) {
    ProbeEntity* probe = keyboardProbe("keys");
    probe->state.enabled = false;

    kiln::keyboardCallback(' ', 0, 0);

    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(kiln::KeyBuffer::instance()->isKeyDown(' '));
}

}  // namespace
