#pragma once

#include <cstdio>
#include <string>

namespace quiltRush {

/// Sends everything written to standard output, or standard error (C stdio,
/// C++ streams and the file descriptor alike), into a temporary file while it
/// lives, so the game's printed lines can be read back. Not nestable per stream.
class OutputCapture {
public:
    /// stream: stdout or stderr. Throws std::runtime_error when it cannot be redirected.
    explicit OutputCapture(std::FILE* stream = stdout);
    /// Restores the stream if finish() was not called.
    ~OutputCapture();
    OutputCapture(const OutputCapture&) = delete;
    OutputCapture& operator=(const OutputCapture&) = delete;

    /// Restores the stream and returns what was written meanwhile.
    std::string finish();

private:
    std::FILE* stream;
    int descriptor;
    std::FILE* file = nullptr;
    int savedOutput = -1;
};

}  // namespace quiltRush
