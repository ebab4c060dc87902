#include "TextWriter.h"

#include "ProgramFolder.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/StdioFile.h"

#include <cstdio>

namespace {

// The target's name with the writer's process id: a writer killed half-way
// leaves only a file of its own. Where that path would be too long for the
// system, a short name beside the target is taken instead, no longer than
// either file name of ours, so that it fits wherever the target does.
CString TemporaryPathFor(const CString& strPath)
{
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%lu.tmp", platform::CurrentProcessId());
    const CString strTemp = strPath + suffix;
    if (strTemp.GetLength() <= platform::kMaxPathLength)
        return strTemp;
    char name[16];
    std::snprintf(name, sizeof name, "~%lx", platform::CurrentProcessId() & 0xFFFFFFFFul);
    return strPath.Left(LastSeparator(strPath) + 1) + name;
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
