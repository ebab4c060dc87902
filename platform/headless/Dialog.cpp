#include "../Dialog.h"

#include "../WinApp.h"
#include "Window.h"

void DialogWindow::Create(CDialog& dlg)
{
    dlg.Destroy();
    dlg.m_hWnd = new HWND__;
}

HWND__* DialogWindow::Of(const CDialog& dlg)
{
    return dlg.m_hWnd;
}

HWND__* DialogWindow::Live(const CDialog& dlg)
{
    return dlg.m_hWnd && !dlg.m_hWnd->bEnded ? dlg.m_hWnd : nullptr;
}

int CDialog::RunModal(HWND)
{
    headless::ModalDialogs().push_back(m_nIDTemplate);
    headless::Open(*this);
    if (const auto& handler = headless::ModalHandler())
        handler(*this);
    if (!m_hWnd->bEnded)
        headless::Click(*this, IDCANCEL);
    const int nResult = m_hWnd->nResult;
    Destroy();
    return nResult;
}

void CDialog::Destroy()
{
    delete m_hWnd;
    m_hWnd = nullptr;
}

void CDialog::EndDialog(int nResult)
{
    if (!m_hWnd)
        return;
    m_hWnd->bEnded = true;
    m_hWnd->nResult = nResult;
}

HWND CDialog::GetDlgItem(int nID) const
{
    return m_hWnd ? m_hWnd->Control(nID) : nullptr;
}

CString CDialog::GetDlgItemText(int nID) const
{
    return m_hWnd ? m_hWnd->Control(nID)->strText : CString();
}

void CDialog::SetDlgItemText(int nID, const CString& strText)
{
    if (m_hWnd)
        m_hWnd->Control(nID)->strText = strText;
}

bool CDialog::SetTimer(unsigned nIDEvent, unsigned nElapseMs)
{
    if (!m_hWnd)
        return false;
    for (auto& timer : m_hWnd->timers) {
        if (timer.nIDEvent == nIDEvent) {
            timer.nElapseMs = nElapseMs;
            return true;
        }
    }
    m_hWnd->timers.push_back({nIDEvent, nElapseMs});
    return true;
}

CMenu* CDialog::GetSystemMenu()
{
    if (!m_hWnd)
        return nullptr;
    m_systemMenu = CMenu(&m_hWnd->systemMenu);
    return &m_systemMenu;
}

void CDialog::SetIcon(HICON hIcon, bool bBigIcon)
{
    if (m_hWnd)
        (bBigIcon ? m_hWnd->hBigIcon : m_hWnd->hSmallIcon) = hIcon;
}

void CDialog::UpdateWindow()
{
    if (m_hWnd)
        ++m_hWnd->nUpdates;
}

bool CDialog::IsIconic() const
{
    return m_hWnd && m_hWnd->bIconic;
}

CRect CDialog::GetClientRect() const
{
    return m_hWnd ? m_hWnd->clientRect : CRect();
}

void CDialog::ShowMessage(const CString& strText)
{
    const headless::MessageBoxShown shown{AfxGetAppTitle(), strText};
    headless::MessageBoxes().push_back(shown);
    if (const auto& handler = headless::MessageBoxHandler())
        handler(shown);
}
