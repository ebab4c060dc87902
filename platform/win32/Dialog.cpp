#include "../Dialog.h"

#include "../WinApp.h"
#include "Windows.h"

#include <string>

static_assert(kButtonClicked == BN_CLICKED && kEditChange == EN_CHANGE, "notification codes of the platform");

// The dialog procedure of every dialog: it finds the object and hands each
// event to its one dispatch. FALSE leaves a message to the dialog manager.
struct DialogWindow {
    static INT_PTR CALLBACK Procedure(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
};

INT_PTR CALLBACK DialogWindow::Procedure(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_INITDIALOG) {
        ::SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
        reinterpret_cast<CDialog*>(lParam)->m_hWnd = hWnd;
    }
    CDialog* pDlg = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
    if (!pDlg)
        return FALSE;
    std::intptr_t nResult = 0;
    switch (uMsg) {
    case WM_INITDIALOG:
        pDlg->Dispatch(DialogEvent::initDialog, 0, 0, nResult);
        return nResult;
    case WM_COMMAND:
        return pDlg->Dispatch(DialogEvent::command, LOWORD(wParam), HIWORD(wParam), nResult);
    case WM_TIMER:
        return pDlg->Dispatch(DialogEvent::timer, static_cast<unsigned>(wParam), 0, nResult);
    case WM_SYSCOMMAND:
        return pDlg->Dispatch(DialogEvent::sysCommand, static_cast<unsigned>(wParam), 0, nResult);
    case WM_PAINT:
        return pDlg->Dispatch(DialogEvent::paint, 0, 0, nResult);
    case WM_QUERYDRAGICON:
        // One of the messages whose result a dialog procedure returns itself.
        return pDlg->Dispatch(DialogEvent::queryDragIcon, 0, 0, nResult) ? nResult : FALSE;
    case WM_NCDESTROY:
        ::SetWindowLongPtrA(hWnd, DWLP_USER, 0);
        pDlg->m_hWnd = nullptr;
        return FALSE;
    }
    return FALSE;
}

int CDialog::RunModal(HWND hOwner)
{
    return static_cast<int>(::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nIDTemplate), hOwner,
                                              DialogWindow::Procedure, reinterpret_cast<LPARAM>(this)));
}

void CDialog::Destroy()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

void CDialog::EndDialog(int nResult)
{
    ::EndDialog(m_hWnd, nResult);
}

HWND CDialog::GetDlgItem(int nID) const
{
    return ::GetDlgItem(m_hWnd, nID);
}

CString CDialog::GetDlgItemText(int nID) const
{
    const HWND hControl = ::GetDlgItem(m_hWnd, nID);
    const int nLength = hControl ? ::GetWindowTextLengthA(hControl) : 0;
    if (nLength <= 0)
        return CString();
    std::string text(static_cast<size_t>(nLength) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(hControl, &text[0], nLength + 1)));
    return CString(std::move(text));
}

void CDialog::SetDlgItemText(int nID, const CString& strText)
{
    ::SetDlgItemTextA(m_hWnd, nID, strText.GetString());
}

bool CDialog::SetTimer(unsigned nIDEvent, unsigned nElapseMs)
{
    return ::SetTimer(m_hWnd, nIDEvent, nElapseMs, nullptr) != 0;
}

CMenu* CDialog::GetSystemMenu()
{
    const HMENU hMenu = ::GetSystemMenu(m_hWnd, FALSE);
    if (!hMenu)
        return nullptr;
    m_systemMenu = CMenu(hMenu);
    return &m_systemMenu;
}

void CDialog::SetIcon(HICON hIcon, bool bBigIcon)
{
    ::SendMessageA(m_hWnd, WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));
}

void CDialog::UpdateWindow()
{
    ::UpdateWindow(m_hWnd);
}

bool CDialog::IsIconic() const
{
    return ::IsIconic(m_hWnd) != 0;
}

CRect CDialog::GetClientRect() const
{
    RECT rect{};
    ::GetClientRect(m_hWnd, &rect);
    return CRect{rect.left, rect.top, rect.right, rect.bottom};
}

void CDialog::ShowMessage(const CString& strText)
{
    ::MessageBoxA(m_hWnd, strText.GetString(), AfxGetAppTitle().GetString(), MB_OK);
}
