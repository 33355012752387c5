#include "game/play/PosixFileSystem.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <thread>

namespace quiltRush {

namespace {

constexpr mode_t kFileMode = 0644;  // the umask narrows it further

std::string folderOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

SaveFileSystem::ReadResult PosixFileSystem::read(const std::string& path, std::size_t maxBytes,
                                                 std::string& content) {
    content.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    char buffer[4096];
    while (content.size() <= maxBytes) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            int error = errno;
            ::close(fd);
            errno = error;
            return ReadResult::Failed;
        }
        if (got == 0) break;
        content.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    if (content.size() > maxBytes + 1) content.resize(maxBytes + 1);
    return ReadResult::Read;
}

// flock has no timeout of its own: it is asked without waiting, again and
// again, until the lock comes free or the time is up. A game stuck behind
// another's lock would otherwise never save again, nor exit.
int PosixFileSystem::lock(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, kFileMode);
    if (fd < 0) return -1;
    for (int waited = 0; ::flock(fd, LOCK_EX | LOCK_NB) != 0; waited += kLockRetryMillis) {
        int error = errno;
        if (error == EINTR) continue;
        if (error != EWOULDBLOCK || waited >= kLockWaitMillis) {
            ::close(fd);
            errno = error;
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(kLockRetryMillis));
    }
    return fd;
}

void PosixFileSystem::unlock(int handle) {
    // Closing the last descriptor of the file releases the lock as well.
    ::flock(handle, LOCK_UN);
    ::close(handle);
}

int PosixFileSystem::create(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, kFileMode);
}

bool PosixFileSystem::write(int handle, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t put = ::write(handle, data, size);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        data += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

bool PosixFileSystem::flush(int handle) { return ::fsync(handle) == 0; }

bool PosixFileSystem::close(int handle) { return ::close(handle) == 0; }

bool PosixFileSystem::rename(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool PosixFileSystem::flushFolder(const std::string& path) {
    int fd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    bool flushed = ::fsync(fd) == 0;
    ::close(fd);
    return flushed;
}

bool PosixFileSystem::exists(const std::string& path) {
    struct stat status;
    return ::lstat(path.c_str(), &status) == 0;
}

void PosixFileSystem::remove(const std::string& path) { ::unlink(path.c_str()); }

}  // namespace quiltRush
