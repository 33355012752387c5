#pragma once

#include <istream>
#include <string>

#include "game/scene/ReadProblem.h"

namespace quiltRush {

/// Reads the white-space separated words of a text stream exactly as
/// `in >> word` does, and keeps the line of the word read last so that a
/// reader can say where a problem stands. Does not own the stream.
class WordReader {
public:
    explicit WordReader(std::istream& in) : in(in) {}

    /// The next word; false at the end of the stream (or when the stream has failed).
    bool next(std::string& word);
    /// Reads words until one equals keyword exactly (whole word, case-sensitive);
    /// false at the end of the stream.
    bool skipTo(const std::string& keyword);

    /// The word read last and its line; before the first word, line 1 and no word.
    /// After the end of the stream it still names the last word read.
    const WordPlace& place() const { return last; }

private:
    std::istream& in;
    int line = 1;  // of the stream's read position
    WordPlace last{1, ""};
};

}  // namespace quiltRush
