#include "framework/Application.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>

#include "framework/DebugFile.h"
#include "framework/ManualClock.h"
#include "tests/framework/FrameworkFixture.h"

namespace {

using frameworkTest::CallLog;
using frameworkTest::ProbeEntity;

/// An application without entities of its own, ticked by a manual clock.
class TickApplication : public kiln::Application {
public:
    TickApplication() {
        auto owned = std::make_unique<kiln::ManualClock>();
        manual = owned.get();
        setClock(std::move(owned));
    }
    void createEntities() override {}

    kiln::ManualClock& manualClock() { return *manual; }

private:
    kiln::ManualClock* manual;
};

class ApplicationTest : public frameworkTest::FrameworkFixture {
protected:
    TickApplication app;
};

TEST_F(ApplicationTest, WindowDefaults) {
    EXPECT_EQ(app.getTitle(), "OpenGL GLUT Application");
    EXPECT_EQ(app.getWindowX(), 100);
    EXPECT_EQ(app.getWindowY(), 100);
    EXPECT_EQ(app.getWidth(), 640u);
    EXPECT_EQ(app.getHeight(), 480u);
    EXPECT_EQ(app.getDisplayMode(), 18u);  // double-buffered with depth, RGBA
}

TEST_F(ApplicationTest, FirstTickNotifiesNobody) {
    registeredProbe("p");
    app.manualClock().set({1700000000, 250});

    app.update();

    EXPECT_TRUE(log.empty());
    // Not even the debug pass ran, so the log file was never opened.
    EXPECT_FALSE(std::filesystem::exists("log.txt"));
}

TEST_F(ApplicationTest, LaterTicksPassTheTimeSinceThePreviousTick) {
    registeredProbe("p");
    app.manualClock().set({1700000000, 250});
    app.update();

    app.manualClock().advance(16);
    app.update();
    EXPECT_EQ(app.getElapsed(), 16u);
    app.manualClock().advance(33);
    app.update();
    app.update();

    EXPECT_EQ(log, (CallLog{"p.debug", "p.update(16)", "p.debug", "p.update(33)", "p.debug", "p.update(0)"}));
}

struct TickCase {
    const char* name;
    kiln::ClockReading first;
    std::uint64_t advanceMillis;
};

TEST_F(ApplicationTest, ElapsedIsRightAcrossSecondsWrapsAndStalls) {
    // The wrap case below really wraps: the count after its tick is below the one before.
    static_assert(std::uint32_t{4294967u * 1000u + 350u} < std::uint32_t{4294967u * 1000u + 200u});
    const TickCase cases[] = {
        {"within a second", {1700000000, 100}, 16},
        {"across a second", {5, 990}, 15},
        // 4294967 s is 4294967000 ms: 296 ms below the 32-bit limit.
        {"across the 32-bit wrap", {4294967, 200}, 150},
        {"seconds beyond 32 bits, across the wrap", {(std::int64_t{1} << 32) + 4294967, 900}, 500},
        {"a ten-minute stall, not clamped", {1700000000, 0}, 600000},
    };
    for (const TickCase& tick : cases) {
        SCOPED_TRACE(tick.name);
        TickApplication fresh;
        fresh.manualClock().set(tick.first);
        fresh.update();
        fresh.manualClock().advance(tick.advanceMillis);
        fresh.update();
        EXPECT_EQ(fresh.getElapsed(), tick.advanceMillis);
    }
}

TEST_F(ApplicationTest, DebugListenersRunBeforeUpdateListenersWithTheLogStream) {
    ProbeEntity* first = registeredProbe("first");
    ProbeEntity* second = registeredProbe("second");
    app.update();
    app.manualClock().advance(20);

    app.update();

    EXPECT_EQ(log, (CallLog{"first.debug", "second.debug", "first.update(20)", "second.update(20)"}));
    EXPECT_EQ(first->debugStream, &kiln::DebugFile::instance()->stream);
    EXPECT_EQ(second->debugStream, &kiln::DebugFile::instance()->stream);
}

TEST_F(ApplicationTest, SetSizeStoresTheWindowSize) {
    app.setSize(0, 300);
    EXPECT_EQ(app.getWidth(), 0u);
    EXPECT_EQ(app.getHeight(), 300u);
}

}  // namespace
