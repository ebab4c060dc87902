#pragma once

#include "../ByteString.h"

#include <functional>
#include <vector>

// What the in-memory backend lets a test see and steer.
namespace headless {

struct ProgramRun {
    CString strProgram;
    CString strArguments;
};

// Every program started through RunProgram, in order.
std::vector<ProgramRun>& ProgramRuns();
// Replaces starting a real process; without a handler the program is run
// through /bin/sh.
void SetProgramHandler(std::function<int(const ProgramRun&)> handler);
const std::function<int(const ProgramRun&)>& ProgramHandler();

void SetFrameworkInitFails(bool bFails);
bool FrameworkInitFails();

// Forgets everything recorded and every handler set.
void Reset();

} // namespace headless
