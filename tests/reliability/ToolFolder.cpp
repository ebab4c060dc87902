#include "ToolFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

namespace reliability {

namespace {

const char* const kKeys[6] = {
    "scenery_name=", "zoom_level=", "plane_long=", "plane_lat=",
    "hi_res_textures_threshold_radius_m=", "low_res_textures_threshold_radius_m=",
};

std::string SettingsHead(const RequestValues& values)
{
    std::string text;
    for (int i = 0; i < 6; ++i)
        text += kKeys[i] + values.value[i] + "\r\n";
    return text;
}

} // namespace

RequestValues ValuesOfVersion(int nVersion, int nPadding)
{
    const std::string v = std::to_string(nVersion);
    return {{"S" + v + "_" + std::string(static_cast<size_t>(nPadding), 's'), std::to_string(nVersion % 20),
             "8." + v, v, std::to_string(3000 + nVersion), std::to_string(9000 + nVersion)}};
}

std::string RequestLine(const RequestValues& values, const std::string& argument)
{
    std::string line;
    for (const std::string& value : values.value)
        line += value + ";";
    return line + argument;
}

int VersionOfLine(const std::string& line, int nPadding)
{
    // Field 4 is the version number itself.
    size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        start = line.find(';', start);
        if (start == std::string::npos)
            return -1;
        ++start;
    }
    const size_t end = line.find(';', start);
    if (end == std::string::npos || end == start || end - start > 9)
        return -1;
    const std::string field = line.substr(start, end - start);
    if (field.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    const int nVersion = std::atoi(field.c_str());
    const std::string whole = RequestLine(ValuesOfVersion(nVersion, nPadding), "");
    return line.compare(0, whole.size(), whole) == 0 ? nVersion : -1;
}

ToolFolder::ToolFolder(const std::string& strBase)
{
    std::string pattern = (strBase.empty() ? fs::temp_directory_path() : fs::path(strBase)) / "vando-rel-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a folder under " + strBase);
    m_strDir = pattern;
}

ToolFolder::~ToolFolder()
{
    if (!m_bKeep) {
        std::error_code ignored;
        fs::remove_all(m_strDir, ignored);
    }
}

void ToolFolder::Install(const std::string& strRecorder, const std::string& strStandin) const
{
    fs::copy_file(strRecorder, Path("vando.exe"), fs::copy_options::overwrite_existing);
    fs::copy_file(strStandin, Path("vando_original.exe"), fs::copy_options::overwrite_existing);
}

void ToolFolder::WriteSettings(const RequestValues& values, int nStandinSleepMs, int nFillerKb)
{
    // Every version has the same other lines; only the six values change.
    if (m_strSettingsTail.empty()) {
        m_strSettingsTail = "standin_sleep_ms=" + std::to_string(nStandinSleepMs) + "\r\n";
        for (int i = 0; m_strSettingsTail.size() < static_cast<size_t>(nFillerKb) * 1024; ++i)
            m_strSettingsTail += "texture_cache_" + std::to_string(i) + "=" + std::string(48, 'c') + "\r\n";
    }
    Write("vando.ini.harness", SettingsHead(values) + m_strSettingsTail);
    fs::rename(Path("vando.ini.harness"), Path("vando.ini"));
}

bool ToolFolder::IsWholeSettings(const std::string& text, int nPadding, int nLastVersion, int& nVersion) const
{
    const std::string prefix = "plane_lat=";
    const size_t at = text.find("\r\n" + prefix);
    if (at == std::string::npos)
        return false;
    const size_t start = at + 2 + prefix.size();
    const size_t end = text.find("\r\n", start);
    if (end == std::string::npos || end == start || end - start > 9)
        return false;
    nVersion = std::atoi(text.substr(start, end - start).c_str());
    return nVersion <= nLastVersion &&
           text == SettingsHead(ValuesOfVersion(nVersion, nPadding)) + m_strSettingsTail;
}

std::string ToolFolder::Read(const std::string& strName) const
{
    std::ifstream in(Path(strName), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void ToolFolder::Write(const std::string& strName, const std::string& bytes) const
{
    std::ofstream(Path(strName), std::ios::binary | std::ios::trunc) << bytes;
}

std::vector<std::string> ToolFolder::ReadLines(const std::string& strName) const
{
    std::vector<std::string> lines;
    std::ifstream in(Path(strName), std::ios::binary);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> ToolFolder::TemporaryFiles() const
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_strDir)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".tmp") == 0)
            names.push_back(name);
    }
    return names;
}

void ToolFolder::Remove(const std::string& strName) const
{
    std::error_code ignored;
    fs::remove_all(Path(strName), ignored);
}

} // namespace reliability
