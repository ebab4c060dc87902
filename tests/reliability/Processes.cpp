#include "Processes.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace reliability {

pid_t Start(const std::vector<std::string>& argv, bool bOwnGroup)
{
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (bOwnGroup)
            ::setpgid(0, 0);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    // Set from both sides, so that a kill right after the start already
    // reaches the group.
    if (pid > 0 && bOwnGroup)
        ::setpgid(pid, pid);
    return pid;
}

namespace {

int StatusOf(int raw)
{
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

} // namespace

int Wait(pid_t pid)
{
    int raw = 0;
    while (::waitpid(pid, &raw, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return StatusOf(raw);
}

bool WaitFor(pid_t pid, unsigned nTimeoutMs, int& nStatus)
{
    for (unsigned waited = 0;; ++waited) {
        int raw = 0;
        const pid_t done = ::waitpid(pid, &raw, WNOHANG);
        if (done == pid) {
            nStatus = StatusOf(raw);
            return true;
        }
        if (done < 0 || waited >= nTimeoutMs)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

bool IsRunning(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    std::getline(stat, text);
    const size_t close = text.rfind(')');
    // A zombie has ended; only its status is left.
    return close != std::string::npos && close + 2 < text.size() && text[close + 2] != 'Z';
}

std::vector<pid_t> ChildrenOf(pid_t pid)
{
    std::vector<pid_t> children;
    DIR* proc = ::opendir("/proc");
    if (!proc)
        return children;
    while (const dirent* entry = ::readdir(proc)) {
        const pid_t candidate = static_cast<pid_t>(std::atoi(entry->d_name));
        if (candidate <= 0)
            continue;
        std::ifstream stat(std::string("/proc/") + entry->d_name + "/stat");
        std::string text;
        std::getline(stat, text);
        const size_t close = text.rfind(')');
        if (close == std::string::npos)
            continue;
        char state = 0;
        int parent = 0;
        if (std::sscanf(text.c_str() + close + 1, " %c %d", &state, &parent) == 2 && parent == pid && state != 'Z')
            children.push_back(candidate);
    }
    ::closedir(proc);
    return children;
}

} // namespace reliability
