#include "framework/DebugFile.h"

namespace kiln {

constexpr const char* kLogFileName = "log.txt";

// A log that cannot be opened leaves the stream failed: writes are then ignored.
DebugFile::DebugFile() : stream(kLogFileName, std::ios::out | std::ios::trunc) {}

DebugFile::~DebugFile() { stream.close(); }

void DebugFile::logException(const std::runtime_error& error) {
    stream << "(EXCEPTION) " << error.what() << std::endl;
}

}  // namespace kiln
