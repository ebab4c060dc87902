// Bad input for both programs, each case with what the user gets: a clear
// message or a defined result, never a crash, a hang or an unrelated line
// changed. The full disk is a small tmpfs of our own.
#include "TempFolder.h"
#include "platform/WinApp.h"
#include "platform/headless/Headless.h"
#include "recorder/Recorder.h"
#include "runner/RunnerDlg.h"
#include "runner/RunnerGlobals.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/mount.h>
#include <unistd.h>

namespace {

using std::string;
namespace fs = std::filesystem;

const string kSettings =
    "scenery_name=N\r\nzoom_level=17\r\nplane_long=8.5\r\nplane_lat=50.1\r\n"
    "hi_res_textures_threshold_radius_m=3000\r\nlow_res_textures_threshold_radius_m=9000\r\n";
const string kLine = "N;17;8.5;50.1;3000;9000;";
const string kRequest = "A;1;2;3;4;5;-ft";
const string kSettingsWithRequest =
    "scenery_name=A\r\nzoom_level=1\r\nplane_long=2\r\nplane_lat=3\r\n"
    "hi_res_textures_threshold_radius_m=4\r\nlow_res_textures_threshold_radius_m=5\r\n";
const string kTenMegabytes(10 * 1024 * 1024, 'x');
const char* const kSettingsFailed = "The vando.ini file could not be written! Procces aborted";
const char* const kListFailed = "Batch cant be updated";
const char* const kListUnreadable = "The batch list could not be read! Batch stopped";

// A folder name that brings the list's path to the longest the system
// takes, less one: too long for a temporary name made by adding to it.
string NearThePathLimit()
{
    const size_t nTestFolder = (fs::temp_directory_path() / "vando-test-XXXXXX").string().size();
    const size_t nLength = PATH_MAX - 2 - string("/vandobatch.txt").size() - nTestFolder - 1;
    string name;
    while (name.size() < nLength)
        name += name.size() % 200 == 199 ? '/' : 'd';
    return name;
}

// The tool folder of a case: a folder of its own inside the test's folder,
// so that a case can give it any name.
struct Tool {
    string dir;
    string Path(const string& name) const { return dir + "/" + name; }
    void Write(const string& name, const string& bytes) const
    {
        std::ofstream(Path(name), std::ios::binary | std::ios::trunc) << bytes;
    }
    string Read(const string& name) const
    {
        std::ifstream in(Path(name), std::ios::binary);
        return string(std::istreambuf_iterator<char>(in), {});
    }
    void MakeFolder(const string& name) const { fs::create_directory(Path(name)); }
    void MakeReadOnly(const string& name) const
    {
        fs::permissions(Path(name), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    }
    bool LeftTemporaryFiles() const
    {
        for (const auto& entry : fs::directory_iterator(dir)) {
            if (entry.path().extension() == ".tmp")
                return true;
        }
        return false;
    }
};

struct RecorderCase {
    const char* name;
    string folderName;
    std::function<void(const Tool&)> arrange;
    string argument;
    // The list afterwards, byte for byte.
    string list;
    // Whether the one line on standard error names the list.
    bool bMessage;
};

void PrintTo(const RecorderCase& c, std::ostream* os)
{
    *os << c.name;
}

class RecorderBadInput : public testing::TestWithParam<RecorderCase> {
protected:
    void TearDown() override { headless::Reset(); }

