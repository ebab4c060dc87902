#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// Child processes of the soak and kill drivers.
namespace reliability {

// Starts argv[0] with the given arguments; with bOwnGroup the child leads a
// process group of its own, so that one kill reaches it and what it started.
pid_t Start(const std::vector<std::string>& argv, bool bOwnGroup = false);

// The exit status, -1 for a process ended by a signal. Blocks.
int Wait(pid_t pid);
// Like Wait, but false when the process has not ended within nTimeoutMs.
bool WaitFor(pid_t pid, unsigned nTimeoutMs, int& nStatus);
// True while the process runs (a child that ended but was not waited for
// counts as ended).
bool IsRunning(pid_t pid);

// The processes whose parent is pid.
std::vector<pid_t> ChildrenOf(pid_t pid);

} // namespace reliability
