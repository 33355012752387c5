#pragma once

#include <functional>
#include <string>

namespace quiltRush {

/// What a body run in a child process handed back.
struct ChildResult {
    bool completed = false;  // the body returned normally and its text arrived whole
    std::string text;        // the body's result, or the message of what went wrong
};

/// Runs body in a forked child process and returns the text it returned. The
/// game can be built once per process only, so every fresh game (each
/// candidate of a search, each replay of a test) is played in a child of its
/// own; the caller never touches GLUT itself. An exception in the body, or a
/// child that dies, gives completed = false.
ChildResult runInChildProcess(const std::function<std::string()>& body);

}  // namespace quiltRush
