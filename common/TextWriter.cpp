#include "TextWriter.h"

#include "platform/FileSystem.h"
#include "platform/StdioFile.h"

#include <cstdio>

namespace {

CString TemporaryPathFor(const CString& strPath)
{
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%lu.tmp", platform::CurrentProcessId());
    return strPath + suffix;
}

bool WriteNewFile(const CString& strPath, const CString& strText)
{
    CStdioFile file;
    if (!file.Open(strPath, CStdioFile::modeCreateExclusive))
        return false;
    return file.WriteString(strText) && file.Commit();
}

} // namespace

bool CTextWriter::WriteAll(const CString& strPath, const CString& strText) const
{
    const CString strTemp = TemporaryPathFor(strPath);
    if (WriteNewFile(strTemp, strText) && platform::ReplaceByFile(strTemp, strPath))
        return true;
    platform::RemoveFile(strTemp);
    return false;
}
