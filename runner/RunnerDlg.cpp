#include "RunnerDlg.h"

#include "InfoDlg.h"
#include "RunnerGlobals.h"
#include "ToolRemoval.h"
#include "common/ProgramFolder.h"
#include "platform/DataExchange.h"
#include "platform/PaintDC.h"
#include "platform/Resources.h"
#include "platform/WinApp.h"

namespace {

struct RunColumn {
    const char* pszHeading;
    int nWidth;
};

const RunColumn kRunColumns[] = {
    {"Run", 80},
    {"Long", 80},
    {"Lat", 80},
    {"Zom", 40},
    {"Result", 60},
};

// The system keeps the low four bits of a system command for itself.
constexpr unsigned kSystemCommandMask = 0xFFF0;

} // namespace

CRunnerDlg::CRunnerDlg(unsigned nListLockTimeoutMs)
    : CDialog(IDD_RUNNER), m_hIcon(AfxLoadIcon(IDI_RUNNER)), m_nListLockTimeoutMs(nListLockTimeoutMs)
{
}

void CRunnerDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RUN_LIST, m_listRuns);
    DDX_Text(pDX, IDC_OPTION, m_strOption);
    DDX_Text(pDX, IDC_RESULT, m_strResult);
    DDX_Text(pDX, IDC_CALL, m_strCall);
}

bool CRunnerDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    const CString strInfoMenu = AfxLoadString(IDS_INFO_MENU);
    CMenu* pSysMenu = GetSystemMenu();
    if (pSysMenu && !strInfoMenu.IsEmpty()) {
        pSysMenu->AppendMenu(kMenuSeparator);
        pSysMenu->AppendMenu(kMenuString, ID_SYS_INFO, strInfoMenu);
    }
    SetIcon(m_hIcon, true);
    SetIcon(m_hIcon, false);

    g_strDir = ProgramFolder(AfxGetProgramPath().GetString());
    g_strBatchFile = PathInFolder(g_strDir, "vandobatch.txt");

    int nCol = 0;
    for (const RunColumn& column : kRunColumns)
        m_listRuns.InsertColumn(nCol++, column.pszHeading, column.nWidth);
    UpdateWindow();

    g_bRunning = false;
    SetTimer(ID_RUN_TIMER, 100);
    return true;
}

bool CRunnerDlg::OnCommand(unsigned nID, unsigned nCode)
{
    switch (nID) {
    case IDC_RUN_BATCH:
        if (nCode != kButtonClicked)
            return false;
        OnRunBatch();
        return true;
    case IDC_OPTION:
        if (nCode != kEditChange)
            return false;
        OnChangeOption();
        return true;
    case IDC_REMOVE_TOOL:
        if (nCode != kButtonClicked)
            return false;
        OnRemoveTool();
        return true;
    }
    return false;
}

bool CRunnerDlg::OnTimer(unsigned nIDEvent)
{
    // A message box of a step runs a message loop of its own, in which the
    // next ticks arrive while the step is still under way.
    if (nIDEvent == ID_RUN_TIMER && g_bRunning && !m_bStepRunning) {
        m_bStepRunning = true;
        RunBatchStep();
        m_bStepRunning = false;
    }
    return false;
}

bool CRunnerDlg::OnSysCommand(unsigned nID)
{
    if ((nID & kSystemCommandMask) != ID_SYS_INFO)
        return false;
    CInfoDlg dlgInfo;
    dlgInfo.DoModal();
    return true;
}

bool CRunnerDlg::OnPaint()
{
    if (!IsIconic())
        return false;
    CPaintDC dc(this);
    dc.IconEraseBackground();
    const CRect rect = GetClientRect();
    const CSize icon = GetSystemIconSize();
    dc.DrawIcon((rect.Width() - icon.cx + 1) / 2, (rect.Height() - icon.cy + 1) / 2, m_hIcon);
    return true;
}

HICON CRunnerDlg::OnQueryDragIcon()
{
    return m_hIcon;
}

void CRunnerDlg::OnRunBatch()
{
    g_bRunning = true;
}

void CRunnerDlg::OnChangeOption()
{
    UpdateData(true);
}

void CRunnerDlg::OnRemoveTool()
{
    ShowMessage(RemoveBatchTool(g_strDir));
}
