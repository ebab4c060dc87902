#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Finding the runner's windows from another process, and reading them.
namespace runner_windows {

// Control ids of the runner's dialog.
constexpr int kExitId = IDCANCEL;
constexpr int kOptionId = 1001;
constexpr int kResultId = 1002;
constexpr int kCallId = 1003;
constexpr int kRunListId = 1006;
constexpr WPARAM kSysInfoCommand = 0x10;
// The text of a message box's message.
constexpr int kMessageTextId = 0xFFFF;

// Checks the condition in 50 ms steps until it holds or dwTimeoutMs passed.
bool WaitFor(const std::function<bool()>& condition, DWORD dwTimeoutMs);

// A message sent to the runner's thread, which does not answer while it
// waits for the tool: false when no answer came within a short bound.
bool TrySend(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, DWORD_PTR& result);
// The window's text as its own window procedure gives it.
bool TryTextOf(HWND hWnd, std::wstring& text);

std::wstring ClassOf(HWND hWnd);
std::vector<HWND> ChildrenOf(HWND hParent);

// The runner's main dialog, or null while there is none.
HWND FindRunnerDialog();
// Another visible dialog of the runner's process: a message box (its caption
// is the program's title, like the main dialog's) or, with bMessageBox false,
// a dialog with a caption of its own such as the info box; null if none.
HWND FindSecondDialog(HWND hMain, bool bMessageBox);

} // namespace runner_windows
