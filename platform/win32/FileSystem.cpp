#include "../FileSystem.h"

#include <windows.h>

namespace platform {

const char kPathSeparator = '\\';
const int kMaxPathLength = MAX_PATH - 1;

namespace {

HANDLE AsHandle(std::intptr_t hFile)
{
    return reinterpret_cast<HANDLE>(hFile);
}

bool IsMissingError(DWORD dwError)
{
    return dwError == ERROR_FILE_NOT_FOUND || dwError == ERROR_PATH_NOT_FOUND;
}

} // namespace

OpenStatus OpenRawFile(const CString& strPath, RawOpen mode, std::intptr_t& hFile)
{
    DWORD dwAccess = GENERIC_READ;
    DWORD dwShare = 0;
    DWORD dwCreation = OPEN_EXISTING;
    switch (mode) {
    case RawOpen::read:
        // Sharing delete lets a writer replace the file once our reader has
        // closed it; ReplaceByFile waits that moment out.
        dwShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
        break;
    case RawOpen::readExclusive:
        break;
    case RawOpen::writeExclusive:
        dwAccess = GENERIC_WRITE;
        dwCreation = CREATE_ALWAYS;
        break;
    }
    const HANDLE h = ::CreateFileA(strPath.GetString(), dwAccess, dwShare, nullptr, dwCreation,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return IsMissingError(::GetLastError()) ? OpenStatus::missing : OpenStatus::failed;
    hFile = reinterpret_cast<std::intptr_t>(h);
    return OpenStatus::opened;
}

long ReadRawFile(std::intptr_t hFile, char* pBuffer, long nCount)
{
    DWORD dwRead = 0;
    if (!::ReadFile(AsHandle(hFile), pBuffer, static_cast<DWORD>(nCount), &dwRead, nullptr))
        return ::GetLastError() == ERROR_BROKEN_PIPE ? 0 : -1;
    return static_cast<long>(dwRead);
}

bool WriteRawFile(std::intptr_t hFile, const char* pData, long nCount)
{
    while (nCount > 0) {
        DWORD dwWritten = 0;
        if (!::WriteFile(AsHandle(hFile), pData, static_cast<DWORD>(nCount), &dwWritten, nullptr) || dwWritten == 0)
            return false;
        pData += dwWritten;
        nCount -= static_cast<long>(dwWritten);
    }
    return true;
}

long long RawFileSize(std::intptr_t hFile)
{
    LARGE_INTEGER size;
    return ::GetFileSizeEx(AsHandle(hFile), &size) ? static_cast<long long>(size.QuadPart) : -1;
}

bool SyncRawFile(std::intptr_t hFile)
{
    return ::FlushFileBuffers(AsHandle(hFile)) != 0;
}

void CloseRawFile(std::intptr_t hFile)
{
    ::CloseHandle(AsHandle(hFile));
}

bool ReplaceByFile(const CString& strSource, const CString& strTarget)
{
    // Windows refuses to replace a read-only file; Wine, run as root, does
    // not, so the attribute is asked first.
    const DWORD dwAttributes = ::GetFileAttributesA(strTarget.GetString());
    if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY)) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    // A file that anyone has open cannot be replaced, even where every opener
    // allows deleting. Our own readers hold a file for moments only, so a
    // replace that meets one is tried again for a little while.
    constexpr DWORD kRetryMs = 500;
    constexpr DWORD kStepMs = 10;
    for (DWORD waited = 0;; waited += kStepMs) {
        if (::MoveFileExA(strSource.GetString(), strTarget.GetString(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD dwError = ::GetLastError();
        if ((dwError != ERROR_ACCESS_DENIED && dwError != ERROR_SHARING_VIOLATION) || waited >= kRetryMs)
            return false;
        ::Sleep(kStepMs);
    }
}

bool RemoveFile(const CString& strPath)
{
    return ::DeleteFileA(strPath.GetString()) != 0;
}

bool PathExists(const CString& strPath)
{
    return ::GetFileAttributesA(strPath.GetString()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace platform
