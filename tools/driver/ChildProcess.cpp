#include "tools/driver/ChildProcess.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <exception>

namespace quiltRush {

namespace {

// The child's answer goes through the pipe in one piece, after a one-byte
// status: '1' for a result, '0' for an error message.
void writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return;
        done += static_cast<std::size_t>(written);
    }
}

[[noreturn]] void answerAndExit(int fd, char status, const std::string& text) {
    writeAll(fd, std::string(1, status) + text);
    ::close(fd);
    // No exit handlers and no destructors: the child shares nothing with its
    // parent that should be torn down twice. Standard output is flushed first.
    std::fflush(nullptr);
    ::_exit(0);
}

ChildResult childResult(const std::string& received, int status) {
    bool exitedCleanly = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (received.empty()) {
        return {false, exitedCleanly ? "the child gave no answer"
                                     : "the child ended with status " + std::to_string(WIFEXITED(status)
                                                                                           ? WEXITSTATUS(status)
                                                                                           : 128 + WTERMSIG(status))};
    }
    return {exitedCleanly && received[0] == '1', received.substr(1)};
}

}  // namespace

RunningChild startChildProcess(const std::function<std::string()>& body, std::string& why) {
    int channel[2];
    if (::pipe(channel) != 0) {
        why = "cannot make a pipe";
        return {};
    }
    std::fflush(nullptr);  // nothing buffered before the fork is written twice
    pid_t child = ::fork();
    if (child < 0) {
        ::close(channel[0]);
        ::close(channel[1]);
        why = "cannot fork";
        return {};
    }
    if (child == 0) {
        ::close(channel[0]);
        try {
            answerAndExit(channel[1], '1', body());
        } catch (const std::exception& error) {
            answerAndExit(channel[1], '0', error.what());
        } catch (...) {
            answerAndExit(channel[1], '0', "unknown exception");
        }
    }
    ::close(channel[1]);
    return {child, channel[0]};
}

bool readAnswer(const RunningChild& child, std::string& received) {
    char buffer[65536];
    ssize_t got = ::read(child.answer, buffer, sizeof buffer);
    if (got < 0 && (errno == EINTR || errno == EAGAIN)) return false;
    if (got <= 0) return true;
    received.append(buffer, static_cast<std::size_t>(got));
    return false;
}

ChildResult finishChild(const RunningChild& child, const std::string& received) {
    ::close(child.answer);
    int status = 0;
    while (::waitpid(child.pid, &status, 0) < 0 && errno == EINTR) {
    }
    return childResult(received, status);
}

ChildResult runInChildProcess(const std::function<std::string()>& body) {
    std::string why;
    RunningChild child = startChildProcess(body, why);
    if (child.pid < 0) return {false, why};
    std::string received;
    while (!readAnswer(child, received)) {
    }
    return finishChild(child, received);
}

}  // namespace quiltRush
