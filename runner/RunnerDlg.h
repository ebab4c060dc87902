#pragma once

#include "Resource.h"
#include "platform/Dialog.h"
#include "platform/ListCtrl.h"

// The runner's one dialog: the option text, the batch run on the timer, the
// list of runs and the way back for the tool.
class CRunnerDlg : public CDialog {
public:
    // How long a step waits for the batch list while the recorder has it.
    static constexpr unsigned kListLockTimeoutMs = 10000;

    explicit CRunnerDlg(unsigned nListLockTimeoutMs = kListLockTimeoutMs);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnInitDialog() override;
    bool OnCommand(unsigned nID, unsigned nCode) override;
    bool OnTimer(unsigned nIDEvent) override;
    bool OnSysCommand(unsigned nID) override;
    bool OnPaint() override;
    HICON OnQueryDragIcon() override;

private:
    void OnRunBatch();
    void OnChangeOption();
    void OnRemoveTool();

    // One request of the batch list: BatchStep.cpp.
    void RunBatchStep();
    bool TakeRequest(CString& strRequest);
    bool WriteBackList(const CString& strRequest);
    void AbortForSettings(const CString& strSettings, const CString& strSettingsPath);

    CListCtrl m_listRuns;
    CString m_strOption;
    CString m_strResult;
    CString m_strCall;
    HICON m_hIcon;
    const unsigned m_nListLockTimeoutMs;
    bool m_bStepRunning = false;
};
