/* The least any recorder must do, as a floor to measure ours against: read
 * the settings file and the batch list whole and write the batch list back
 * with one more line. It neither parses nor cleans anything; the line to add
 * comes from the command line, so what it costs is process start and file
 * work alone.
 * record_floor plain|safe <folder> <line>
 * plain rewrites the list in place. safe writes the way a list that must
 * survive a crash or a power cut is written: a new file beside it, put on
 * the disk, then renamed over the old one. */
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

/* The whole file in one buffer with nSpare bytes left free behind it. */
static char* ReadWhole(const char* pszPath, size_t nSpare, size_t* pnSize)
{
    int fd = open(pszPath, O_RDONLY);
    struct stat st;
    char* pData;
    ssize_t nRead = 0;
    *pnSize = 0;
    if (fd < 0 || fstat(fd, &st) != 0) {
        if (fd >= 0)
            close(fd);
        return malloc(nSpare);
    }
    pData = malloc((size_t)st.st_size + nSpare);
    while (pData && *pnSize < (size_t)st.st_size && (nRead = read(fd, pData + *pnSize, (size_t)st.st_size - *pnSize)) > 0)
        *pnSize += (size_t)nRead;
    close(fd);
    return pData;
}

static char* PathOf(const char* pszFolder, const char* pszName)
{
    char* pszPath = malloc(strlen(pszFolder) + strlen(pszName) + 2);
    if (pszPath) {
        strcpy(pszPath, pszFolder);
        strcat(pszPath, "/");
        strcat(pszPath, pszName);
    }
    return pszPath;
}

static int WriteWhole(const char* pszPath, const char* pData, size_t nSize, int bSafe)
{
    char szTemp[4096];
    const char* pszTarget = pszPath;
    int fd;
    if (bSafe) {
        if (snprintf(szTemp, sizeof szTemp, "%s.%ld.tmp", pszPath, (long)getpid()) >= (int)sizeof szTemp)
            return 0;
        pszTarget = szTemp;
    }
    fd = open(pszTarget, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return 0;
    if (write(fd, pData, nSize) != (ssize_t)nSize || (bSafe && fsync(fd) != 0)) {
        close(fd);
        return 0;
    }
    if (close(fd) != 0)
        return 0;
    return !bSafe || rename(szTemp, pszPath) == 0;
}

int main(int argc, char* argv[])
{
    char* pszSettingsPath;
    char* pszBatchPath;
    char* pData;
    size_t nSize, nLine;
    if (argc != 4 || (strcmp(argv[1], "plain") != 0 && strcmp(argv[1], "safe") != 0))
        return 2;
    pszSettingsPath = PathOf(argv[2], "vando.ini");
    pszBatchPath = PathOf(argv[2], "vandobatch.txt");
    if (!pszSettingsPath || !pszBatchPath)
        return 1;
    free(ReadWhole(pszSettingsPath, 0, &nSize));
    nLine = strlen(argv[3]);
    pData = ReadWhole(pszBatchPath, nLine + 2, &nSize);
    if (!pData)
        return 1;
    if (nSize > 0) {
        memcpy(pData + nSize, "\r\n", 2);
        nSize += 2;
    }
    memcpy(pData + nSize, argv[3], nLine);
    nSize += nLine;
    return WriteWhole(pszBatchPath, pData, nSize, strcmp(argv[1], "safe") == 0) ? 3 : 1;
}
