#pragma once

#include "platform/ByteString.h"

// Looks up and replaces settings in a settings text (lines of key=value, each
// ended by a line feed). A key counts only where it begins a line, after
// optional spaces or tabs, so "zoom_level=" never matches "xzoom_level=".
class CKeyText {
public:
    // The value on the first line of the key; empty when no line has the key.
    CString GetValue(const CString& strText, const CString& strKey) const;
    // A copy in which every line of the key carries the new value. A missing
    // key gets a line of its own at the end, unless the value is empty.
    CString SetValue(const CString& strText, const CString& strKey, const CString& strValue) const;
};
