#include "../Process.h"

#include "Headless.h"

#include <cstdlib>
#include <sys/wait.h>

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

} // namespace platform
