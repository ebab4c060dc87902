#include "../FileSystem.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// POSIX has no share modes: the exclusive modes open like the shared one, and
// the batch list is guarded by the folder lock alone.
namespace platform {

const char kPathSeparator = '/';
const int kMaxPathLength = PATH_MAX - 1;

OpenStatus OpenRawFile(const CString& strPath, RawOpen mode, std::intptr_t& hFile)
{
    const int flags = mode == RawOpen::writeExclusive ? O_WRONLY | O_CREAT | O_TRUNC : O_RDONLY;
    const int fd = ::open(strPath.GetString(), flags | O_CLOEXEC, 0644);
    if (fd < 0)
        return errno == ENOENT ? OpenStatus::missing : OpenStatus::failed;
    struct stat st;
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return OpenStatus::failed;
    }
    hFile = fd;
    return OpenStatus::opened;
}

long ReadRawFile(std::intptr_t hFile, char* pBuffer, long nCount)
{
    for (;;) {
        const ssize_t n = ::read(static_cast<int>(hFile), pBuffer, static_cast<size_t>(nCount));
        if (n >= 0 || errno != EINTR)
            return static_cast<long>(n);
    }
}

bool WriteRawFile(std::intptr_t hFile, const char* pData, long nCount)
{
    while (nCount > 0) {
        const ssize_t n = ::write(static_cast<int>(hFile), pData, static_cast<size_t>(nCount));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        pData += n;
        nCount -= static_cast<long>(n);
    }
    return true;
}

long long RawFileSize(std::intptr_t hFile)
{
    struct stat st;
    return ::fstat(static_cast<int>(hFile), &st) == 0 ? static_cast<long long>(st.st_size) : -1;
}

bool SyncRawFile(std::intptr_t hFile)
{
    return ::fsync(static_cast<int>(hFile)) == 0;
}

void CloseRawFile(std::intptr_t hFile)
{
    ::close(static_cast<int>(hFile));
}

bool ReplaceByFile(const CString& strSource, const CString& strTarget)
{
    // A file that nobody may write is read-only, as Windows shows it: it is
    // left alone, even for root, for whom only the bits say so.
    struct stat st;
    if (::stat(strTarget.GetString(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0) {
        errno = EACCES;
        return false;
    }
    return ::rename(strSource.GetString(), strTarget.GetString()) == 0;
}

bool RemoveFile(const CString& strPath)
{
    return ::unlink(strPath.GetString()) == 0;
}

bool PathExists(const CString& strPath)
{
    struct stat st;
    return ::stat(strPath.GetString(), &st) == 0;
}

} // namespace platform
