#pragma once

#include "ByteString.h"

#include <cstdint>

// What the system's file calls need per backend: raw files and whole-file
// operations.
namespace platform {

// The separator our paths are built with: "\" on Windows, "/" on POSIX.
extern const char kPathSeparator;
// The longest path the system's file calls take, in characters.
extern const int kMaxPathLength;

enum class RawOpen { read, readExclusive, writeExclusive };
enum class OpenStatus { opened, missing, failed };

OpenStatus OpenRawFile(const CString& strPath, RawOpen mode, std::intptr_t& hFile);
// Number of bytes read, 0 at the end, -1 on error.
long ReadRawFile(std::intptr_t hFile, char* pBuffer, long nCount);
bool WriteRawFile(std::intptr_t hFile, const char* pData, long nCount);
// The file's size in bytes, or -1 when the system cannot tell.
long long RawFileSize(std::intptr_t hFile);
bool SyncRawFile(std::intptr_t hFile);
void CloseRawFile(std::intptr_t hFile);

// Replaces strTarget by strSource in one step, so that the target always has
// either its old or its new content. Fails while another program holds the
// target open without allowing it to be deleted, when it is a folder, or when
// it is read-only.
bool ReplaceByFile(const CString& strSource, const CString& strTarget);
bool RemoveFile(const CString& strPath);
// True when a file or folder of that name is there.
bool PathExists(const CString& strPath);

} // namespace platform
