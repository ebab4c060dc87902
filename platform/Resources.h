#pragma once

#include "ByteString.h"
#include "Handles.h"

// The program's own resources, by id.

// The string of the string table; empty when there is none.
CString AfxLoadString(unsigned nID);
// The program's icon in the system's large size; null when there is none.
HICON AfxLoadIcon(unsigned nID);
