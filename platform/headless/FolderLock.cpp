#include "../FolderLock.h"

#include "../FileSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

// An advisory lock on a small file beside the batch list: the kernel drops it
// when the holder's process ends, however it ends.
bool CFolderLock::Lock(const CString& strFolder, unsigned nTimeoutMs)
{
    Unlock();
    const CString strPath = strFolder + CString(&platform::kPathSeparator, 1) + "vandobatch.lock";
    const int fd = ::open(strPath.GetString(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    for (unsigned waited = 0;; waited += 5) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            m_handle = fd;
            return true;
        }
        if ((errno != EWOULDBLOCK && errno != EINTR) || waited >= nTimeoutMs)
            break;
        ::usleep(5000);
    }
    ::close(fd);
    return false;
}

void CFolderLock::Unlock()
{
    if (m_handle == -1)
        return;
    ::close(static_cast<int>(m_handle));
    m_handle = -1;
}
