#include "StdioFile.h"

#include "FileSystem.h"

#include <climits>
#include <cstring>

namespace {

platform::RawOpen RawModeOf(CStdioFile::OpenMode mode)
{
    switch (mode) {
    case CStdioFile::modeReadShared: return platform::RawOpen::read;
    case CStdioFile::modeReadExclusive: return platform::RawOpen::readExclusive;
    case CStdioFile::modeCreateExclusive: return platform::RawOpen::writeExclusive;
    }
    return platform::RawOpen::read;
}

// Appends the bytes from pBegin to pEnd with every CR LF among them turned
// into one line feed; a CR that no LF follows stays.
void AppendJoiningCrLf(CString& strText, const char* pBegin, const char* pEnd)
{
    while (pBegin < pEnd) {
        const auto* pCr = static_cast<const char*>(std::memchr(pBegin, '\r', static_cast<size_t>(pEnd - pBegin)));
        if (!pCr) {
            strText.Append(pBegin, static_cast<int>(pEnd - pBegin));
            return;
        }
        const bool bLineEnd = pCr + 1 < pEnd && pCr[1] == '\n';
        strText.Append(pBegin, static_cast<int>(pCr - pBegin) + (bLineEnd ? 0 : 1));
        pBegin = pCr + 1;
    }
}

} // namespace

bool CStdioFile::Open(const CString& strPath, OpenMode mode)
{
    Close();
    m_bError = false;
    m_buffer.clear();
    const platform::OpenStatus status = platform::OpenRawFile(strPath, RawModeOf(mode), m_hFile);
    m_bMissing = status == platform::OpenStatus::missing;
    m_bWriting = mode == modeCreateExclusive;
    return status == platform::OpenStatus::opened;
}

bool CStdioFile::ReadToEnd(CString& strText)
{
    // The string is grown once, to the file's size and one more byte for a
    // line end the caller may add. The size is only a hint, since another
    // program may change the file meanwhile.
    const long long nSize = platform::RawFileSize(m_hFile);
    if (nSize >= 0 && nSize < INT_MAX - 1 - strText.GetLength())
        strText.Preallocate(strText.GetLength() + static_cast<int>(nSize) + 1);
    m_buffer.resize(kBufferSize);
    // A CR at the end of one piece may begin a CR LF that the next completes.
    bool bCrHeld = false;
    for (;;) {
        const long nRead = platform::ReadRawFile(m_hFile, &m_buffer[0], static_cast<long>(kBufferSize));
        if (nRead <= 0) {
            m_bError = nRead < 0;
            break;
        }
        const char* pBegin = m_buffer.data();
        const char* pEnd = pBegin + nRead;
        if (bCrHeld && *pBegin != '\n')
            strText += '\r';
        bCrHeld = pEnd[-1] == '\r';
        AppendJoiningCrLf(strText, pBegin, bCrHeld ? pEnd - 1 : pEnd);
    }
    if (bCrHeld)
        strText += '\r';
    m_buffer.clear();
    return !m_bError;
}

bool CStdioFile::WriteString(const CString& strText)
{
    const char* pLine = strText.GetString();
    const char* const pEnd = pLine + strText.GetLength();
    while (pLine < pEnd) {
        const auto* pLf = static_cast<const char*>(std::memchr(pLine, '\n', static_cast<size_t>(pEnd - pLine)));
        const char* const pStop = pLf ? pLf : pEnd;
        if (!Put(pLine, static_cast<size_t>(pStop - pLine)) || (pLf && !Put("\r\n", 2)))
            return false;
        pLine = pLf ? pLf + 1 : pEnd;
    }
    return true;
}

// The buffer keeps the size it got at the first write and is never grown: a
// piece that does not fit even into an empty buffer goes to the file as it is.
bool CStdioFile::Put(const char* pData, size_t nCount)
{
    if (m_buffer.size() + nCount > kBufferSize && !FlushBuffer())
        return false;
    if (nCount <= kBufferSize) {
        if (m_buffer.capacity() < kBufferSize)
            m_buffer.reserve(kBufferSize);
        m_buffer.append(pData, nCount);
        return true;
    }
    if (!platform::WriteRawFile(m_hFile, pData, static_cast<long>(nCount)))
        m_bError = true;
    return !m_bError;
}

bool CStdioFile::FlushBuffer()
{
    if (m_bError)
        return false;
    if (!m_buffer.empty() && !platform::WriteRawFile(m_hFile, m_buffer.data(), static_cast<long>(m_buffer.size())))
        m_bError = true;
    m_buffer.clear();
    return !m_bError;
}

bool CStdioFile::Commit()
{
    return FlushBuffer() && platform::SyncRawFile(m_hFile);
}

void CStdioFile::Close()
{
    if (m_hFile == -1)
        return;
    if (m_bWriting)
        FlushBuffer();
    platform::CloseRawFile(m_hFile);
    m_hFile = -1;
    m_buffer.clear();
}
