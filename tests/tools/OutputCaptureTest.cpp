#include "tools/driver/OutputCapture.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <string>

using quiltRush::OutputCapture;

TEST(OutputCaptureTest, CatchesStdioAndDescriptorWritesInOrder) {
    OutputCapture capture;
    std::printf("checkpoint %d\n", 2);
    std::fflush(stdout);
    ssize_t written = ::write(STDOUT_FILENO, "raw\n", 4);
    std::printf("checkpoint %d\n", 0);  // still in stdio's buffer: finish flushes it
    std::string text = capture.finish();
    EXPECT_EQ(written, 4);
    EXPECT_EQ(text, "checkpoint 2\nraw\ncheckpoint 0\n");
}

TEST(OutputCaptureTest, NothingWrittenGivesAnEmptyText) {
    OutputCapture capture;
    EXPECT_EQ(capture.finish(), "");
    EXPECT_EQ(capture.finish(), "");  // a second finish has nothing more
}

TEST(OutputCaptureTest, StandardOutputIsBackAfterwards) {
    {
        OutputCapture first;
        std::printf("hidden\n");
    }  // the destructor restores the output without finish
    OutputCapture second;
    std::printf("seen\n");
    EXPECT_EQ(second.finish(), "seen\n");
}
