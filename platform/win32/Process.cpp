#include "../Process.h"

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

} // namespace platform
