/* reliability_standin: the scenery tool's place (vando_original.exe) in the
 * soak and kill tests, native and under Wine.
 *
 * Each run appends one line to standin_runs.txt in its own folder:
 *   <argument of the request>\t<ok|mismatch>\t<its own arguments, joined by spaces>
 * The request is the first line of the batch list, which the runner takes off
 * only after the tool has ended; "ok" says that vando.ini holds that line's
 * six values under the six request keys. A key of its own,
 * "standin_sleep_ms=", makes each run last that long after the record. */
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

static char* ReadWhole(const char* pszPath)
{
    FILE* file = fopen(pszPath, "rb");
    size_t nSize = 0, nCapacity = 1 << 16;
    char* pText = malloc(nCapacity + 1);
    if (!pText)
        exit(70);
    if (file) {
        size_t n;
        while ((n = fread(pText + nSize, 1, nCapacity - nSize, file)) > 0) {
            nSize += n;
            if (nSize == nCapacity) {
                nCapacity *= 2;
                pText = realloc(pText, nCapacity + 1);
                if (!pText)
                    exit(70);
            }
        }
        fclose(file);
    }
    pText[nSize] = '\0';
    return pText;
}

/* The value on the first line that starts with the key, without CR LF. */
static const char* Setting(const char* pszText, const char* pszKey, size_t* pnLength)
{
    const size_t nKey = strlen(pszKey);
    for (const char* pLine = pszText; *pLine;) {
        const char* pEnd = strchr(pLine, '\n');
        size_t nLine = pEnd ? (size_t)(pEnd - pLine) : strlen(pLine);
        if (nLine > 0 && pLine[nLine - 1] == '\r')
            --nLine;
        if (nLine >= nKey && memcmp(pLine, pszKey, nKey) == 0) {
            *pnLength = nLine - nKey;
            return pLine + nKey;
        }
        if (!pEnd)
            break;
        pLine = pEnd + 1;
    }
    *pnLength = 0;
    return NULL;
}

static void Pause(long ms)
{
#ifdef _WIN32
    Sleep((DWORD)ms);
#else
    const struct timespec pause = {ms / 1000, (ms % 1000) * 1000000L};
    nanosleep(&pause, NULL);
#endif
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
    char* pSettings = ReadWhole(szPath);
    snprintf(szPath, sizeof szPath, "%svandobatch.txt", szFolder);
    char* pList = ReadWhole(szPath);

    /* The first line, cut into its fields in place. */
    char* pLine = pList;
    pLine[strcspn(pLine, "\r\n")] = '\0';
    int bMatch = 1;
    for (int i = 0; i < KEY_COUNT; ++i) {
        char* pField = pLine;
        char* pSemicolon = strchr(pLine, ';');
        if (!pSemicolon) {
            bMatch = 0;
            break;
        }
        *pSemicolon = '\0';
        pLine = pSemicolon + 1;
        size_t nValue;
        const char* pValue = Setting(pSettings, g_aszKeys[i], &nValue);
        if (!pValue || nValue != strlen(pField) || memcmp(pValue, pField, nValue) != 0)
            bMatch = 0;
    }

    size_t nRecord = strlen(pLine) + 64;
    for (int i = 1; i < argc; ++i)
        nRecord += strlen(argv[i]) + 1;
    char* pRecord = malloc(nRecord);
    if (!pRecord)
        return 70;
    int n = snprintf(pRecord, nRecord, "%s\t%s\t", pLine, bMatch ? "ok" : "mismatch");
    for (int i = 1; i < argc; ++i)
        n += snprintf(pRecord + n, nRecord - (size_t)n, i > 1 ? " %s" : "%s", argv[i]);
    n += snprintf(pRecord + n, nRecord - (size_t)n, "\n");
    snprintf(szPath, sizeof szPath, "%sstandin_runs.txt", szFolder);
    FILE* log = fopen(szPath, "ab");
    if (!log || fwrite(pRecord, 1, (size_t)n, log) != (size_t)n || fclose(log) != 0)
        return 71;

    size_t nSleep;
    const char* pSleep = Setting(pSettings, "standin_sleep_ms=", &nSleep);
    if (pSleep)
        Pause(strtol(pSleep, NULL, 10));
    return 0;
}
