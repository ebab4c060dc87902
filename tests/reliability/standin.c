/* reliability_standin: the scenery tool's place (vando_original.exe) in the
 * soak and kill tests, native and under Wine.
 *
 * Each run appends one line to standin_runs.txt in its own folder:
 *   <argument of the request>\t<verdict>\t<its own arguments, joined by spaces>
 * The request is the first line of the batch list, which the runner takes off
 * only after the tool has ended. The verdict "ok" says that vando.ini holds
 * that line's six values under the six request keys; "mismatch" that it does
 * not; "list-unreadable" or "settings-unreadable" that a file could not be
 * read. A key of its own, "standin_sleep_ms=", makes each run last that long
 * after the record. */
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#ifdef _WIN32
#include <windows.h>
#define SEPARATORS "\\/"
#else
#include <time.h>
#define SEPARATORS "/"
#endif

#define KEY_COUNT 6

static const char* const g_aszKeys[KEY_COUNT] = {
    "scenery_name=", "zoom_level=", "plane_long=", "plane_lat=",
    "hi_res_textures_threshold_radius_m=", "low_res_textures_threshold_radius_m=",
};

static void Pause(long ms)
{
#ifdef _WIN32
    Sleep((DWORD)ms);
#else
    const struct timespec pause = {ms / 1000, (ms % 1000) * 1000000L};
    nanosleep(&pause, NULL);
#endif
}

/* A file's bytes; NUL bytes are data like any other. */
struct Text {
    char* p;
    size_t n;
};

/* The file is read without the folder's lock, so it may be in the middle of
 * being replaced: Windows then refuses to open it for a moment. */
static FILE* OpenForReading(const char* pszPath)
{
    for (int nTry = 0;; ++nTry) {
        FILE* file = fopen(pszPath, "rb");
        if (file || errno == ENOENT || nTry == 100)
            return file;
        Pause(20);
    }
}

static struct Text ReadWhole(const char* pszPath, int* pbOpened)
{
    FILE* file = OpenForReading(pszPath);
    *pbOpened = file != NULL;
    struct Text text = {malloc(1 << 16), 0};
    size_t nCapacity = 1 << 16;
    if (!text.p)
        exit(70);
    if (file) {
        size_t nRead;
        while ((nRead = fread(text.p + text.n, 1, nCapacity - text.n, file)) > 0) {
            text.n += nRead;
            if (text.n == nCapacity) {
                nCapacity *= 2;
                text.p = realloc(text.p, nCapacity);
                if (!text.p)
                    exit(70);
            }
        }
        fclose(file);
    }
    return text;
}

/* The value on the first line that starts with the key, without CR LF. */
static const char* Setting(struct Text text, const char* pszKey, size_t* pnLength)
{
    const size_t nKey = strlen(pszKey);
    const char* const pEnd = text.p + text.n;
    for (const char* pLine = text.p; pLine < pEnd;) {
        const char* pLf = memchr(pLine, '\n', (size_t)(pEnd - pLine));
        size_t nLine = (size_t)((pLf ? pLf : pEnd) - pLine);
        if (nLine > 0 && pLine[nLine - 1] == '\r')
            --nLine;
        if (nLine >= nKey && memcmp(pLine, pszKey, nKey) == 0) {
            *pnLength = nLine - nKey;
            return pLine + nKey;
        }
        if (!pLf)
            break;
        pLine = pLf + 1;
    }
    *pnLength = 0;
    return NULL;
}

int main(int argc, char* argv[])
{
    /* The folder with its separator: Z:\tool\ or /tmp/tool/ */
    char szFolder[4096];
    size_t nFolder = 0;
    for (size_t i = 0; argv[0][i]; ++i) {
        if (strchr(SEPARATORS, argv[0][i]))
            nFolder = i + 1;
    }
    if (nFolder + 32 >= sizeof szFolder)
        return 70;
    memcpy(szFolder, argv[0], nFolder);
    szFolder[nFolder] = '\0';

    char szPath[4200];
    snprintf(szPath, sizeof szPath, "%svando.ini", szFolder);
    int bSettingsOpened, bListOpened;
    const struct Text settings = ReadWhole(szPath, &bSettingsOpened);
    snprintf(szPath, sizeof szPath, "%svandobatch.txt", szFolder);
    const struct Text list = ReadWhole(szPath, &bListOpened);

    /* The first line, taken apart into its fields. */
    const char* pLine = list.p;
    const char* pLineEnd = list.p;
    while (pLineEnd < list.p + list.n && *pLineEnd != '\r' && *pLineEnd != '\n')
        ++pLineEnd;
    int bMatch = 1;
    for (int i = 0; i < KEY_COUNT; ++i) {
        const char* pSemicolon = memchr(pLine, ';', (size_t)(pLineEnd - pLine));
        if (!pSemicolon) {
            bMatch = 0;
            break;
        }
        size_t nValue;
        const char* pValue = Setting(settings, g_aszKeys[i], &nValue);
        if (!pValue || nValue != (size_t)(pSemicolon - pLine) || memcmp(pValue, pLine, nValue) != 0)
            bMatch = 0;
        pLine = pSemicolon + 1;
    }

    snprintf(szPath, sizeof szPath, "%sstandin_runs.txt", szFolder);
    FILE* log = fopen(szPath, "ab");
    if (!log)
        return 71;
    /* One record, put together first, so that it goes out in one write. */
    static char record[1 << 16];
    size_t nRecord = 0;
    const size_t nArgument = (size_t)(pLineEnd - pLine);
    if (nArgument < sizeof record / 2) {
        memcpy(record, pLine, nArgument);
        nRecord = nArgument;
    }
    const char* pszVerdict = !bListOpened ? "list-unreadable" : !bSettingsOpened ? "settings-unreadable"
                           : bMatch ? "ok" : "mismatch";
    nRecord += (size_t)snprintf(record + nRecord, sizeof record - nRecord, "\t%s\t", pszVerdict);
    for (int i = 1; i < argc && nRecord < sizeof record; ++i)
        nRecord += (size_t)snprintf(record + nRecord, sizeof record - nRecord, i > 1 ? " %s" : "%s", argv[i]);
    if (nRecord >= sizeof record)
        nRecord = sizeof record - 1;
    record[nRecord++] = '\n';
    if (fwrite(record, 1, nRecord, log) != nRecord || fclose(log) != 0)
        return 71;

    size_t nSleep;
    const char* pSleep = Setting(settings, "standin_sleep_ms=", &nSleep);
    if (pSleep)
        Pause(strtol(pSleep, NULL, 10));
    free(settings.p);
    free(list.p);
    return 0;
}
