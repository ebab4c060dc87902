#include "Dialog.h"

#include "DataExchange.h"
#include "WinApp.h"

CDialog::CDialog(unsigned nIDTemplate, CDialog* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog()
{
    Destroy();
}

int CDialog::DoModal()
{
    const CDialog* pOwner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    return RunModal(pOwner && pOwner != this ? pOwner->m_hWnd : nullptr);
}

bool CDialog::UpdateData(bool bSaveAndValidate)
{
    if (m_bExchanging)
        return false;
    m_bExchanging = true;
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    m_bExchanging = false;
    return true;
}

bool CDialog::Dispatch(DialogEvent event, unsigned nID, unsigned nCode, std::intptr_t& nResult)
{
    nResult = 0;
    switch (event) {
    case DialogEvent::initDialog:
        nResult = OnInitDialog();
        return true;
    case DialogEvent::command:
        if (nID == IDOK && nCode == kButtonClicked) {
            OnOK();
            return true;
        }
        if (nID == IDCANCEL && nCode == kButtonClicked) {
            OnCancel();
            return true;
        }
        return OnCommand(nID, nCode);
    case DialogEvent::timer:
        return OnTimer(nID);
    case DialogEvent::sysCommand:
        return OnSysCommand(nID);
    case DialogEvent::paint:
        return OnPaint();
    case DialogEvent::queryDragIcon:
        nResult = reinterpret_cast<std::intptr_t>(OnQueryDragIcon());
        return nResult != 0;
    }
    return false;
}

void CDialog::DoDataExchange(CDataExchange*)
{
}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialog::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

bool CDialog::OnCommand(unsigned, unsigned)
{
    return false;
}

bool CDialog::OnTimer(unsigned)
{
    return false;
}

bool CDialog::OnSysCommand(unsigned)
{
    return false;
}

bool CDialog::OnPaint()
{
    return false;
}

HICON CDialog::OnQueryDragIcon()
{
    return nullptr;
}
