#include "TempFolder.h"
#include "common/Globals.h"
#include "common/ProgramFolder.h"
#include "platform/Process.h"
#include "platform/WinApp.h"
#include "platform/headless/Headless.h"
#include "recorder/Recorder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using std::string;

const string kIni =
    "scenery_name=N\r\nzoom_level=17\r\nplane_long=8.5\r\nplane_lat=50.1\r\n"
    "hi_res_textures_threshold_radius_m=3000\r\nlow_res_textures_threshold_radius_m=9000\r\n";
const string kLine = "N;17;8.5;50.1;3000;9000;";

class Recorder : public testing::Test {
protected:
    void TearDown() override { headless::Reset(); }

    int Run(std::vector<string> args)
    {
        string program = folder.Path("vando.exe").Str();
        std::vector<char*> argv{program.data()};
        for (string& arg : args)
            argv.push_back(arg.data());
        testing::internal::CaptureStderr();
        const int status = RecorderMain(static_cast<int>(argv.size()), argv.data());
        stderrText = testing::internal::GetCapturedStderr();
        return status;
    }

    CWinApp app;
    TempFolder folder;
    string stderrText;
};

TEST_F(Recorder, RecordsTheRequestAndExitsWithThree)
{
    folder.Write("vando.ini", kIni);
    EXPECT_EQ(Run({"-ft"}), 3);
    EXPECT_EQ(folder.Read("vandobatch.txt"), kLine + "-ft");
    EXPECT_EQ(Run({}), 3);
    EXPECT_EQ(folder.Read("vandobatch.txt"), kLine + "-ft\r\n" + kLine);
    EXPECT_EQ(Run({"-cj", "-ft"}), 3);
    EXPECT_EQ(folder.Read("vandobatch.txt"), kLine + "-ft\r\n" + kLine + "\r\n" + kLine + "-cj");
    EXPECT_EQ(stderrText, "");
    EXPECT_EQ(g_strDir, folder.Dir());
}

TEST_F(Recorder, TidiesTheListItAppendsTo)
{
    folder.Write("vando.ini", kIni);
    folder.Write("vandobatch.txt", "a\r\n\r\n\r\nb\bc\r\n");
    EXPECT_EQ(Run({"-x"}), 3);
    EXPECT_EQ(folder.Read("vandobatch.txt"), "a\r\nb c\r\n" + kLine + "-x");
}

TEST_F(Recorder, MissingSettingsGiveEmptyValues)
{
    EXPECT_EQ(Run({"-fd"}), 3);
    EXPECT_EQ(folder.Read("vandobatch.txt"), ";;;;;;-fd");
}

TEST_F(Recorder, FailedFrameworkStartWritesTheMessageAndTouchesNothing)
{
    headless::SetFrameworkInitFails(true);
    folder.Write("vando.ini", kIni);
    EXPECT_EQ(Run({"-ft"}), 3);
    EXPECT_EQ(stderrText, "Fatal Error: MFC initialization failed\n");
    EXPECT_FALSE(folder.Exists("vandobatch.txt"));
}

TEST_F(Recorder, AListThatCannotBeReadIsLeftAloneAndReported)
{
    folder.Write("vando.ini", kIni);
    std::filesystem::create_directory(folder.Dir().Str() + "/vandobatch.txt");
    EXPECT_EQ(Run({"-ft"}), 3);
    EXPECT_TRUE(std::filesystem::is_directory(folder.Dir().Str() + "/vandobatch.txt"));
    EXPECT_NE(stderrText.find(folder.Path("vandobatch.txt").Str()), string::npos) << stderrText;
    EXPECT_EQ(std::count(stderrText.begin(), stderrText.end(), '\n'), 1);
}

// The 32-bit recorder can meet a list larger than its memory; here a child
// process with little address space meets a large sparse list.
TEST_F(Recorder, AListTooLargeForMemoryIsLeftAloneAndReported)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "a sanitizer's allocator aborts instead of throwing";
#endif
    constexpr long long kListBytes = 1ll << 30;
    folder.Write("vando.ini", kIni);
    folder.Write("vandobatch.txt", "x");
    std::filesystem::resize_file(folder.Path("vandobatch.txt").Str(), kListBytes);
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t pid = fork();
    if (pid == 0) {
        long nPages = 0;
        std::ifstream("/proc/self/statm") >> nPages;
        const rlim_t nLimit = static_cast<rlim_t>(nPages) * sysconf(_SC_PAGESIZE) + (128u << 20);
        const rlimit limit{nLimit, nLimit};
        setrlimit(RLIMIT_AS, &limit);
        const CString strMessage = RecordRequest(folder.Dir(), "-ft");
        (void)!write(fds[1], strMessage.GetString(), strMessage.GetLength());
        _exit(0);
    }
    close(fds[1]);
    string message;
    char buffer[512];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;)
        message.append(buffer, n);
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_NE(message.find(folder.Path("vandobatch.txt").Str()), string::npos) << message;
    EXPECT_NE(message.find("too large"), string::npos) << message;
    EXPECT_EQ(std::filesystem::file_size(folder.Path("vandobatch.txt").Str()), static_cast<uintmax_t>(kListBytes));
}

TEST(ProgramFolder, CutsBeforeTheLastSeparatorOrAsksTheSystem)
{
    EXPECT_EQ(ProgramFolder("/a b/(c)/vando.exe"), CString("/a b/(c)"));
    EXPECT_EQ(ProgramFolder("/vando.exe"), CString(""));
    const CString strOwnFolder = std::filesystem::path(platform::ModuleFileName().Str()).parent_path().string();
    EXPECT_EQ(ProgramFolder("vando.exe"), strOwnFolder);
    EXPECT_EQ(ProgramFolder(""), strOwnFolder);
    EXPECT_EQ(ProgramFolder(nullptr), strOwnFolder);
}

TEST(RecorderProcesses, ManyAtOnceLoseNoRequest)
{
    TempFolder folder;
    folder.Write("vando.ini", kIni);
    const string program = folder.Path("vando").Str();
    std::filesystem::copy_file(BATCHRECORDER_PATH, program);
    constexpr int kRecorders = 50;
    std::vector<pid_t> children;
    for (int i = 0; i < kRecorders; ++i) {
        const pid_t pid = fork();
        if (pid == 0) {
            const string arg = "-r" + std::to_string(i);
            execl(program.c_str(), program.c_str(), arg.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_EQ(WEXITSTATUS(status), 3);
    }
    std::vector<string> expected;
    for (int i = 0; i < kRecorders; ++i)
        expected.push_back(kLine + "-r" + std::to_string(i) + "\n");
    std::sort(expected.begin(), expected.end());
    std::vector<string> lines;
    CString text = g_reader.ReadAll(folder.Path("vandobatch.txt"));
    for (int p; (p = text.Find('\n')) >= 0; text = text.Mid(p + 1))
        lines.push_back(text.Left(p + 1).Str());
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, expected);
}

} // namespace