    CWinApp app;
    TempFolder folder;
};

TEST_P(RecorderBadInput, RecordsWhatIsThereOrSaysWhyNot)
{
    const Tool tool{folder.Dir().Str() + "/" + GetParam().folderName};
    fs::create_directories(tool.dir);
    GetParam().arrange(tool);
    string program = tool.Path("vando.exe");
    string argument = GetParam().argument;
    char* argv[] = {program.data(), argument.data(), nullptr};

    testing::internal::CaptureStderr();
    EXPECT_EQ(RecorderMain(2, argv), 3);
    const string message = testing::internal::GetCapturedStderr();

    if (GetParam().bMessage) {
        EXPECT_NE(message.find(tool.Path("vandobatch.txt")), string::npos) << message;
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
    } else {
        EXPECT_EQ(message, "");
    }
    if (fs::is_regular_file(tool.Path("vandobatch.txt"))) {
        EXPECT_EQ(tool.Read("vandobatch.txt"), GetParam().list);
    }
    EXPECT_FALSE(tool.LeftTemporaryFiles());
}

INSTANTIATE_TEST_SUITE_P(Cases, RecorderBadInput, testing::Values(
    RecorderCase{"NulBytesInAValue", "tool", [](const Tool& t) {
        t.Write("vando.ini", "scenery_name=a" + string(1, '\0') + "b\r\n" + kSettings.substr(16));
    }, "-ft", "a" + string(1, '\0') + "b;17;8.5;50.1;3000;9000;-ft", false},
    RecorderCase{"CtrlZIsDataNotTheEnd", "tool", [](const Tool& t) {
        t.Write("vando.ini", "scenery_name=a\x1A" "b\r\n" + kSettings.substr(16));
        t.Write("vandobatch.txt", "old\x1Aline\r\nmore");
    }, "-ft", "old\x1Aline\r\nmore\r\na\x1A" "b;17;8.5;50.1;3000;9000;-ft", false},
    RecorderCase{"LoneCarriageReturnsStayInTheirLine", "tool", [](const Tool& t) {
        t.Write("vando.ini", "scenery_name=a\rb\r\n" + kSettings.substr(16));
        t.Write("vandobatch.txt", "x\ry\r\n");
    }, "-ft\r", "x\ry\r\na\rb;17;8.5;50.1;3000;9000;-ft\r", false},
    RecorderCase{"TenMegabyteLineInTheList", "tool", [](const Tool& t) {
        t.Write("vando.ini", kSettings);
        t.Write("vandobatch.txt", kTenMegabytes);
    }, "-ft", kTenMegabytes + "\r\n" + kLine + "-ft", false},
    RecorderCase{"TenMegabyteValue", "tool", [](const Tool& t) {
        t.Write("vando.ini", "scenery_name=" + kTenMegabytes + "\r\n" + kSettings.substr(16));
    }, "-ft", kTenMegabytes + ";17;8.5;50.1;3000;9000;-ft", false},
    RecorderCase{"EightBitCharactersInValuesArgumentAndFolder", "Flugh\xE4" "fen M\xFCnchen", [](const Tool& t) {
        t.Write("vando.ini", "scenery_name=M\xE4rz\r\n" + kSettings.substr(16));
    }, "-\xE4", "M\xE4rz;17;8.5;50.1;3000;9000;-\xE4", false},
    RecorderCase{"FolderNearThePathLimit", NearThePathLimit(), [](const Tool& t) {
        t.Write("vando.ini", kSettings);
        t.Write("vandobatch.txt", "queued\r\n");
    }, "-ft", "queued\r\n" + kLine + "-ft", false},
    RecorderCase{"SemicolonInAValueShiftsTheFields", "tool", [](const Tool& t) {
        t.Write("vando.ini", "scenery_name=a;b\r\n" + kSettings.substr(16));
    }, "-ft", "a;b;17;8.5;50.1;3000;9000;-ft", false},
    RecorderCase{"SettingsThatAreAFolderGiveEmptyValues", "tool", [](const Tool& t) {
        t.MakeFolder("vando.ini");
    }, "-ft", ";;;;;;-ft", false},
    RecorderCase{"ReadOnlyListIsLeftAsItIs", "tool", [](const Tool& t) {
        t.Write("vando.ini", kSettings);
        t.Write("vandobatch.txt", "queued\r\n");
        t.MakeReadOnly("vandobatch.txt");
    }, "-ft", "queued\r\n", true}
), [](const testing::TestParamInfo<RecorderCase>& info) { return string(info.param.name); });

// Started as a real process: without a folder in its own name, or without
// any argument vector at all, the recorder takes its executable's folder,
// whatever the current folder is.
TEST(RecorderWithoutFolderInItsName, RecordsInItsExecutablesFolder)
{
    TempFolder folder;
    const Tool tool{folder.Dir().Str()};
    tool.Write("vando.ini", kSettings);
    fs::copy_file(BATCHRECORDER_PATH, tool.Path("vando.exe"));
    fs::create_directory(tool.Path("elsewhere"));
    const string program = tool.Path("vando.exe");
    for (const bool bArgv : {true, false}) {
        const pid_t pid = fork();
        if (pid == 0) {
            if (::chdir(tool.Path("elsewhere").c_str()) != 0)
                _exit(126);
            char name[] = "vando.exe";
            char argument[] = "-ft";
            char* withName[] = {name, argument, nullptr};
            char* none[] = {nullptr};
            execv(program.c_str(), bArgv ? withName : none);
            _exit(127);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3) << status;
    }
    EXPECT_EQ(tool.Read("vandobatch.txt"), kLine + "-ft\r\n" + kLine);
    EXPECT_FALSE(fs::exists(tool.Path("elsewhere/vandobatch.txt")));
}

struct RunnerCase {
    const char* name;
    string folderName;
    std::function<void(const Tool&)> arrange;
    const char* option;
    // The first message box, or null for none.
    const char* message;
    bool bToolRuns;
    // The list afterwards, byte for byte.
    string list;
    // vando.ini afterwards, byte for byte.
    string settings;
};

void PrintTo(const RunnerCase& c, std::ostream* os)
{
    *os << c.name;
}

class RunnerBadInput : public testing::TestWithParam<RunnerCase> {
protected:
    void SetUp() override
    {
        headless::Reset();
        g_nRun = 0;
        g_bRunning = false;
        headless::SetProgramHandler([](const headless::ProgramRun&) { return 0; });
    }
    void TearDown() override { headless::Reset(); }

