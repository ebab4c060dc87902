#pragma once

#include "platform/ByteString.h"

// Turns a text file into one string of cleaned, non-empty lines, each ended by
// one line feed.
class CTextReader {
public:
    // The file's cleaned lines; the empty string when it cannot be read.
    CString ReadAll(const CString& strPath) const;
    // Like ReadAll, but tells a missing file (true, empty text) from one that
    // exists and cannot be read right now (false).
    bool ReadIfPresent(const CString& strPath, CString& strText) const;
    // Backspaces become spaces and line feeds vanish; nothing is trimmed.
    CString CleanLine(const CString& strLine) const;
    // True when nobody else has the file open and it can be read.
    bool CanOpen(const CString& strPath) const;
};
