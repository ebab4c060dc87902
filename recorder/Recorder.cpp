#include "Recorder.h"

#include "common/BatchLine.h"
#include "common/Globals.h"
#include "common/ProgramFolder.h"
#include "platform/FolderLock.h"
#include "platform/Process.h"
#include "platform/WinApp.h"

#include <chrono>
#include <cstdio>
#include <new>

namespace {

constexpr int kExitStatus = 3;
// Long enough for another program of ours to finish its read or write.
constexpr unsigned kLockTimeoutMs = 10000;
// How long a list held by some other program is waited for.
constexpr unsigned kBusyRetryMs = 2000;
constexpr unsigned kRetryStepMs = 100;

bool AppendLine(const CString& strBatchPath, const CString& strLine)
{
    CString strBatch;
    if (!g_reader.ReadIfPresent(strBatchPath, strBatch))
        return false;
    // Appended in place: the reader left room behind a long list, so the
    // list is never copied.
    strBatch += strLine;
    return g_writer.WriteAll(strBatchPath, strBatch);
}

CString NotRecordedMessage(const CString& strBatchPath, const char* pszWhy)
{
    return CString("batchrecorder: the batch list ") + strBatchPath + pszWhy + "; the request was not recorded";
}

} // namespace

CString RecordRequest(const CString& strFolder, const CString& strArgument)
{
    const CString strBatchPath = PathInFolder(strFolder, "vandobatch.txt");
    const CString strSettingsPath = PathInFolder(strFolder, "vando.ini");
    constexpr const char* kBusy = " is in use or cannot be written";
    try {
        const CString strLine = ComposeBatchLine(g_reader.ReadAll(strSettingsPath), strArgument);

        CFolderLock lock;
        if (!lock.Lock(strFolder, kLockTimeoutMs))
            return NotRecordedMessage(strBatchPath, kBusy);
        // A deadline rather than a count of waits: one attempt may itself
        // take a while when the replace meets another program's reader.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kBusyRetryMs);
        while (!AppendLine(strBatchPath, strLine)) {
            if (std::chrono::steady_clock::now() >= deadline)
                return NotRecordedMessage(strBatchPath, kBusy);
            platform::Sleep(kRetryStepMs);
        }
        return CString();
    } catch (const std::bad_alloc&) {
        // A list too large for this 32-bit program's memory stays as it is.
        return NotRecordedMessage(strBatchPath, " is too large to be read");
    }
}

int RecorderMain(int argc, char* argv[])
{
    if (!AfxWinInit()) {
        std::fputs("Fatal Error: MFC initialization failed\n", stderr);
        return kExitStatus;
    }
    g_strDir = ProgramFolder(argc > 0 ? argv[0] : nullptr);
    const CString strError = RecordRequest(g_strDir, argc > 1 ? argv[1] : "");
    if (!strError.IsEmpty())
        std::fprintf(stderr, "%s\n", strError.GetString());
    return kExitStatus;
}
