#pragma once

#include <fstream>
#include <stdexcept>

#include "framework/Singleton.h"

namespace kiln {

/// The diagnostic log "log.txt" in the working directory, replaced on each run.
/// Writers end their lines with std::endl so that every line reaches the file at once.
class DebugFile : public Singleton<DebugFile> {
public:
    virtual ~DebugFile();

    /// Writes the line "(EXCEPTION) " followed by the message.
    void logException(const std::runtime_error& error);

    std::ofstream stream;

private:
    friend class Singleton<DebugFile>;
    DebugFile();
};

}  // namespace kiln
