#include "RunnerApp.h"

#include "RunnerDlg.h"

bool CRunnerApp::InitInstance()
{
    Enable3dControls();
    CRunnerDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return false;
}
