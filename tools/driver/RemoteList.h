#pragma once

#include <windows.h>

#include <string>
#include <vector>

using Rows = std::vector<std::vector<std::wstring>>;

// Reads a list view of another process through the hook library
// (ListHook.c), which reads it from inside and hands the texts back to a
// window of ours.
class CRemoteList {
public:
    explicit CRemoteList(HWND hList);
    ~CRemoteList();
    CRemoteList(const CRemoteList&) = delete;
    CRemoteList& operator=(const CRemoteList&) = delete;

    // False when the hook could not be set on the list's thread.
    bool IsOpen() const { return m_hHook != nullptr && m_hReceiver != nullptr; }
    // False while the list's thread does not answer (the runner waits for
    // the tool meanwhile).
    bool TryRows(Rows& rows);

private:
    HWND m_hList;
    HHOOK m_hHook = nullptr;
    HWND m_hReceiver = nullptr;
    UINT m_uRequest = 0;
    bool m_bAnswered = false;
    Rows m_rows;

    static LRESULT CALLBACK ReceiverProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    void Receive(const COPYDATASTRUCT& data);
};
