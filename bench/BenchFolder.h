#pragma once

#include "platform/ByteString.h"

#include <string>

// A temporary folder for the benchmark's files, removed at exit.
class CBenchFolder {
public:
    CBenchFolder();
    ~CBenchFolder();
    CBenchFolder(const CBenchFolder&) = delete;
    CBenchFolder& operator=(const CBenchFolder&) = delete;

    // Writes the bytes unless a file of that name was written before.
    CString File(const std::string& strName, const std::string& bytes) const;
    // A folder inside, made if it is not there yet.
    CString Folder(const std::string& strName) const;

private:
    std::string m_path;
};

// The one folder all benchmarks of this program share.
const CBenchFolder& BenchFolder();
