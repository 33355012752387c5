#include "framework/Manager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "framework/DebugFile.h"
#include "framework/Registry.h"
#include "framework/UpdateNotifier.h"
#include "tests/framework/FrameworkFixture.h"

namespace {

using frameworkTest::CallLog;
using frameworkTest::ProbeEntity;

void appendLine(const std::string& file, const std::string& line) {
    std::ofstream out(file, std::ios::app);
    out << line << "\n";
}

/// A probe that reports its destruction to "destroyed.txt", noting whether the
/// notifiers were already gone, and to the log without flushing it.
class DyingProbe : public ProbeEntity {
public:
    using ProbeEntity::ProbeEntity;
    ~DyingProbe() override {
        appendLine("destroyed.txt", getId() + (kiln::UpdateNotifier::exists() ? " (notifiers still there)" : ""));
        kiln::DebugFile::instance()->stream << "destroyed " << getId() << "\n";
    }
};

// Runs in the child process: three entities, the first update listener shuts down.
void shutDownDuringAnUpdate() {
    static CallLog log;
    auto* quitter = new DyingProbe("quitter", log);
    auto* after = new DyingProbe("after", log);
    kiln::Registry::instance()->add(quitter);
    kiln::Registry::instance()->add(after);
    kiln::Registry::instance()->add(new DyingProbe("bystander", log));
    quitter->action = [](const std::string& call) {
        if (call.rfind("update", 0) != 0) return;
        kiln::DebugFile::instance()->stream << "before shutdown" << std::endl;
        kiln::Manager::instance()->shutdown();
    };
    after->action = [](const std::string& call) {
        if (call.rfind("update", 0) == 0) appendLine("after.txt", "called after shutdown");
    };

    kiln::UpdateNotifier::instance()->update(16);
}

using ManagerShutdownTest = frameworkTest::FrameworkFixture;

TEST_F(ManagerShutdownTest, ShutdownFromAnUpdateListenerExitsWithStatusZeroAfterCleanUp) {
    EXPECT_EXIT(shutDownDuringAnUpdate(), ::testing::ExitedWithCode(0), "");

    // Every entity was deleted, in id order, after the notifiers.
    EXPECT_EQ(dir.read("destroyed.txt"), "after\nbystander\nquitter\n");
    // The dispatch did not go on after shutdown.
    EXPECT_FALSE(std::filesystem::exists(dir.path() + "/after.txt"));
    // The log outlived the entities and was closed, so its unflushed lines are there too.
    EXPECT_EQ(dir.read("log.txt"), "before shutdown\ndestroyed after\ndestroyed bystander\ndestroyed quitter\n");
}

TEST_F(ManagerShutdownTest, ShutdownWithNothingUsedStillExitsWithStatusZero) {
    EXPECT_EXIT(kiln::Manager::instance()->shutdown(), ::testing::ExitedWithCode(0), "");
    // The log is created and closed at once by the tear-down.
    EXPECT_TRUE(std::filesystem::exists(dir.path() + "/log.txt"));
}

TEST_F(ManagerShutdownTest, ManagerStartsWithoutApplicationOrTimer) {
    EXPECT_EQ(kiln::Manager::instance()->getApp(), nullptr);
    EXPECT_EQ(kiln::Manager::instance()->getTimerPeriod(), 0u);
}

}  // namespace
