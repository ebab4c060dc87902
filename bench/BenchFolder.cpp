#include "BenchFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

CBenchFolder::CBenchFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vando-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        std::abort();
    m_path = pattern;
}

CBenchFolder::~CBenchFolder()
{
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
}

CString CBenchFolder::File(const std::string& strName, const std::string& bytes) const
{
    const std::filesystem::path path = std::filesystem::path(m_path) / strName;
    if (!std::filesystem::exists(path))
        std::ofstream(path, std::ios::binary) << bytes;
    return CString(path.string());
}

CString CBenchFolder::Folder(const std::string& strName) const
{
    const std::filesystem::path path = std::filesystem::path(m_path) / strName;
    std::filesystem::create_directories(path);
    return CString(path.string());
}

const CBenchFolder& BenchFolder()
{
    static const CBenchFolder folder;
    return folder;
}
