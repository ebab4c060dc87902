#include "Headless.h"

namespace headless {

namespace {
std::vector<ProgramRun> g_runs;
std::function<int(const ProgramRun&)> g_programHandler;
bool g_bInitFails = false;
} // namespace

std::vector<ProgramRun>& ProgramRuns()
{
    return g_runs;
}

void SetProgramHandler(std::function<int(const ProgramRun&)> handler)
{
    g_programHandler = std::move(handler);
}

const std::function<int(const ProgramRun&)>& ProgramHandler()
{
    return g_programHandler;
}

void SetFrameworkInitFails(bool bFails)
{
    g_bInitFails = bFails;
}

bool FrameworkInitFails()
{
    return g_bInitFails;
}

void Reset()
{
    g_runs.clear();
    g_programHandler = nullptr;
    g_bInitFails = false;
}

} // namespace headless
