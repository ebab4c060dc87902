#include "../FolderLock.h"

#include <windows.h>

#include <cstdio>

namespace {

// The same folder may be named in several spellings (case, short names), so
// the mutex name is derived from its canonical long form.
CString CanonicalFolder(const CString& strFolder)
{
    char full[MAX_PATH * 4];
    DWORD n = ::GetFullPathNameA(strFolder.GetString(), sizeof full, full, nullptr);
    if (n == 0 || n >= sizeof full)
        return strFolder;
    char longPath[MAX_PATH * 4];
    n = ::GetLongPathNameA(full, longPath, sizeof longPath);
    CString strCanonical = (n > 0 && n < sizeof longPath) ? CString(longPath) : CString(full);
    std::string s = strCanonical.Str();
    // Upper case through the kernel's own library: the user-interface
    // library that CharUpperBuff lives in took longer to load than the
    // recorder's whole file work. The invariant locale gives every program
    // and every user the same name.
    if (!s.empty())
        ::LCMapStringA(LOCALE_INVARIANT, LCMAP_UPPERCASE, s.data(), static_cast<int>(s.size()), &s[0],
                       static_cast<int>(s.size()));
    while (s.size() > 3 && s.back() == '\\')
        s.pop_back();
    return CString(s);
}

CString MutexName(const CString& strFolder)
{
    // Held in a named string: a loop over the text of a temporary would read
    // freed memory, and two programs could then miss each other's lock.
    const CString strCanonical = CanonicalFolder(strFolder);
    unsigned long long hash = 14695981039346656037ull;
    for (unsigned char ch : strCanonical.Str())
        hash = (hash ^ ch) * 1099511628211ull;
    char name[64];
    std::snprintf(name, sizeof name, "vando_batch_list_%016llx", hash);
    return CString(name);
}

} // namespace

bool CFolderLock::Lock(const CString& strFolder, unsigned nTimeoutMs)
{
    Unlock();
    const HANDLE hMutex = ::CreateMutexA(nullptr, FALSE, MutexName(strFolder).GetString());
    if (!hMutex)
        return false;
    // An abandoned mutex means its holder died; the files are whole anyway,
    // because every write replaces a file in one step.
    const DWORD dwWait = ::WaitForSingleObject(hMutex, nTimeoutMs);
    if (dwWait != WAIT_OBJECT_0 && dwWait != WAIT_ABANDONED) {
        ::CloseHandle(hMutex);
        return false;
    }
    m_handle = reinterpret_cast<std::intptr_t>(hMutex);
    return true;
}

void CFolderLock::Unlock()
{
    if (m_handle == -1)
        return;
    const HANDLE hMutex = reinterpret_cast<HANDLE>(m_handle);
    ::ReleaseMutex(hMutex);
    ::CloseHandle(hMutex);
    m_handle = -1;
}
