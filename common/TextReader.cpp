#include "TextReader.h"

#include "Globals.h"
#include "platform/StdioFile.h"

#include <cstring>

namespace {

// CleanLine and the dropping of empty lines, done on the whole text at once
// and in place, since a list of many lines is read in one piece: a line read
// holds no line feed of its own, so cleaning it only turns its backspaces
// into spaces, and it is empty after cleaning exactly when it was before.
void CleanEveryLine(CString& strText)
{
    strText.Replace('\b', ' ');
    if (!strText.IsEmpty() && strText[strText.GetLength() - 1] != '\n')
        strText += g_strNewline;
    const int nLength = strText.GetLength();
    char* const pText = strText.GetBuffer(nLength);
    const char* const pEnd = pText + nLength;
    char* pOut = pText;
    for (const char* pLine = pText; pLine < pEnd;) {
        const auto* pLf = static_cast<const char*>(std::memchr(pLine, '\n', static_cast<size_t>(pEnd - pLine)));
        const auto nCount = static_cast<size_t>(pLf + 1 - pLine);
        if (nCount > 1) {
            if (pOut != pLine)
                std::memmove(pOut, pLine, nCount);
            pOut += nCount;
        }
        pLine = pLf + 1;
    }
    strText.ReleaseBuffer(static_cast<int>(pOut - pText));
}

} // namespace

CString CTextReader::ReadAll(const CString& strPath) const
{
    CString strText;
    if (!ReadIfPresent(strPath, strText))
        strText.Empty();
    return strText;
}

bool CTextReader::ReadIfPresent(const CString& strPath, CString& strText) const
{
    strText.Empty();
    CStdioFile file;
    if (!file.Open(strPath, CStdioFile::modeReadShared))
        return file.WasMissing();
    if (!file.ReadToEnd(strText)) {
        strText.Empty();
        return false;
    }
    CleanEveryLine(strText);
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
