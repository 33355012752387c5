#include "framework/DebugFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "tests/framework/FrameworkFixture.h"

namespace {

using DebugFileTest = frameworkTest::FrameworkFixture;

TEST_F(DebugFileTest, EachRunReplacesTheEarlierLog) {
    dir.write("log.txt", "an old run's line\nand another\n");

    kiln::DebugFile::instance()->stream << "new" << std::endl;

    EXPECT_EQ(dir.read("log.txt"), "new\n");
}

TEST_F(DebugFileTest, LogExceptionWritesExactlyOneLine) {
    kiln::DebugFile::instance()->logException(std::runtime_error("abc"));
    EXPECT_EQ(dir.read("log.txt"), "(EXCEPTION) abc\n");
}

TEST_F(DebugFileTest, LinesEndedWithEndlAreInTheFileAtOnce) {
    kiln::DebugFile::instance()->stream << "first" << std::endl;
    kiln::DebugFile::instance()->logException(std::runtime_error("second"));
    kiln::DebugFile::instance()->stream << "third" << std::endl;

    EXPECT_EQ(dir.read("log.txt"), "first\n(EXCEPTION) second\nthird\n");
}

TEST_F(DebugFileTest, DestroyClosesTheStreamAndKeepsWhatWasWritten) {
    kiln::DebugFile::instance()->stream << "no newline yet";
    kiln::DebugFile::destroy();
    EXPECT_EQ(dir.read("log.txt"), "no newline yet");
}

TEST_F(DebugFileTest, LogThatCannotBeOpenedIgnoresWrites) {
    std::filesystem::create_directory("log.txt");

    kiln::DebugFile::instance()->logException(std::runtime_error("lost"));
    kiln::DebugFile::instance()->stream << "also lost" << std::endl;

    EXPECT_TRUE(kiln::DebugFile::instance()->stream.fail());
    EXPECT_TRUE(std::filesystem::is_directory("log.txt"));
}

}  // namespace
