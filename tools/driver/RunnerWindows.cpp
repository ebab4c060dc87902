#include "RunnerWindows.h"

namespace runner_windows {

namespace {

constexpr DWORD kStepMs = 50;
constexpr UINT kAnswerMs = 1000;
const wchar_t kDialogClass[] = L"#32770";
const wchar_t kRunnerTitle[] = L"vando_batchrunner";

std::wstring CaptionOf(HWND hWnd)
{
    wchar_t text[512] = L"";
    ::GetWindowTextW(hWnd, text, sizeof text / sizeof text[0]);
    return text;
}

bool IsDialog(HWND hWnd)
{
    return ClassOf(hWnd) == kDialogClass && ::IsWindowVisible(hWnd);
}

BOOL CALLBACK CollectWindow(HWND hWnd, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}

std::vector<HWND> TopLevelWindows()
{
    std::vector<HWND> windows;
    ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// Waits one step, meanwhile taking the messages other programs send us,
// such as the rows the hook library hands over.
void Pause()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&msg);
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, kStepMs, QS_SENDMESSAGE);
}

DWORD ProcessOf(HWND hWnd)
{
    DWORD dwProcess = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcess);
    return dwProcess;
}

} // namespace

bool WaitFor(const std::function<bool()>& condition, DWORD dwTimeoutMs)
{
    const DWORD dwStart = ::GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (::GetTickCount() - dwStart >= dwTimeoutMs)
            return false;
        Pause();
    }
}

bool TrySend(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, DWORD_PTR& result)
{
    result = 0;
    return ::SendMessageTimeoutW(hWnd, uMsg, wParam, lParam, SMTO_NORMAL, kAnswerMs, &result) != 0;
}

bool TryTextOf(HWND hWnd, std::wstring& text)
{
    DWORD_PTR nLength = 0;
    if (!TrySend(hWnd, WM_GETTEXTLENGTH, 0, 0, nLength))
        return false;
    std::vector<wchar_t> buffer(nLength + 1, L'\0');
    DWORD_PTR nCopied = 0;
    if (!TrySend(hWnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), nCopied))
        return false;
    text.assign(buffer.data(), nCopied < buffer.size() ? nCopied : buffer.size() - 1);
    return true;
}

std::wstring ClassOf(HWND hWnd)
{
    wchar_t name[256] = L"";
    ::GetClassNameW(hWnd, name, sizeof name / sizeof name[0]);
    return name;
}

std::vector<HWND> ChildrenOf(HWND hParent)
{
    std::vector<HWND> children;
    ::EnumChildWindows(hParent, CollectWindow, reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND FindRunnerDialog()
{
    for (HWND hWnd : TopLevelWindows()) {
        if (IsDialog(hWnd) && CaptionOf(hWnd) == kRunnerTitle && ::GetDlgItem(hWnd, kRunListId))
            return hWnd;
    }
    return nullptr;
}

HWND FindSecondDialog(HWND hMain, bool bMessageBox)
{
    const DWORD dwRunner = ProcessOf(hMain);
    for (HWND hWnd : TopLevelWindows()) {
        if (hWnd == hMain || !IsDialog(hWnd) || ProcessOf(hWnd) != dwRunner)
            continue;
        const bool bTitled = CaptionOf(hWnd) == kRunnerTitle;
        if (bMessageBox && bTitled && ::GetDlgItem(hWnd, kMessageTextId) && ::GetDlgItem(hWnd, IDOK))
            return hWnd;
        if (!bMessageBox && !bTitled)
            return hWnd;
    }
    return nullptr;
}

} // namespace runner_windows
