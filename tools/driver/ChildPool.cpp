// The parent waits on all running children's pipes at once with poll, reads
// whatever arrives (a long answer would otherwise fill the pipe and stall its
// child), and reaps a child when its pipe closes. The poll wakes up in time
// for the earliest deadline, so a child that hangs is killed on time even
// while the others are quiet.
#include "tools/driver/ChildPool.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>

namespace quiltRush {

namespace {

using Clock = std::chrono::steady_clock;

struct Running {
    std::size_t index;
    RunningChild child;
    Clock::time_point deadline;
    std::string received;
};

std::string killedText(double timeoutSeconds) {
    char text[64];
    std::snprintf(text, sizeof text, "killed after %g s without an answer", timeoutSeconds);
    return text;
}

}  // namespace

std::vector<ChildResult> runInChildProcesses(const std::vector<std::function<std::string()>>& bodies, int jobs,
                                             double timeoutSeconds) {
    std::vector<ChildResult> results(bodies.size());
    std::vector<Running> running;
    const auto timeout = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(timeoutSeconds));
    std::size_t next = 0;
    while (next < bodies.size() || !running.empty()) {
        while (next < bodies.size() && static_cast<int>(running.size()) < std::max(1, jobs)) {
            std::string why;
            RunningChild child = startChildProcess(bodies[next], why);
            if (child.pid < 0) results[next] = {false, why};
            else running.push_back({next, child, Clock::now() + timeout, {}});
            ++next;
        }
        if (running.empty()) continue;

        // Every child has the same timeout and the list keeps their start
        // order, so the first one's deadline is the earliest.
        Clock::time_point now = Clock::now();
        Clock::time_point earliest = running.front().deadline;
        long waitMillis = std::max<long>(
            0, static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(earliest - now).count()) + 1);
        std::vector<pollfd> fds;
        for (const Running& r : running) fds.push_back({r.child.answer, POLLIN, 0});
        int ready = ::poll(fds.data(), fds.size(), static_cast<int>(std::min<long>(waitMillis, 60 * 1000)));
        if (ready < 0 && errno != EINTR) {
            std::perror("poll");
            ready = 0;
        }

        now = Clock::now();
        for (std::size_t i = running.size(); i-- > 0;) {
            Running& r = running[i];
            bool finished = (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0 && readAnswer(r.child, r.received);
            if (!finished && now < r.deadline) continue;
            if (!finished) ::kill(r.child.pid, SIGKILL);  // hung: it counts as failed
            ChildResult result = finishChild(r.child, r.received);
            results[r.index] = finished ? result : ChildResult{false, killedText(timeoutSeconds), true};
            running.erase(running.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    return results;
}

int processorCount() {
    long count = ::sysconf(_SC_NPROCESSORS_ONLN);
    return count > 0 ? static_cast<int>(count) : 1;
}

}  // namespace quiltRush
