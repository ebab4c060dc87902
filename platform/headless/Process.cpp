#include "../Process.h"

#include "Headless.h"

#include <climits>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace platform {

namespace {

CString ShellQuoted(const CString& strText)
{
    CString strQuoted = strText;
    strQuoted.Replace("'", "'\\''");
    return CString("'") + strQuoted + "'";
}

} // namespace

int RunProgram(const CString& strProgram, const CString& strArguments)
{
    const headless::ProgramRun run{strProgram, strArguments};
    headless::ProgramRuns().push_back(run);
    if (const auto& handler = headless::ProgramHandler())
        return handler(run);
    const int status = std::system((ShellQuoted(strProgram) + " " + strArguments).GetString());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

CString ModuleFileName()
{
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path);
    return n > 0 && n < static_cast<ssize_t>(sizeof path) ? CString(path, static_cast<int>(n)) : CString();
}

unsigned long CurrentProcessId()
{
    return static_cast<unsigned long>(::getpid());
}

void Sleep(unsigned milliseconds)
{
    ::usleep(milliseconds * 1000u);
}

} // namespace platform
