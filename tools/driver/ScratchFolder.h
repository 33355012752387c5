#pragma once

#include <sys/types.h>

#include <string>

namespace quiltRush {

/// A fresh folder under the system's temporary directory, removed with all it
/// holds when the object goes, but only by the process that made it: a forked
/// copy leaves it to its parent. Throws std::runtime_error if none can be made.
class ScratchFolder {
public:
    /// The folder's name starts with prefix.
    explicit ScratchFolder(const std::string& prefix);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return folder; }

private:
    std::string folder;
    pid_t owner;
};

}  // namespace quiltRush
