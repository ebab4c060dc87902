#pragma once

#include "platform/ByteString.h"

// Takes the recorder out of the tool's folder: "vando_original.exe" gets its
// name "vando.exe" back in place of the recorder. Returns the message that
// tells the user what happened.
CString RemoveBatchTool(const CString& strFolder);
