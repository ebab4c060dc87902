/* rundriver: drives vando_batchrunner from another process as a user would,
 * for the end-to-end tests and the demo.
 *
 * rundriver <step>... runs the steps in order. A step that reads something
 * prints one JSON array on a line of its own. The first step that fails
 * prints ["error", step, reason] and the driver exits with status 1. Each
 * step is named on standard error as it begins.
 *
 *   timeout=S     bound of each following wait, in seconds (default 120)
 *   start=PATH    start the program PATH with a command line holding only
 *                 its bare file name, as a shell may when it starts a
 *                 program by name from its folder
 *   find          wait for the runner's dialog
 *   type=TEXT     put TEXT into the option box, as typing does
 *   click=ID      click the dialog's button ID
 *   waitrows=N    wait until the list has N rows and the last one a result
 *   rows          ["rows", [[run, long, lat, zoom, result], ...]]
 *   labels        ["labels", result label, call label]
 *   box           wait for a message box: ["box", its message]
 *   ok            press OK in that message box; wait until it has closed
 *   info          open the info box by its system menu command, print
 *                 ["info", caption, [[class, id, text], ...]], press OK
 *   rect          ["rect", left, top, right, bottom] of the dialog
 *   close         click Exit; wait until the dialog has gone
 *   gone          wait until the dialog has gone
 */
#include "Json.h"
#include "RemoteList.h"
#include "RunnerWindows.h"

#include <windows.h>

#include <shellapi.h>

#include <cwchar>
#include <string>
#include <vector>

using namespace runner_windows;

namespace {

constexpr int kResultColumn = 4;

struct Session {
    DWORD dwTimeoutMs = 120 * 1000;
    HWND hDialog = nullptr;
    HWND hBox = nullptr;
};

// Each step returns the reason it failed, or the empty string.
using Step = std::string (*)(Session&, const std::wstring&);

std::string NeedDialog(Session& s)
{
    if (s.hDialog && ::IsWindow(s.hDialog))
        return std::string();
    if (!WaitFor([&] { return (s.hDialog = FindRunnerDialog()) != nullptr; }, s.dwTimeoutMs))
        return "the runner's dialog did not appear";
    return std::string();
}

std::string RowsJson(const Rows& rows)
{
    std::vector<std::string> items;
    for (const std::vector<std::wstring>& cells : rows) {
        std::vector<std::string> texts;
        for (const std::wstring& cell : cells)
            texts.push_back(json::String(cell));
        items.push_back(json::Array(texts));
    }
    return json::Array(items);
}

std::string Timeout(Session& s, const std::wstring& value)
{
    s.dwTimeoutMs = static_cast<DWORD>(std::wcstoul(value.c_str(), nullptr, 10)) * 1000;
    return std::string();
}

std::string Start(Session&, const std::wstring& value)
{
    std::wstring commandLine = value.substr(value.find_last_of(L'\\') + 1);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(value.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return "the program could not be started";
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return std::string();
}

std::string Find(Session& s, const std::wstring&)
{
    return NeedDialog(s);
}

std::string Type(Session& s, const std::wstring& value)
{
    std::string error = NeedDialog(s);
    if (!error.empty())
        return error;
    const HWND hEdit = ::GetDlgItem(s.hDialog, kOptionId);
    DWORD_PTR result = 0;
    if (!WaitFor([&] { return TrySend(hEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()), result); },
                 s.dwTimeoutMs))
        return "the option box did not answer";
    return std::string();
}

std::string Click(Session& s, const std::wstring& value)
{
    std::string error = NeedDialog(s);
    if (!error.empty())
        return error;
    const int nId = static_cast<int>(std::wcstol(value.c_str(), nullptr, 10));
    const HWND hButton = ::GetDlgItem(s.hDialog, nId);
    if (!hButton)
        return "the dialog has no such control";
    // Posted, not sent: the click may open a message box, which the next
    // steps answer.
    ::PostMessageW(s.hDialog, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), reinterpret_cast<LPARAM>(hButton));
    return std::string();
}

std::string WaitRows(Session& s, const std::wstring& value)
{
    std::string error = NeedDialog(s);
    if (!error.empty())
        return error;
    const size_t nWanted = std::wcstoul(value.c_str(), nullptr, 10);
    CRemoteList list(::GetDlgItem(s.hDialog, kRunListId));
    if (!list.IsOpen())
        return "the list cannot be read from here";
    Rows rows;
    const bool bDone = WaitFor([&] {
        return list.TryRows(rows) && rows.size() >= nWanted &&
               (nWanted == 0 || !rows[nWanted - 1][kResultColumn].empty());
    }, s.dwTimeoutMs);
    return bDone ? std::string() : "the rows did not come";
}

std::string ReadRows(Session& s, const std::wstring&)
{
    std::string error = NeedDialog(s);
    if (!error.empty())
        return error;
    CRemoteList list(::GetDlgItem(s.hDialog, kRunListId));
    if (!list.IsOpen())
        return "the list cannot be read from here";
    Rows rows;
    if (!WaitFor([&] { return list.TryRows(rows); }, s.dwTimeoutMs))
        return "the list could not be read";
    json::PrintLine(json::Array({json::String(L"rows"), RowsJson(rows)}));
    return std::string();
}