    std::vector<string> Messages() const
    {
        std::vector<string> texts;
        for (const auto& shown : headless::MessageBoxes())
            texts.push_back(shown.strText.Str());
        return texts;
    }

    TempFolder folder;
};

TEST_P(RunnerBadInput, RunsWhatIsThereOrSaysWhyNot)
{
    const RunnerCase& c = GetParam();
    const Tool tool{folder.Dir().Str() + "/" + c.folderName};
    fs::create_directories(tool.dir);
    c.arrange(tool);
    headless::SetProgramPath(CString(tool.Path("vando_batchrunner")));
    CRunnerDlg dlg(50);
    headless::Open(dlg);
    headless::Type(dlg, IDC_OPTION, c.option);
    headless::Click(dlg, IDC_RUN_BATCH);
    headless::Tick(dlg, ID_RUN_TIMER);

    const std::vector<string> messages = Messages();
    if (c.message) {
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(messages[0], c.message);
    } else {
        EXPECT_EQ(messages, std::vector<string>());
    }
    ASSERT_EQ(headless::ProgramRuns().size(), c.bToolRuns ? 1u : 0u);
    if (c.bToolRuns) {
        EXPECT_EQ(headless::ProgramRuns()[0].strProgram, tool.Path("vando_original.exe"));
        EXPECT_EQ(headless::ProgramRuns()[0].strArguments, c.option) << "passed on as typed";
        EXPECT_EQ(headless::ControlText(dlg, IDC_CALL), tool.Path("vando.exe") + " " + c.option);
    }
    if (fs::is_regular_file(tool.Path("vandobatch.txt"))) {
        EXPECT_EQ(tool.Read("vandobatch.txt"), c.list);
    }
    if (fs::is_regular_file(tool.Path("vando.ini"))) {
        EXPECT_EQ(tool.Read("vando.ini"), c.settings);
    }
    EXPECT_FALSE(tool.LeftTemporaryFiles());
}

const string kOtherLines = string("a=x") + '\0' + "y\r\nb=\x1A\r\nc=p\rq\r\nd=M\xFCnchen\r\n";

INSTANTIATE_TEST_SUITE_P(Cases, RunnerBadInput, testing::Values(
    RunnerCase{"NulCtrlZLoneCrAndEightBitInOtherLinesStay", "tool", [](const Tool& t) {
        t.Write("vando.ini", kOtherLines + kSettings);
        t.Write("vandobatch.txt", kRequest);
    }, "-ft", nullptr, true, "", kOtherLines + kSettingsWithRequest},
    RunnerCase{"NulAndEightBitInTheRequestReachVandoIni", "tool", [](const Tool& t) {
        t.Write("vando.ini", kSettings);
        t.Write("vandobatch.txt", string("M\xE4") + '\0' + "rz;1;2;3;4;5;-ft");
    }, "-ft", nullptr, true, "",
        string("scenery_name=M\xE4") + '\0' + "rz\r\n" + kSettingsWithRequest.substr(16)},
    RunnerCase{"TenMegabyteRequest", "tool", [](const Tool& t) {
        t.Write("vando.ini", kSettings);
        t.Write("vandobatch.txt", kTenMegabytes + ";1;2;3;4;5;-ft\r\n" + kRequest);
    }, "-ft", nullptr, true, kRequest + "\r\n",
        "scenery_name=" + kTenMegabytes + "\r\n" + kSettingsWithRequest.substr(16)},
    RunnerCase{"SemicolonInAValueShiftsTheFields", "tool", [](const Tool& t) {
        t.Write("vando.ini", kSettings);
        t.Write("vandobatch.txt", "a;b;1;2;3;4;5;-ft");
    }, "-ft", nullptr, true, "",
        "scenery_name=a\r\nzoom_level=b\r\nplane_long=1\r\nplane_lat=2\r\n"
        "hi_res_textures_threshold_radius_m=3\r\nlow_res_textures_threshold_radius_m=4\r\n"},
    RunnerCase{"EightBitFolder", "Flugh\xE4" "fen M\xFCnchen", [](const Tool& t) {
        t.Write("vando.ini", kSettings);
        t.Write("vandobatch.txt", kRequest);
    }, "-ft", nullptr, true, "", kSettingsWithRequest},
    RunnerCase{"FolderNearThePathLimit", NearThePathLimit(), [](const Tool& t) {
        t.Write("vando.ini", kSettings);
        t.Write("vandobatch.txt", kRequest + "\r\n" + kRequest + "2");
    }, "-ft", nullptr, true, kRequest + "2\r\n", kSettingsWithRequest},
    RunnerCase{"OptionWithShellCharactersAndQuotes", "tool", [](const Tool& t) {
        t.Write("vando.ini", kSettings);
        t.Write("vandobatch.txt", kRequest);
    }, "-ft & echo x > \"y z\" | more ^", nullptr, true, "", kSettingsWithRequest},
    RunnerCase{"SettingsThatAreAFolder", "tool", [](const Tool& t) {
        t.MakeFolder("vando.ini");
        t.Write("vandobatch.txt", kRequest);
    }, "-ft", kSettingsFailed, false, kRequest, ""},
    RunnerCase{"ReadOnlySettingsAreNotOverwritten", "tool", [](const Tool& t) {
        t.Write("vando.ini", kSettings);
        t.MakeReadOnly("vando.ini");
        t.Write("vandobatch.txt", kRequest);
    }, "-ft", kSettingsFailed, false, kRequest, kSettings},
    RunnerCase{"ReadOnlyListKeepsTheRequestFirst", "tool", [](const Tool& t) {
        t.Write("vando.ini", kSettings);
        t.Write("vandobatch.txt", kRequest);
        t.MakeReadOnly("vandobatch.txt");
    }, "-ft", kListFailed, true, kRequest, kSettingsWithRequest},
    RunnerCase{"ListThatIsAFolder", "tool", [](const Tool& t) {
        t.Write("vando.ini", kSettings);
        t.MakeFolder("vandobatch.txt");
    }, "-ft", kListUnreadable, false, "", kSettings}
), [](const testing::TestParamInfo<RunnerCase>& info) { return string(info.param.name); });

// A tool folder on a tmpfs of a few pages, filled up to the last byte. Root
// only; elsewhere the tests are skipped.
class FullDisk : public testing::Test {
protected:
    void SetUp() override
    {
        headless::Reset();
        g_nRun = 0;
        g_bRunning = false;
        tool.dir = folder.Dir().Str() + "/disk";
        fs::create_directory(tool.dir);
        if (::mount("tmpfs", tool.dir.c_str(), "tmpfs", 0, "size=64k") != 0)
            GTEST_SKIP() << "cannot mount a small tmpfs here";
        bMounted = true;
        tool.Write("vando.ini", kSettings);
        tool.Write("vandobatch.txt", kRequest);
    }
    void TearDown() override
    {
        if (bMounted)
            ::umount2(tool.dir.c_str(), MNT_DETACH);
        headless::Reset();
    }
    void Fill() const
    {
        std::ofstream filler(tool.Path("filler"), std::ios::binary);
        const string block(4096, 'f');
        for (int i = 0; i < 64 && filler.write(block.data(), static_cast<std::streamsize>(block.size())); ++i)
            filler.flush();
    }
    std::vector<string> Messages() const
    {
        std::vector<string> texts;
        for (const auto& shown : headless::MessageBoxes())
            texts.push_back(shown.strText.Str());
        return texts;
    }

