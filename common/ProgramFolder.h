#pragma once

#include "platform/ByteString.h"

// Folder + separator + name, the only way this system builds a path.
CString PathInFolder(const CString& strFolder, const char* pszName);
// Where the folder of a path ends: the position of its last separator, or -1.
int LastSeparator(const CString& strPath);

// The program's folder: its own path as given in the argument vector, cut
// before the last separator. A path without one (a start by bare name) gives
// the folder of the running executable as the system reports it.
CString ProgramFolder(const char* pszArgv0);
