#include "Headless.h"

#include <map>

namespace headless {

namespace {
std::vector<ProgramRun> g_runs;
std::function<int(const ProgramRun&)> g_programHandler;
bool g_bInitFails = false;
CString g_strProgramPath;
std::map<unsigned, CString> g_strings;
std::vector<MessageBoxShown> g_messageBoxes;
std::function<void(const MessageBoxShown&)> g_messageBoxHandler;
std::vector<unsigned> g_modalDialogs;
std::function<void(CDialog&)> g_modalHandler;
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

void SetProgramPath(const CString& strPath)
{
    g_strProgramPath = strPath;
}

const CString& ProgramPath()
{
    return g_strProgramPath;
}

void SetStringResource(unsigned nID, const CString& strText)
{
    g_strings[nID] = strText;
}

CString StringResource(unsigned nID)
{
    const auto it = g_strings.find(nID);
    return it == g_strings.end() ? CString() : it->second;
}

std::vector<MessageBoxShown>& MessageBoxes()
{
    return g_messageBoxes;
}

void SetMessageBoxHandler(std::function<void(const MessageBoxShown&)> handler)
{
    g_messageBoxHandler = std::move(handler);
}

const std::function<void(const MessageBoxShown&)>& MessageBoxHandler()
{
    return g_messageBoxHandler;
}

std::vector<unsigned>& ModalDialogs()
{
    return g_modalDialogs;
}

void SetModalHandler(std::function<void(CDialog&)> handler)
{
    g_modalHandler = std::move(handler);
}

const std::function<void(CDialog&)>& ModalHandler()
{
    return g_modalHandler;
}

void Reset()
{
    g_runs.clear();
    g_programHandler = nullptr;
    g_bInitFails = false;
    g_strProgramPath.Empty();
    g_strings.clear();
    g_messageBoxes.clear();
    g_messageBoxHandler = nullptr;
    g_modalDialogs.clear();
    g_modalHandler = nullptr;
}

} // namespace headless
