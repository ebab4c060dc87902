#include "../Process.h"

#include <windows.h>

#include <cstdlib>

namespace platform {

int RunProgram(const CString& strProgram, const CString& strArguments)
{
    // cmd /c strips the first and the last quote of its command line, so the
    // whole line goes into one more pair of quotes; the inner pair then keeps
    // a path with spaces, parentheses, & or ^ together.
    const CString strCommand = CString("\"\"") + strProgram + "\" " + strArguments + "\"";
    return std::system(strCommand.GetString());
}

CString ModuleFileName()
{
    char path[MAX_PATH * 4];
    const DWORD n = ::GetModuleFileNameA(nullptr, path, sizeof path);
    return n > 0 && n < sizeof path ? CString(path, static_cast<int>(n)) : CString();
}

unsigned long CurrentProcessId()
{
    return ::GetCurrentProcessId();
}

void Sleep(unsigned milliseconds)
{
    ::Sleep(milliseconds);
}

} // namespace platform
