#pragma once

#include "platform/ByteString.h"

// A batch line holds one request: the values of the six request keys and the
// recorder's first argument, separated by ";" without any escaping.
constexpr int kRequestKeyCount = 6;
extern const char* const g_aszRequestKeys[kRequestKeyCount];

// The six values taken from the settings text, each followed by ";", then the
// argument; no line end.
CString ComposeBatchLine(const CString& strSettings, const CString& strArgument);

// Cuts field nField (1 to 6) off the front of strLine. Fields 1 to 5 end at the
// next ";" (empty when there is none; the line then stays as it is); field 6
// is the text before the next ";", or the whole rest, and leaves the line as
// it is.
CString CutBatchField(CString& strLine, int nField);
