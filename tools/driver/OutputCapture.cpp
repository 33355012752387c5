#include "tools/driver/OutputCapture.h"

#include <unistd.h>

#include <stdexcept>

namespace quiltRush {

OutputCapture::OutputCapture() {
    std::fflush(stdout);
    file = std::tmpfile();
    if (file == nullptr) throw std::runtime_error("cannot make a file for standard output");
    savedOutput = ::dup(STDOUT_FILENO);
    if (savedOutput < 0 || ::dup2(::fileno(file), STDOUT_FILENO) < 0) {
        if (savedOutput >= 0) ::close(savedOutput);
        std::fclose(file);
        throw std::runtime_error("cannot redirect standard output");
    }
}

OutputCapture::~OutputCapture() {
    if (savedOutput >= 0) finish();
}

std::string OutputCapture::finish() {
    if (savedOutput < 0) return "";
    std::fflush(stdout);
    ::dup2(savedOutput, STDOUT_FILENO);
    ::close(savedOutput);
    savedOutput = -1;
    std::string text;
    std::rewind(file);
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, got);
    std::fclose(file);
    file = nullptr;
    return text;
}

}  // namespace quiltRush
