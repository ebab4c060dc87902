#pragma once

#include "ByteString.h"

class CDialog;
class CListCtrl;

// One exchange between a dialog's controls and its members: pull (controls
// into members) when saving, push (members into controls) otherwise.
class CDataExchange {
public:
    CDataExchange(CDialog* pDlgWnd, bool bSaveAndValidate) : m_pDlgWnd(pDlgWnd), m_bSaveAndValidate(bSaveAndValidate) {}

    CDialog* const m_pDlgWnd;
    const bool m_bSaveAndValidate;
};

// The window text of control nIDC and the string, in the direction of the
// exchange.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// Attaches the list object to control nIDC of the dialog now open.
void DDX_Control(CDataExchange* pDX, int nIDC, CListCtrl& rControl);