    CWinApp app;
    TempFolder folder;
    Tool tool;
    bool bMounted = false;
};

TEST_F(FullDisk, RecorderSaysSoAndKeepsTheList)
{
    Fill();
    string program = tool.Path("vando.exe");
    string argument = "-ft";
    char* argv[] = {program.data(), argument.data(), nullptr};
    testing::internal::CaptureStderr();
    EXPECT_EQ(RecorderMain(2, argv), 3);
    const string message = testing::internal::GetCapturedStderr();
    EXPECT_NE(message.find(tool.Path("vandobatch.txt")), string::npos) << message;
    EXPECT_EQ(tool.Read("vandobatch.txt"), kRequest);
    EXPECT_FALSE(tool.LeftTemporaryFiles());
}

TEST_F(FullDisk, RunnerCannotWriteTheSettingsAndKeepsTheRequest)
{
    Fill();
    headless::SetProgramHandler([](const headless::ProgramRun&) { return 0; });
    headless::SetProgramPath(CString(tool.Path("vando_batchrunner")));
    CRunnerDlg dlg(50);
    headless::Open(dlg);
    headless::Click(dlg, IDC_RUN_BATCH);
    headless::Tick(dlg, ID_RUN_TIMER);
    ASSERT_EQ(Messages().size(), 3u);
    EXPECT_EQ(Messages()[0], kSettingsFailed);
    EXPECT_TRUE(headless::ProgramRuns().empty());
    EXPECT_EQ(tool.Read("vando.ini"), kSettings);
    EXPECT_EQ(tool.Read("vandobatch.txt"), kRequest);
    EXPECT_FALSE(tool.LeftTemporaryFiles());
}

TEST_F(FullDisk, DiskFillingDuringTheRunKeepsTheRequestFirst)
{
    tool.Write("vandobatch.txt", kRequest + "\r\n" + kRequest + "2");
    headless::SetProgramHandler([this](const headless::ProgramRun&) {
        Fill();
        return 0;
    });
    headless::SetProgramPath(CString(tool.Path("vando_batchrunner")));
    CRunnerDlg dlg(50);
    headless::Open(dlg);
    headless::Click(dlg, IDC_RUN_BATCH);
    headless::Tick(dlg, ID_RUN_TIMER);
    EXPECT_EQ(Messages(), std::vector<string>{kListFailed});
    EXPECT_EQ(headless::ProgramRuns().size(), 1u);
    EXPECT_EQ(tool.Read("vandobatch.txt"), kRequest + "\r\n" + kRequest + "2");
    EXPECT_EQ(tool.Read("vando.ini"), kSettingsWithRequest);
    EXPECT_FALSE(tool.LeftTemporaryFiles());
}

} // namespace
