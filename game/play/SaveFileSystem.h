#pragma once

#include <cstddef>
#include <string>

namespace quiltRush {

/// The few file operations a saved file needs, one call each, so that tests
/// can fail or stop a save at any of them. Failures leave errno set.
class SaveFileSystem {
public:
    enum class ReadResult { Read, Missing, Failed };

    virtual ~SaveFileSystem() = default;

    /// The whole file, or its first maxBytes + 1 bytes when it is longer.
    virtual ReadResult read(const std::string& path, std::size_t maxBytes, std::string& content) = 0;
    /// Waits a little while at most for the exclusive lock on path (created if
    /// missing); a handle, or -1 (errno EWOULDBLOCK when another holder kept it).
    virtual int lock(const std::string& path) = 0;
    virtual void unlock(int handle) = 0;
    /// Creates or empties path for writing; a handle, or -1.
    virtual int create(const std::string& path) = 0;
    virtual bool write(int handle, const char* data, std::size_t size) = 0;
    /// Puts what was written on the disk itself.
    virtual bool flush(int handle) = 0;
    virtual bool close(int handle) = 0;
    /// Replaces to by from in one step.
    virtual bool rename(const std::string& from, const std::string& to) = 0;
    /// Puts the folder holding path (its names) on the disk.
    virtual bool flushFolder(const std::string& path) = 0;
    virtual bool exists(const std::string& path) = 0;
    virtual void remove(const std::string& path) = 0;
};

}  // namespace quiltRush
