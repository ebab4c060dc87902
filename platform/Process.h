#pragma once

#include "ByteString.h"

namespace platform {

// Runs strProgram with strArguments through the platform's command
// interpreter and waits for it. The program's path is quoted so that the
// interpreter takes it whole, whatever it holds; the arguments go on as they
// are. Returns the command's exit status.
int RunProgram(const CString& strProgram, const CString& strArguments);

// The running executable's full path, as the operating system reports it;
// empty when it cannot tell.
CString ModuleFileName();
unsigned long CurrentProcessId();
void Sleep(unsigned milliseconds);

} // namespace platform
