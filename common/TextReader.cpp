#include "TextReader.h"

#include "Globals.h"
#include "platform/StdioFile.h"

CString CTextReader::ReadAll(const CString& strPath) const
{
    CString strText;
    return ReadIfPresent(strPath, strText) ? strText : CString();
}

bool CTextReader::ReadIfPresent(const CString& strPath, CString& strText) const
{
    strText.Empty();
    CStdioFile file;
    if (!file.Open(strPath, CStdioFile::modeReadShared))
        return file.WasMissing();
    CString strLine;
    while (file.ReadString(strLine)) {
        const CString strClean = CleanLine(strLine);
        if (strClean.IsEmpty())
            continue;
        strText += strClean;
        strText += g_strNewline;
    }
    if (file.HadError()) {
        strText.Empty();
        return false;
    }
    return true;
}

CString CTextReader::CleanLine(const CString& strLine) const
{
    CString strClean = strLine;
    strClean.Replace('\b', ' ');
    strClean.Remove('\n');
    return strClean;
}

bool CTextReader::CanOpen(const CString& strPath) const
{
    CStdioFile file;
    return file.Open(strPath, CStdioFile::modeReadExclusive);
}
