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
    ::CharUpperBuffA(&s[0], static_cast<DWORD>(s.size()));
    while (s.size() > 3 && s.back() == '\\')
        s.pop_back();
    return CString(s);
}

CString MutexName(const CString& strFolder)
{
    unsigned long long hash = 14695981039346656037ull;
    for (unsigned char ch : CanonicalFolder(strFolder).Str())
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
