#include "RemoteList.h"

#include "ListHook.h"
#include "RunnerWindows.h"

namespace {

const wchar_t kReceiverClass[] = L"rundriver.receiver";

// The hook library lies beside the driver.
HMODULE LoadHookLibrary()
{
    wchar_t path[MAX_PATH * 2] = L"";
    const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
    std::wstring library(path, n);
    library = library.substr(0, library.find_last_of(L'\\') + 1) + LIST_HOOK_LIBRARY;
    return ::LoadLibraryW(library.c_str());
}

} // namespace

CRemoteList::CRemoteList(HWND hList) : m_hList(hList), m_uRequest(::RegisterWindowMessageW(LIST_HOOK_MESSAGE))
{
    const HMODULE hLibrary = LoadHookLibrary();
    const auto proc = hLibrary ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(::GetProcAddress(hLibrary, LIST_HOOK_PROC))) : nullptr;
    const DWORD dwThread = ::GetWindowThreadProcessId(hList, nullptr);
    if (proc)
        m_hHook = ::SetWindowsHookExW(WH_CALLWNDPROC, proc, hLibrary, dwThread);

    WNDCLASSW wc = {};
    wc.lpfnWndProc = ReceiverProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kReceiverClass;
    ::RegisterClassW(&wc);
    m_hReceiver = ::CreateWindowW(kReceiverClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    if (m_hReceiver)
        ::SetWindowLongPtrW(m_hReceiver, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

CRemoteList::~CRemoteList()
{
    if (m_hReceiver)
        ::DestroyWindow(m_hReceiver);
    if (m_hHook)
        ::UnhookWindowsHookEx(m_hHook);
}

bool CRemoteList::TryRows(Rows& rows)
{
    if (!IsOpen())
        return false;
    m_bAnswered = false;
    // The answer arrives while this call waits, as a message sent to our
    // receiving window.
    DWORD_PTR result = 0;
    if (!runner_windows::TrySend(m_hList, m_uRequest, reinterpret_cast<WPARAM>(m_hReceiver), 0, result) ||
        !m_bAnswered)
        return false;
    rows = m_rows;
    return true;
}

void CRemoteList::Receive(const COPYDATASTRUCT& data)
{
    m_rows.clear();
    const wchar_t* pText = static_cast<const wchar_t*>(data.lpData);
    const wchar_t* pEnd = pText + data.cbData / sizeof(wchar_t);
    for (ULONG_PTR nRow = 0; nRow < data.dwData; ++nRow) {
        std::vector<std::wstring> cells;
        for (int nColumn = 0; nColumn < LIST_HOOK_COLUMNS && pText < pEnd; ++nColumn) {
            cells.emplace_back(pText);
            pText += cells.back().size() + 1;
        }
        m_rows.push_back(cells);
    }
    m_bAnswered = true;
}

LRESULT CALLBACK CRemoteList::ReceiverProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    auto* pList = reinterpret_cast<CRemoteList*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (uMsg == WM_COPYDATA && pList) {
        pList->Receive(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        return TRUE;
    }
    return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
}
