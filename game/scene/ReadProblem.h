#pragma once

#include <functional>
#include <string>

namespace quiltRush {

/// A word of a text file and the line it stands on, counting from 1.
struct WordPlace {
    int line = 0;
    std::string word;
};

/// Where a reader reports what is wrong with its file: the word at fault (when
/// the file ends too soon, the last word read) and a one-line message. A reader
/// given none stays silent, as the game wants it.
using ProblemSink = std::function<void(const WordPlace& place, const std::string& message)>;

}  // namespace quiltRush
