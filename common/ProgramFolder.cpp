#include "ProgramFolder.h"

#include "platform/FileSystem.h"
#include "platform/Process.h"

int LastSeparator(const CString& strPath)
{
    for (int i = strPath.GetLength() - 1; i >= 0; --i) {
        if (strPath[i] == platform::kPathSeparator)
            return i;
    }
    return -1;
}

CString PathInFolder(const CString& strFolder, const char* pszName)
{
    return strFolder + CString(&platform::kPathSeparator, 1) + pszName;
}

CString ProgramFolder(const char* pszArgv0)
{
    const CString strOwnPath = pszArgv0 ? pszArgv0 : "";
    const int sep = LastSeparator(strOwnPath);
    if (sep >= 0)
        return strOwnPath.Left(sep);
    const CString strModule = platform::ModuleFileName();
    return strModule.Left(LastSeparator(strModule));
}
