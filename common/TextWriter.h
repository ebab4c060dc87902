#pragma once

#include "platform/ByteString.h"

// Replaces a text file's whole content with one string.
class CTextWriter {
public:
    // Each line feed becomes CR LF on disk and no line end is added. The new
    // content goes to a temporary file beside the target first and then
    // replaces it in one step, so an interrupted write never leaves a
    // shortened file. False, with the file unchanged, when it cannot be
    // written or another program holds it.
    bool WriteAll(const CString& strPath, const CString& strText) const;
};
