#pragma once

#include "ByteString.h"

#include <cstddef>
#include <cstdint>

// A file in text mode: CR LF on disk is one line feed in memory and every line
// feed written becomes CR LF. Any other byte, NUL and 0x1A included, is data,
// and a CR that no LF follows stays. The translation is ours, so it is the same
// on every backend.
class CStdioFile {
public:
    enum OpenMode {
        modeReadShared,       // others may read, write and delete meanwhile
        modeReadExclusive,    // fails while anyone else has the file open
        modeCreateExclusive,  // create or truncate; nobody else may open it meanwhile
    };

    CStdioFile() = default;
    ~CStdioFile() { Close(); }
    CStdioFile(const CStdioFile&) = delete;
    CStdioFile& operator=(const CStdioFile&) = delete;

    bool Open(const CString& strPath, OpenMode mode);
    // After a failed Open: true when the file (or its folder) does not exist.
    bool WasMissing() const { return m_bMissing; }

    // Appends everything from here to the end of the file, each CR LF turned
    // into one line feed. False on a read error; what was read until then
    // stays appended.
    bool ReadToEnd(CString& strText);

    bool WriteString(const CString& strText);
    // Flushes our buffer and asks the system to put the data on the disk.
    bool Commit();
    void Close();

private:
    bool Put(const char* pData, size_t nCount);
    bool FlushBuffer();

    static constexpr size_t kBufferSize = 64 * 1024;

    std::intptr_t m_hFile = -1;
    bool m_bMissing = false;
    bool m_bError = false;
    bool m_bWriting = false;
    std::string m_buffer;
};
