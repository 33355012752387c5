#pragma once

#include <cstdio>
#include <string>

namespace quiltRush {

/// Sends everything written to standard output (C stdio and the file
/// descriptor alike) into a temporary file while it lives, so the game's
/// printed lines can be read back. Not nestable.
class OutputCapture {
public:
    /// Throws std::runtime_error when standard output cannot be redirected.
    OutputCapture();
    /// Restores standard output if finish() was not called.
    ~OutputCapture();
    OutputCapture(const OutputCapture&) = delete;
    OutputCapture& operator=(const OutputCapture&) = delete;

    /// Restores standard output and returns what was written meanwhile.
    std::string finish();

private:
    std::FILE* file = nullptr;
    int savedOutput = -1;
};

}  // namespace quiltRush
