#include "tools/driver/ChildProcess.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <stdexcept>
#include <string>

using quiltRush::ChildResult;
using quiltRush::runInChildProcess;

TEST(ChildProcessTest, ReturnsTheTextTheBodyReturned) {
    ChildResult result = runInChildProcess([] { return std::string("ball at 1 2 3\nsecond line"); });
    EXPECT_TRUE(result.completed);
    EXPECT_EQ(result.text, "ball at 1 2 3\nsecond line");
}

TEST(ChildProcessTest, ALongAnswerArrivesWhole) {
    // Larger than a pipe's buffer: the parent must read while the child writes.
    const std::string big(1 << 20, 'x');
    ChildResult result = runInChildProcess([&] { return big; });
    EXPECT_TRUE(result.completed);
    EXPECT_EQ(result.text.size(), big.size());
    EXPECT_EQ(result.text, big);
}

TEST(ChildProcessTest, AnEmptyAnswerIsStillAnAnswer) {
    ChildResult result = runInChildProcess([] { return std::string(); });
    EXPECT_TRUE(result.completed);
    EXPECT_EQ(result.text, "");
}

TEST(ChildProcessTest, TheBodyRunsApartFromTheParent) {
    int counter = 1;
    ChildResult result = runInChildProcess([&] {
        counter = 99;
        return std::to_string(::getpid());
    });
    EXPECT_TRUE(result.completed);
    EXPECT_EQ(counter, 1);
    EXPECT_NE(result.text, std::to_string(::getpid()));
}

TEST(ChildProcessTest, AnExceptionIsReportedWithItsMessage) {
    ChildResult result = runInChildProcess([]() -> std::string { throw std::runtime_error("no display"); });
    EXPECT_FALSE(result.completed);
    EXPECT_EQ(result.text, "no display");
}

TEST(ChildProcessTest, AChildThatEndsEarlyIsAFailure) {
    ChildResult exited = runInChildProcess([]() -> std::string { std::exit(3); });
    EXPECT_FALSE(exited.completed);
    EXPECT_EQ(exited.text, "the child ended with status 3");

    ChildResult killed = runInChildProcess([]() -> std::string {
        std::raise(SIGKILL);
        return "never";
    });
    EXPECT_FALSE(killed.completed);
    EXPECT_EQ(killed.text, "the child ended with status " + std::to_string(128 + SIGKILL));
}
