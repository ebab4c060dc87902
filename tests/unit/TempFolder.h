#pragma once

#include "common/ProgramFolder.h"
#include "platform/ByteString.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// A fresh folder per test, removed afterwards, with byte-exact file access.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vando-test-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
    }
    ~TempFolder() { std::filesystem::remove_all(m_path); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    CString Dir() const { return CString(m_path.string()); }
    CString Path(const char* pszName) const { return PathInFolder(Dir(), pszName); }

    void Write(const char* pszName, const std::string& bytes) const
    {
        std::ofstream(m_path / pszName, std::ios::binary) << bytes;
    }
    std::string Read(const char* pszName) const
    {
        std::ifstream in(m_path / pszName, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    bool Exists(const char* pszName) const { return std::filesystem::exists(m_path / pszName); }

private:
    std::filesystem::path m_path;
};
