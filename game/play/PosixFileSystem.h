#pragma once

#include "game/play/SaveFileSystem.h"

namespace quiltRush {

/// The real files, through POSIX calls (fsync, rename, flock).
class PosixFileSystem : public SaveFileSystem {
public:
    /// How long lock waits for a lock another process holds before it gives up.
    static constexpr int kLockWaitMillis = 1500;
    static constexpr int kLockRetryMillis = 10;

    ReadResult read(const std::string& path, std::size_t maxBytes, std::string& content) override;
    int lock(const std::string& path) override;
    void unlock(int handle) override;
    int create(const std::string& path) override;
    bool write(int handle, const char* data, std::size_t size) override;
    bool flush(int handle) override;
    bool close(int handle) override;
    bool rename(const std::string& from, const std::string& to) override;
    bool flushFolder(const std::string& path) override;
    bool exists(const std::string& path) override;
    void remove(const std::string& path) override;
};

}  // namespace quiltRush
