#pragma once

#include <string>
#include <vector>

// A tool folder for the soak and kill drivers: the recorder as vando.exe, the
// stand-in as vando_original.exe, vando.ini and the batch list.
namespace reliability {

// The six request values of one version of vando.ini. Version x carries x in
// every value, so that a value read back tells which version it came from;
// the scenery name is padded to make the files worth a kill in mid-write.
struct RequestValues {
    std::string value[6];
};
RequestValues ValuesOfVersion(int nVersion, int nPadding);
// The version a request line's values name, or -1 when they do not come
// whole from any version.
int VersionOfLine(const std::string& line, int nPadding);
// The line the recorder composes from those values and its argument.
std::string RequestLine(const RequestValues& values, const std::string& argument);

class ToolFolder {
public:
    // A fresh folder under the system's temporary folder, or under strBase.
    explicit ToolFolder(const std::string& strBase = std::string());
    ~ToolFolder();
    ToolFolder(const ToolFolder&) = delete;
    ToolFolder& operator=(const ToolFolder&) = delete;

    // Puts the recorder and the stand-in in place under the tool's names.
    void Install(const std::string& strRecorder, const std::string& strStandin) const;

    // vando.ini with the six values, the stand-in's own key and nFillerKb
    // kilobytes of other settings, CR LF throughout, replaced in one step as
    // a careful editor would.
    void WriteSettings(const RequestValues& values, int nStandinSleepMs, int nFillerKb);
    // True when the text is vando.ini as WriteSettings (or the runner, which
    // keeps every other line) leaves it for one of the versions up to
    // nLastVersion; the version found goes to nVersion.
    bool IsWholeSettings(const std::string& text, int nPadding, int nLastVersion, int& nVersion) const;

    const std::string& Dir() const { return m_strDir; }
    std::string Path(const std::string& strName) const { return m_strDir + "/" + strName; }
    std::string Read(const std::string& strName) const;
    void Write(const std::string& strName, const std::string& bytes) const;
    // Lines of a file of lines ended by LF.
    std::vector<std::string> ReadLines(const std::string& strName) const;
    // The names of the temporary files writers left beside their targets.
    std::vector<std::string> TemporaryFiles() const;
    void Remove(const std::string& strName) const;

    // Keeps the folder after the driver ends, to look at after a failure.
    void Keep() { m_bKeep = true; }

private:
    std::string m_strDir;
    std::string m_strSettingsTail;
    bool m_bKeep = false;
};

} // namespace reliability
