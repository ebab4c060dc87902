#include "StdioFile.h"

#include "FileSystem.h"

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

} // namespace

bool CStdioFile::Open(const CString& strPath, OpenMode mode)
{
    Close();
    m_bError = m_bEof = false;
    m_buffer.clear();
    m_nPos = 0;
    const platform::OpenStatus status = platform::OpenRawFile(strPath, RawModeOf(mode), m_hFile);
    m_bMissing = status == platform::OpenStatus::missing;
    m_bWriting = mode == modeCreateExclusive;
    return status == platform::OpenStatus::opened;
}

bool CStdioFile::Fill()
{
    if (m_bEof || m_bError)
        return false;
    m_buffer.erase(0, m_nPos);
    m_nPos = 0;
    const size_t nKept = m_buffer.size();
    m_buffer.resize(nKept + kBufferSize);
    const long nRead = platform::ReadRawFile(m_hFile, &m_buffer[nKept], static_cast<long>(kBufferSize));
    m_buffer.resize(nKept + static_cast<size_t>(nRead > 0 ? nRead : 0));
    if (nRead < 0)
        m_bError = true;
    else if (nRead == 0)
        m_bEof = true;
    return nRead > 0;
}

bool CStdioFile::ReadString(CString& strLine)
{
    std::string line;
    for (;;) {
        const char* pBegin = m_buffer.data() + m_nPos;
        const size_t nAvail = m_buffer.size() - m_nPos;
        const void* pLf = std::memchr(pBegin, '\n', nAvail);
        if (pLf) {
            const size_t nLen = static_cast<const char*>(pLf) - pBegin;
            line.append(pBegin, nLen);
            m_nPos += nLen + 1;
            break;
        }
        // A CR at the end of the buffer may belong to a CR LF in the next
        // piece, so it waits for the next fill.
        const size_t nTake = (nAvail > 0 && pBegin[nAvail - 1] == '\r' && !m_bEof) ? nAvail - 1 : nAvail;
        line.append(pBegin, nTake);
        m_nPos += nTake;
        if (!Fill()) {
            line.append(m_buffer, m_nPos, std::string::npos);
            m_nPos = m_buffer.size();
            if (line.empty() || m_bError) {
                strLine = CString(std::move(line));
                return false;
            }
            strLine = CString(std::move(line));
            return true;
        }
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    strLine = CString(std::move(line));
    return true;
}

bool CStdioFile::WriteString(const CString& strText)
{
    const std::string& text = strText.Str();
    size_t from = 0;
    for (size_t pos; (pos = text.find('\n', from)) != std::string::npos; from = pos + 1) {
        m_buffer.append(text, from, pos - from);
        m_buffer += "\r\n";
        if (m_buffer.size() >= kBufferSize && !FlushBuffer())
            return false;
    }
    m_buffer.append(text, from, std::string::npos);
    return m_buffer.size() < kBufferSize || FlushBuffer();
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
    m_nPos = 0;
}
