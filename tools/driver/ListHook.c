/* The driver's hook library, which the driver's hook loads into the runner's
 * process. A list view hands out its item texts only into memory of its own
 * process, and memory of another process cannot be written where Wine runs
 * under an emulator, so the rows are read here, inside, and sent over by
 * WM_COPYDATA, whose data the system carries between processes. */
#include "ListHook.h"

#include <windows.h>
#include <commctrl.h>

#define TEXT_CHARS 1024
#define ANSWER_MS 5000

typedef struct {
    WCHAR* pData;
    size_t nUsed;
    size_t nSize;
} Buffer;

static BOOL Add(Buffer* pBuffer, const WCHAR* pszText)
{
    const size_t nChars = (size_t)lstrlenW(pszText) + 1;
    if (pBuffer->nUsed + nChars > pBuffer->nSize) {
        const size_t nSize = (pBuffer->nUsed + nChars) * 2;
        WCHAR* pData = pBuffer->pData ? HeapReAlloc(GetProcessHeap(), 0, pBuffer->pData, nSize * sizeof(WCHAR))
                                      : HeapAlloc(GetProcessHeap(), 0, nSize * sizeof(WCHAR));
        if (!pData)
            return FALSE;
        pBuffer->pData = pData;
        pBuffer->nSize = nSize;
    }
    CopyMemory(pBuffer->pData + pBuffer->nUsed, pszText, nChars * sizeof(WCHAR));
    pBuffer->nUsed += nChars;
    return TRUE;
}

static void SendRows(HWND hList, HWND hReceiver)
{
    const int nRows = (int)SendMessageW(hList, LVM_GETITEMCOUNT, 0, 0);
    Buffer buffer = {NULL, 0, 0};
    BOOL bComplete = TRUE;
    int nRow, nColumn;
    for (nRow = 0; nRow < nRows && bComplete; ++nRow) {
        for (nColumn = 0; nColumn < LIST_HOOK_COLUMNS && bComplete; ++nColumn) {
            WCHAR szText[TEXT_CHARS] = L"";
            LVITEMW item;
            ZeroMemory(&item, sizeof item);
            item.iSubItem = nColumn;
            item.pszText = szText;
            item.cchTextMax = TEXT_CHARS;
            SendMessageW(hList, LVM_GETITEMTEXTW, (WPARAM)nRow, (LPARAM)&item);
            bComplete = Add(&buffer, szText);
        }
    }
    if (bComplete) {
        COPYDATASTRUCT data;
        data.dwData = (ULONG_PTR)nRows;
        data.cbData = (DWORD)(buffer.nUsed * sizeof(WCHAR));
        data.lpData = buffer.pData;
        DWORD_PTR dwResult;
        /* Bounded: the runner must not hang on a driver that has gone on. */
        SendMessageTimeoutW(hReceiver, WM_COPYDATA, (WPARAM)hList, (LPARAM)&data, SMTO_NORMAL, ANSWER_MS, &dwResult);
    }
    if (buffer.pData)
        HeapFree(GetProcessHeap(), 0, buffer.pData);
}

__declspec(dllexport) LRESULT CALLBACK ListHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* pMessage = (const CWPSTRUCT*)lParam;
    if (nCode == HC_ACTION && pMessage->message == RegisterWindowMessageW(LIST_HOOK_MESSAGE))
        SendRows(pMessage->hwnd, (HWND)pMessage->wParam);
    return CallNextHookEx(NULL, nCode, wParam, lParam);
}
