#pragma once

#include "Resource.h"
#include "platform/Dialog.h"

// The info box of the system menu; its template says everything.
class CInfoDlg : public CDialog {
public:
    CInfoDlg() : CDialog(IDD_INFO) {}
};
