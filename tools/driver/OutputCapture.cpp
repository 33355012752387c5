#include "tools/driver/OutputCapture.h"

#include <unistd.h>

#include <stdexcept>

namespace quiltRush {

OutputCapture::OutputCapture(std::FILE* stream) : stream(stream), descriptor(::fileno(stream)) {
    std::fflush(stream);
    file = std::tmpfile();
    if (file == nullptr) throw std::runtime_error("cannot make a file for the captured output");
    savedOutput = ::dup(descriptor);
    if (savedOutput < 0 || ::dup2(::fileno(file), descriptor) < 0) {
        if (savedOutput >= 0) ::close(savedOutput);
        std::fclose(file);
        throw std::runtime_error("cannot redirect the output");
    }
}

OutputCapture::~OutputCapture() {
    if (savedOutput >= 0) finish();
}

std::string OutputCapture::finish() {
    if (savedOutput < 0) return "";
    std::fflush(stream);
    ::dup2(savedOutput, descriptor);
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
