#include "RunnerDlg.h"

#include "BatchList.h"
#include "RunnerGlobals.h"
#include "common/BatchLine.h"
#include "common/ProgramFolder.h"
#include "platform/FolderLock.h"
#include "platform/Process.h"

#include <cstdio>
#include <utility>

namespace {

enum RunColumnIndex { kColRun, kColLong, kColLat, kColZoom, kColResult };

} // namespace

// Takes the first request of the list, writes it into vando.ini, runs the
// tool with the option text and takes the request off the list. The list is
// read and written under the folder lock the recorder takes, but never held
// while the tool runs, so that requests can be recorded meanwhile.
void CRunnerDlg::RunBatchStep()
{
    const CString strSettingsPath = PathInFolder(g_strDir, "vando.ini");
    CString strRequest;
    if (!TakeRequest(strRequest))
        return;
    g_strLine = strRequest;

    CString strSettings;
    const bool bSettingsRead = g_reader.ReadIfPresent(strSettingsPath, strSettings);
    CString astrField[kRequestKeyCount];
    for (int nField = 1; nField <= kRequestKeyCount; ++nField) {
        astrField[nField - 1] = CutBatchField(g_strLine, nField);
        strSettings = g_keyText.SetValue(strSettings, g_aszRequestKeys[nField - 1], astrField[nField - 1]);
    }

    char szRun[sizeof g_szResult];
    std::snprintf(szRun, sizeof szRun, "%d", g_nRun);
    const int nRow = m_listRuns.InsertItem(g_nRun, szRun);
    m_listRuns.SetItemText(nRow, kColLong, astrField[2]);
    m_listRuns.SetItemText(nRow, kColLat, astrField[3]);
    m_listRuns.SetItemText(nRow, kColZoom, astrField[1]);
    UpdateWindow();

    // A vando.ini that is there but cannot be read is never overwritten: the
    // tool's other settings would be lost.
    if (!bSettingsRead || !g_writer.WriteAll(strSettingsPath, strSettings)) {
        AbortForSettings(strSettings, strSettingsPath);
        ++g_nRun;
        return;
    }

    m_strCall = PathInFolder(g_strDir, "vando.exe") + " " + m_strOption;
    UpdateData(false);
    const int nStatus = platform::RunProgram(PathInFolder(g_strDir, "vando_original.exe"), m_strOption);
    std::snprintf(g_szResult, sizeof g_szResult, "%d", nStatus);
    m_strResult = g_szResult;
    UpdateData(false);
    m_listRuns.SetItemText(nRow, kColResult, m_strResult);
    UpdateWindow();

    if (!WriteBackList(strRequest)) {
        ShowMessage("Batch cant be updated");
        OnCancel();
    }
    ++g_nRun;
}

// False when there is nothing to run: the list is missing or empty (which
// ends the batch), or it is there but cannot be read, or another program
// keeps it locked. A list that cannot be read is not taken for an empty one:
// the batch would end as if it were done, with its requests still queued.
bool CRunnerDlg::TakeRequest(CString& strRequest)
{
    CString strBatch;
    {
        CFolderLock lock;
        if (!lock.Lock(g_strDir, m_nListLockTimeoutMs)) {
            g_bRunning = false;
            ShowMessage("The batch list is locked by another program! Batch stopped");
            return false;
        }
        if (!g_reader.ReadIfPresent(g_strBatchFile, strBatch)) {
            g_bRunning = false;
            ShowMessage("The batch list could not be read! Batch stopped");
            return false;
        }
    }
    if (strBatch.IsEmpty()) {
        g_bRunning = false;
        return false;
    }
    strRequest = FirstRequest(strBatch);
    return true;
}

// Reads the list again, so that requests recorded during the run are kept.
bool CRunnerDlg::WriteBackList(const CString& strRequest)
{
    CFolderLock lock;
    CString strList;
    return lock.Lock(g_strDir, m_nListLockTimeoutMs) && g_reader.ReadIfPresent(g_strBatchFile, strList) &&
           g_writer.WriteAll(g_strBatchFile, ListAfterRun(std::move(strList), strRequest));
}

void CRunnerDlg::AbortForSettings(const CString& strSettings, const CString& strSettingsPath)
{
    ShowMessage("The vando.ini file could not be written! Procces aborted");
    ShowMessage(strSettings);
    ShowMessage(strSettingsPath);
    OnCancel();
}
