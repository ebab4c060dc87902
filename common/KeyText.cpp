#include "KeyText.h"

#include "Globals.h"

namespace {

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t';
}

// Position just after the key on the first line at or after nFrom that begins
// with it, or -1.
int FindKeyLine(const CString& strText, const CString& strKey, int nFrom)
{
    for (int pos = strText.Find(strKey, nFrom); pos >= 0; pos = strText.Find(strKey, pos + 1)) {
        int lineStart = pos;
        while (lineStart > 0 && IsBlank(strText[lineStart - 1]))
            --lineStart;
        if (lineStart == 0 || strText[lineStart - 1] == '\n')
            return pos + strKey.GetLength();
    }
    return -1;
}

int LineEnd(const CString& strText, int nFrom)
{
    const int end = strText.Find('\n', nFrom);
    return end < 0 ? strText.GetLength() : end;
}

} // namespace

CString CKeyText::GetValue(const CString& strText, const CString& strKey) const
{
    if (strKey.IsEmpty())
        return CString();
    const int start = FindKeyLine(strText, strKey, 0);
    if (start < 0)
        return CString();
    return strText.Mid(start, LineEnd(strText, start) - start);
}

CString CKeyText::SetValue(const CString& strText, const CString& strKey, const CString& strValue) const
{
    if (strKey.IsEmpty())
        return strText;
    // Built in one string grown once, straight from the text's pieces: a
    // long settings text is not copied piece by piece again and again.
    CString strResult;
    int copied = 0;
    bool bFound = false;
    for (int start = FindKeyLine(strText, strKey, 0); start >= 0; bFound = true) {
        if (!bFound)
            strResult.Preallocate(strText.GetLength() + strValue.GetLength());
        strResult.Append(strText.GetString() + copied, start - copied);
        strResult += strValue;
        copied = LineEnd(strText, start);
        start = FindKeyLine(strText, strKey, copied);
    }
    if (bFound) {
        strResult.Append(strText.GetString() + copied, strText.GetLength() - copied);
        return strResult;
    }
    if (strValue.IsEmpty())
        return strText;
    const bool bNeedsLineEnd = !strText.IsEmpty() && strText.Right(1) != g_strNewline;
    return strText + (bNeedsLineEnd ? g_strNewline : CString()) + strKey + strValue + g_strNewline;
}
