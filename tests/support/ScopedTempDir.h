#pragma once

#include <string>

#include "tools/driver/ScratchFolder.h"

namespace testSupport {

/// A fresh temporary directory that becomes the working directory for the
/// object's life; the previous working directory and the files are restored
/// and removed at the end.
class ScopedTempDir {
public:
    ScopedTempDir();
    ~ScopedTempDir();
    ScopedTempDir(const ScopedTempDir&) = delete;
    ScopedTempDir& operator=(const ScopedTempDir&) = delete;

    const std::string& path() const { return folder.path(); }
    /// Writes a file (path relative to the directory), creating parent folders.
    void write(const std::string& relativePath, const std::string& content) const;
    /// The whole content of a file, or "" if it cannot be read.
    std::string read(const std::string& relativePath) const;

private:
    quiltRush::ScratchFolder folder{"quiltrush-test"};
    std::string previous;
};

/// The project's root folder (where assets/ lives).
std::string sourceDir();

}  // namespace testSupport
