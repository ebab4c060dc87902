#include "ByteString.h"

#include <algorithm>
#include <cstring>

namespace {

int ClipToLength(int n, int nLength)
{
    return std::clamp(n, 0, nLength);
}

} // namespace

int CString::Find(const CString& sub, int nStart) const
{
    if (nStart > GetLength())
        return -1;
    const size_t pos = m_str.find(sub.m_str, static_cast<size_t>(std::max(nStart, 0)));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(char ch, int nStart) const
{
    return Find(CString(&ch, 1), nStart);
}

CString CString::Left(int nCount) const
{
    return CString(m_str.substr(0, static_cast<size_t>(ClipToLength(nCount, GetLength()))));
}

CString CString::Right(int nCount) const
{
    const int n = ClipToLength(nCount, GetLength());
    return CString(m_str.substr(static_cast<size_t>(GetLength() - n)));
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const
{
    const int first = std::max(nFirst, 0);
    if (first >= GetLength())
        return CString();
    const int count = ClipToLength(nCount, GetLength() - first);
    return CString(m_str.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

int CString::Replace(const CString& strOld, const CString& strNew)
{
    if (strOld.IsEmpty())
        return 0;
    std::string result;
    result.reserve(m_str.size());
    int nCount = 0;
    size_t from = 0;
    for (size_t pos; (pos = m_str.find(strOld.m_str, from)) != std::string::npos; from = pos + strOld.m_str.size()) {
        result.append(m_str, from, pos - from);
        result += strNew.m_str;
        ++nCount;
    }
    if (nCount == 0)
        return 0;
    result.append(m_str, from, std::string::npos);
    m_str.swap(result);
    return nCount;
}

int CString::Replace(char chOld, char chNew)
{
    // memchr skips the long stretches without the character far faster than
    // a loop over every byte; whole batch lists go through here.
    int nCount = 0;
    char* const pEnd = m_str.data() + m_str.size();
    for (char* p = m_str.data(); (p = static_cast<char*>(std::memchr(p, chOld, static_cast<size_t>(pEnd - p)))); ++p) {
        *p = chNew;
        ++nCount;
    }
    return nCount;
}

int CString::Delete(int nIndex, int nCount)
{
    const int first = ClipToLength(nIndex, GetLength());
    m_str.erase(static_cast<size_t>(first), static_cast<size_t>(ClipToLength(nCount, GetLength() - first)));
    return GetLength();
}

int CString::Remove(char ch)
{
    const size_t before = m_str.size();
    m_str.erase(std::remove(m_str.begin(), m_str.end(), ch), m_str.end());
    return static_cast<int>(before - m_str.size());
}
