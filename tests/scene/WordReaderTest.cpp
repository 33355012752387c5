#include "game/scene/WordReader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using quiltRush::WordPlace;
using quiltRush::WordReader;

namespace {

std::vector<WordPlace> allWords(const std::string& text) {
    std::istringstream in(text);
    WordReader words(in);
    std::vector<WordPlace> result;
    std::string word;
    while (words.next(word)) result.push_back(words.place());
    return result;
}

}  // namespace

TEST(WordReaderTest, GivesTheWordsOfTheStreamExtractionWithTheirLines) {
    const std::string text = "  BEGINDATA\r\n\n\tabc  1.5\n\n\n  x\ty\nlast";
    std::vector<WordPlace> places = allWords(text);

    std::istringstream in(text);
    std::vector<std::string> extracted;
    for (std::string word; in >> word;) extracted.push_back(word);
    ASSERT_EQ(places.size(), extracted.size());
    for (std::size_t i = 0; i < places.size(); ++i) EXPECT_EQ(places[i].word, extracted[i]);

    std::vector<int> lines;
    for (const WordPlace& place : places) lines.push_back(place.line);
    EXPECT_EQ(lines, (std::vector<int>{1, 3, 3, 6, 6, 7}));
}

TEST(WordReaderTest, EndOfTheStreamKeepsTheLastWordAndStaysAtTheEnd) {
    std::istringstream in("one\ntwo\n\n\n");
    WordReader words(in);
    std::string word;
    ASSERT_TRUE(words.next(word));
    ASSERT_TRUE(words.next(word));
    EXPECT_FALSE(words.next(word));
    EXPECT_FALSE(words.next(word));
    EXPECT_EQ(word, "two");
    EXPECT_EQ(words.place().line, 2);
    EXPECT_EQ(words.place().word, "two");
}

TEST(WordReaderTest, BeforeTheFirstWordThePlaceIsLineOneWithoutAWord) {
    std::istringstream in("\n\n");
    WordReader words(in);
    std::string word;
    EXPECT_FALSE(words.next(word));
    EXPECT_EQ(words.place().line, 1);
    EXPECT_EQ(words.place().word, "");
}

TEST(WordReaderTest, SkipToFindsWholeWordsOnlyAndStopsAtTheEnd) {
    std::istringstream in("*MESH_VERTEX_LIST {\n*MESH_VERTEXNORMAL 1\n*MESH_VERTEX 0 1 2 3\n");
    WordReader words(in);
    ASSERT_TRUE(words.skipTo("*MESH_VERTEX"));
    EXPECT_EQ(words.place().line, 3);
    std::string word;
    ASSERT_TRUE(words.next(word));
    EXPECT_EQ(word, "0");
    EXPECT_FALSE(words.skipTo("*MESH_VERTEX"));
    EXPECT_EQ(words.place().word, "3");
}
