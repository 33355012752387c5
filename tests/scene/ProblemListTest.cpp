#include "game/scene/ProblemList.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

using quiltRush::ProblemList;

TEST(ProblemListTest, WordsAreShownEscapedAndCut) {
    const std::string sixty(60, 'w');
    const struct {
        std::string word;
        std::string shown;
    } cases[] = {
        {"BEGINDAT", "BEGINDAT"},
        {"\x1b[2J\x07", "\\x1b[2J\\x07"},
        {"tab\there\r\n", "tab\\x09here\\x0d\\x0a"},
        {"C:\\level", "C:\\\\level"},
        {"gr\xc3\xbc\xc3\x9f", "gr\\xc3\\xbc\\xc3\\x9f"},
        {std::string("nul\0byte", 8), "nul\\x00byte"},
        {sixty, sixty},
        {sixty + "x", sixty + "..."},
        {std::string(1 << 20, 'm'), std::string(60, 'm') + "..."},
        {std::string(30, '\x01'), std::string("\\x01\\x01\\x01\\x01\\x01\\x01\\x01\\x01\\x01\\x01\\x01\\x01\\x01\\x01\\x01") + "..."},
    };
    for (const auto& c : cases) EXPECT_EQ(ProblemList::shown(c.word), c.shown) << c.shown;

    ProblemList problems;
    problems.report("assets/\x1b]0;title\x07.ase", {3, "\x1b[31mred"}, "number expected");
    std::ostringstream out;
    problems.write(out);
    EXPECT_EQ(out.str(), "assets/\\x1b]0;title\\x07.ase:3: '\\x1b[31mred': number expected\n");
}

TEST(ProblemListTest, ALimitListsTheFirstProblemsAndCountsTheRest) {
    ProblemList problems;
    for (int line = 25; line >= 1; --line) problems.report("level.txt", {line, "w"}, "unknown");
    std::ostringstream limited;
    problems.write(limited, 20);
    std::ostringstream full;
    problems.write(full);
    std::string expected;
    for (int line = 1; line <= 20; ++line) expected += "level.txt:" + std::to_string(line) + ": 'w': unknown\n";
    EXPECT_EQ(limited.str(), expected + "... and 5 more\n");
    for (int line = 21; line <= 25; ++line) expected += "level.txt:" + std::to_string(line) + ": 'w': unknown\n";
    EXPECT_EQ(full.str(), expected);
}

}  // namespace
