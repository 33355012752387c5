#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tools/driver/ChildProcess.h"

namespace quiltRush {

/// Runs every body in a child process of its own, as runInChildProcess does,
/// at most jobs of them at a time, and returns their results in the bodies'
/// order. A child still running timeoutSeconds after it started is killed and
/// its result is not completed, like that of a child that crashed.
std::vector<ChildResult> runInChildProcesses(const std::vector<std::function<std::string()>>& bodies, int jobs,
                                             double timeoutSeconds);

/// The processors online, at least one: the default number of jobs.
int processorCount();

}  // namespace quiltRush
