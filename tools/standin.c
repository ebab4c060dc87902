/* Takes the scenery tool's place in a tool folder (as vando_original.exe) for
 * the end-to-end tests and the demo. Each run appends one record to
 * standin_runs.txt in its own folder and exits with a status of our choosing.
 *
 * A record is a block of key=value lines ended by LF, closed by an empty line:
 *   args=<the command line after the program's name>
 *   <each of the six request keys that vando.ini holds>=<its value>
 *
 * Keys of its own in vando.ini; "standin_x.<scenery name>=" overrides
 * "standin_x=" for the request of that scenery:
 *   standin_exit_status  the exit status (decimal, may be negative; default 0)
 *   standin_wait_for     a file name in the folder: after recording, the run
 *                        lasts until that file exists (at most five minutes),
 *                        so that tests can act while a run is going on */
#include <windows.h>
#include <stdlib.h>
#include <string.h>

#define MAX_TEXT 65536
#define WAIT_LIMIT_MS (5 * 60 * 1000)
#define WAIT_STEP_MS 50

static const char* const g_aszKeys[] = {
    "scenery_name=", "zoom_level=", "plane_long=", "plane_lat=",
    "hi_res_textures_threshold_radius_m=", "low_res_textures_threshold_radius_m=",
};

static char g_szFolder[MAX_PATH * 4];
static char g_szSettings[MAX_TEXT + 1];

static void PathInFolder(char* pszPath, size_t nSize, const char* pszName)
{
    lstrcpynA(pszPath, g_szFolder, (int)nSize);
    if (strlen(pszPath) + 1 + strlen(pszName) < nSize) {
        strcat(pszPath, "\\");
        strcat(pszPath, pszName);
    }
}

static void FindOwnFolder(void)
{
    DWORD n = GetModuleFileNameA(NULL, g_szFolder, sizeof g_szFolder);
    g_szFolder[n < sizeof g_szFolder ? n : 0] = '\0';
    char* pSep = strrchr(g_szFolder, '\\');
    if (pSep)
        *pSep = '\0';
}

static void ReadSettings(void)
{
    char szPath[MAX_PATH * 4];
    PathInFolder(szPath, sizeof szPath, "vando.ini");
    HANDLE h = CreateFileA(szPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD dwRead = 0;
    if (h != INVALID_HANDLE_VALUE) {
        ReadFile(h, g_szSettings, MAX_TEXT, &dwRead, NULL);
        CloseHandle(h);
    }
    g_szSettings[dwRead] = '\0';
}

/* The value of the first line that starts with pszKey (which includes "="),
 * without its line end; false when no line does. */
static BOOL FindSetting(const char* pszKey, char* pszValue, size_t nSize)
{
    const size_t nKey = strlen(pszKey);
    const char* pLine = g_szSettings;
    while (*pLine) {
        const char* pEnd = strchr(pLine, '\n');
        size_t nLine = pEnd ? (size_t)(pEnd - pLine) : strlen(pLine);
        if (nLine > 0 && pLine[nLine - 1] == '\r')
            --nLine;
        if (nLine >= nKey && memcmp(pLine, pszKey, nKey) == 0) {
            size_t nValue = nLine - nKey;
            if (nValue >= nSize)
                nValue = nSize - 1;
            memcpy(pszValue, pLine + nKey, nValue);
            pszValue[nValue] = '\0';
            return TRUE;
        }
        if (!pEnd)
            break;
        pLine = pEnd + 1;
    }
    return FALSE;
}

static BOOL OwnSetting(const char* pszName, char* pszValue, size_t nSize)
{
    char szScenery[512];
    char szKey[1024];
    if (FindSetting("scenery_name=", szScenery, sizeof szScenery) &&
        strlen(pszName) + strlen(szScenery) + 3 < sizeof szKey) {
        strcpy(szKey, pszName);
        strcat(szKey, ".");
        strcat(szKey, szScenery);
        strcat(szKey, "=");
        if (FindSetting(szKey, pszValue, nSize))
            return TRUE;
    }
    strcpy(szKey, pszName);
    strcat(szKey, "=");
    return FindSetting(szKey, pszValue, nSize);
}

static const char* CommandLineTail(void)
{
    const char* p = GetCommandLineA();
    if (*p == '"') {
        const char* pClose = strchr(p + 1, '"');
        p = pClose ? pClose + 1 : p + strlen(p);
    } else {
        while (*p && *p != ' ' && *p != '\t')
            ++p;
    }
    while (*p == ' ' || *p == '\t')
        ++p;
    return p;
}

static void Append(char* pszRecord, size_t nSize, const char* pszKey, const char* pszValue)
{
    if (strlen(pszRecord) + strlen(pszKey) + strlen(pszValue) + 2 < nSize) {
        strcat(pszRecord, pszKey);
        strcat(pszRecord, pszValue);
        strcat(pszRecord, "\n");
    }
}

static void WriteRecord(void)
{
    static char szRecord[MAX_TEXT * 2];
    char szValue[MAX_TEXT];
    size_t i;
    szRecord[0] = '\0';
    Append(szRecord, sizeof szRecord, "args=", CommandLineTail());
    for (i = 0; i < sizeof g_aszKeys / sizeof g_aszKeys[0]; ++i) {
        if (FindSetting(g_aszKeys[i], szValue, sizeof szValue))
            Append(szRecord, sizeof szRecord, g_aszKeys[i], szValue);
    }
    strcat(szRecord, "\n");

    char szPath[MAX_PATH * 4];
    PathInFolder(szPath, sizeof szPath, "standin_runs.txt");
    HANDLE h = CreateFileA(szPath, FILE_APPEND_DATA, FILE_SHARE_READ, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return;
    DWORD dwWritten;
    WriteFile(h, szRecord, (DWORD)strlen(szRecord), &dwWritten, NULL);
    CloseHandle(h);
}

static void WaitForGate(void)
{
    char szName[MAX_PATH];
    char szPath[MAX_PATH * 4];
    DWORD dwWaited;
    if (!OwnSetting("standin_wait_for", szName, sizeof szName) || !szName[0])
        return;
    PathInFolder(szPath, sizeof szPath, szName);
    for (dwWaited = 0; dwWaited < WAIT_LIMIT_MS; dwWaited += WAIT_STEP_MS) {
        if (GetFileAttributesA(szPath) != INVALID_FILE_ATTRIBUTES)
            return;
        Sleep(WAIT_STEP_MS);
    }
}

int main(void)
{
    char szStatus[64];
    FindOwnFolder();
    ReadSettings();
    WriteRecord();
    WaitForGate();
    return OwnSetting("standin_exit_status", szStatus, sizeof szStatus) ? (int)strtol(szStatus, NULL, 10) : 0;
}
