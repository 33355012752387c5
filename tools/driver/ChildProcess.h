#pragma once

#include <sys/types.h>

#include <functional>
#include <string>

namespace quiltRush {

/// What a body run in a child process handed back.
struct ChildResult {
    bool completed = false;  // the body returned normally and its text arrived whole
    std::string text;        // the body's result, or the message of what went wrong
    bool timedOut = false;   // killed for taking too long (runInChildProcesses)
};

/// Runs body in a forked child process and returns the text it returned. The
/// game can be built once per process only, so every fresh game (each
/// candidate of a search, each replay of a test) is played in a child of its
/// own; the caller never touches GLUT itself. An exception in the body, or a
/// child that dies, gives completed = false.
ChildResult runInChildProcess(const std::function<std::string()>& body);

/// A child started by startChildProcess: its process id and the read end of
/// the pipe its answer comes through (the caller closes it).
struct RunningChild {
    pid_t pid = -1;  // -1: it could not be started
    int answer = -1;
};

/// Forks a child that runs body and answers through a pipe, and returns at
/// once; the caller reads the answer (or gives up on it) and calls
/// finishChild. On failure pid is -1 and why says what failed.
RunningChild startChildProcess(const std::function<std::string()>& body, std::string& why);

/// Reads what the child's pipe holds into received, waiting until something
/// is there; true once the child's end of the pipe is closed.
bool readAnswer(const RunningChild& child, std::string& received);

/// Closes the child's pipe, waits for the child to end and says what its
/// answer, received so far, and its end amount to.
ChildResult finishChild(const RunningChild& child, const std::string& received);

}  // namespace quiltRush
