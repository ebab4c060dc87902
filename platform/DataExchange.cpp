#include "DataExchange.h"

#include "Dialog.h"
#include "ListCtrl.h"

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    if (pDX->m_bSaveAndValidate) {
        value = pDX->m_pDlgWnd->GetDlgItemText(nIDC);
        return;
    }
    // An unchanged text is left alone: setting it again would flicker and make
    // an edit box report a change that did not happen.
    if (pDX->m_pDlgWnd->GetDlgItemText(nIDC) != value)
        pDX->m_pDlgWnd->SetDlgItemText(nIDC, value);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CListCtrl& rControl)
{
    // Each time the dialog is opened its control is a new window.
    const HWND hWnd = pDX->m_pDlgWnd->GetDlgItem(nIDC);
    if (rControl.GetSafeHwnd() != hWnd)
        rControl.Attach(hWnd);
}