std::string Labels(Session& s, const std::wstring&)
{
    std::string error = NeedDialog(s);
    if (!error.empty())
        return error;
    std::wstring strResult, strCall;
    if (!WaitFor([&] {
            return TryTextOf(::GetDlgItem(s.hDialog, kResultId), strResult) &&
                   TryTextOf(::GetDlgItem(s.hDialog, kCallId), strCall);
        }, s.dwTimeoutMs))
        return "the labels could not be read";
    json::PrintLine(json::Array({json::String(L"labels"), json::String(strResult), json::String(strCall)}));
    return std::string();
}

std::string Box(Session& s, const std::wstring&)
{
    std::string error = NeedDialog(s);
    if (!error.empty())
        return error;
    if (!WaitFor([&] { return (s.hBox = FindSecondDialog(s.hDialog, true)) != nullptr; }, s.dwTimeoutMs))
        return "no message box appeared";
    std::wstring text;
    if (!WaitFor([&] { return TryTextOf(::GetDlgItem(s.hBox, kMessageTextId), text); }, s.dwTimeoutMs))
        return "the message box could not be read";
    json::PrintLine(json::Array({json::String(L"box"), json::String(text)}));
    return std::string();
}

std::string PressOk(HWND hWnd, DWORD dwTimeoutMs)
{
    ::PostMessageW(hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(hWnd, IDOK)));
    return WaitFor([&] { return !::IsWindow(hWnd); }, dwTimeoutMs) ? std::string() : "it did not close on OK";
}

std::string Ok(Session& s, const std::wstring&)
{
    if (!s.hBox)
        return "no message box to answer";
    const HWND hBox = s.hBox;
    s.hBox = nullptr;
    return PressOk(hBox, s.dwTimeoutMs);
}

std::string Info(Session& s, const std::wstring&)
{
    std::string error = NeedDialog(s);
    if (!error.empty())
        return error;
    ::PostMessageW(s.hDialog, WM_SYSCOMMAND, kSysInfoCommand, 0);
    HWND hInfo = nullptr;
    if (!WaitFor([&] { return (hInfo = FindSecondDialog(s.hDialog, false)) != nullptr; }, s.dwTimeoutMs))
        return "the info box did not appear";
    std::wstring strCaption;
    std::vector<std::string> controls;
    const bool bRead = WaitFor([&] {
        controls.clear();
        if (!TryTextOf(hInfo, strCaption))
            return false;
        for (HWND hChild : ChildrenOf(hInfo)) {
            std::wstring text;
            if (!TryTextOf(hChild, text))
                return false;
            controls.push_back(json::Array({json::String(ClassOf(hChild)),
                                            json::Number(static_cast<unsigned short>(::GetDlgCtrlID(hChild))),
                                            json::String(text)}));
        }
        return true;
    }, s.dwTimeoutMs);
    if (!bRead)
        return "the info box could not be read";
    json::PrintLine(json::Array({json::String(L"info"), json::String(strCaption), json::Array(controls)}));
    return PressOk(hInfo, s.dwTimeoutMs);
}

std::string Rect(Session& s, const std::wstring&)
{
    std::string error = NeedDialog(s);
    if (!error.empty())
        return error;
    RECT rc = {};
    ::GetWindowRect(s.hDialog, &rc);
    json::PrintLine(json::Array({json::String(L"rect"), json::Number(rc.left), json::Number(rc.top),
                                 json::Number(rc.right), json::Number(rc.bottom)}));
    return std::string();
}

std::string Gone(Session& s, const std::wstring&)
{
    const bool bGone = WaitFor([&] { return s.hDialog ? !::IsWindow(s.hDialog) : !FindRunnerDialog(); },
                               s.dwTimeoutMs);
    return bGone ? std::string() : "the dialog is still there";
}

std::string Close(Session& s, const std::wstring&)
{
    std::string error = Click(s, std::to_wstring(kExitId));
    return error.empty() ? Gone(s, std::wstring()) : error;
}

struct StepEntry {
    const wchar_t* pszName;
    Step step;
};

const StepEntry kSteps[] = {
    {L"timeout", Timeout}, {L"start", Start}, {L"find", Find}, {L"type", Type}, {L"click", Click},
    {L"waitrows", WaitRows}, {L"rows", ReadRows}, {L"labels", Labels}, {L"box", Box}, {L"ok", Ok},
    {L"info", Info}, {L"rect", Rect}, {L"close", Close}, {L"gone", Gone},
};

std::string RunStep(Session& s, const std::wstring& arg)
{
    const size_t nEquals = arg.find(L'=');
    const std::wstring name = arg.substr(0, nEquals);
    const std::wstring value = nEquals == std::wstring::npos ? std::wstring() : arg.substr(nEquals + 1);
    for (const StepEntry& entry : kSteps) {
        if (name == entry.pszName)
            return entry.step(s, value);
    }
    return "no such step";
}

} // namespace

int main()
{
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    Session session;
    for (int i = 1; argv && i < argc; ++i) {
        json::Trace(argv[i]);
        const std::string error = RunStep(session, argv[i]);
        if (!error.empty()) {
            json::PrintLine(json::Array({json::String(L"error"), json::String(argv[i]),
                                         json::String(std::wstring(error.begin(), error.end()))}));
            return 1;
        }
    }
    return 0;
}
