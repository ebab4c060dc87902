#pragma once

#include <string>

// 8-bit text in the system's code page, length-counted (it may hold NUL bytes)
// and copied by value. The cutting operations clip instead of failing, because
// the settings and batch-line rules rely on exactly that clipping.
class CString {
public:
    CString() = default;
    CString(const char* psz) : m_str(psz ? psz : "") {}
    CString(const char* p, int nLength) : m_str(p, nLength > 0 ? nLength : 0) {}
    CString(std::string str) : m_str(std::move(str)) {}

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    const char* GetString() const { return m_str.c_str(); }
    const std::string& Str() const { return m_str; }

    // Room for nLength characters without growing again, for a string built
    // up piece by piece to a size known in advance.
    void Preallocate(int nLength) { m_str.reserve(static_cast<size_t>(nLength > 0 ? nLength : 0)); }
    // Direct access for filling or rewriting the characters in place: the
    // string is made at least nMinLength long (new characters are NUL), and
    // ReleaseBuffer sets the length that counts afterwards.
    char* GetBuffer(int nMinLength)
    {
        if (nMinLength > GetLength())
            m_str.resize(static_cast<size_t>(nMinLength));
        return m_str.data();
    }
    void ReleaseBuffer(int nNewLength) { m_str.resize(static_cast<size_t>(nNewLength > 0 ? nNewLength : 0)); }
    char operator[](int i) const { return m_str[static_cast<size_t>(i)]; }

    // Position of the first occurrence at or after nStart, or -1 when there is
    // none or nStart lies beyond the end.
    int Find(const CString& sub, int nStart = 0) const;
    int Find(char ch, int nStart = 0) const;

    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;

    // Replaces every occurrence left to right without overlap; an empty old
    // text changes nothing. Returns the number of replacements.
    int Replace(const CString& strOld, const CString& strNew);
    int Replace(char chOld, char chNew);
    int Remove(char ch);
    // Removes nCount characters from nIndex on, clipped to the string, and
    // returns the new length.
    int Delete(int nIndex, int nCount = 1);

    CString& operator+=(const CString& str) { m_str += str.m_str; return *this; }
    CString& operator+=(char ch) { m_str += ch; return *this; }
    void Append(const char* p, int nLength) { m_str.append(p, static_cast<size_t>(nLength > 0 ? nLength : 0)); }
    friend CString operator+(CString a, const CString& b) { return a += b; }
    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator!=(const CString& a, const CString& b) { return a.m_str != b.m_str; }

private:
    std::string m_str;
};
