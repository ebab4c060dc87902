#include "TempFolder.h"
#include "platform/Process.h"
#include "platform/FolderLock.h"
#include "platform/Resources.h"
#include "platform/WinApp.h"
#include "platform/headless/Headless.h"
#include "recorder/Recorder.h"
#include "runner/RunnerApp.h"
#include "runner/RunnerDlg.h"
#include "runner/RunnerGlobals.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <functional>
#include <unistd.h>

namespace {

using std::string;
using Rows = std::vector<std::vector<string>>;

const string kIni =
    "other=1\r\n\r\nscenery_name=N\r\nzoom_level=17\r\nplane_long=8.5\r\nplane_lat=50.1\r\n"
    "hi_res_textures_threshold_radius_m=3000\r\nlow_res_textures_threshold_radius_m=9000\r\nlast=x\bz";
// kIni with the request A;1;2;3;4;5 written in, tidied as every rewrite does.
const string kIniWithA =
    "other=1\r\nscenery_name=A\r\nzoom_level=1\r\nplane_long=2\r\nplane_lat=3\r\n"
    "hi_res_textures_threshold_radius_m=4\r\nlow_res_textures_threshold_radius_m=5\r\nlast=x z\r\n";
const string kRequestA = "A;1;2;3;4;5;-ft";
const string kRequestB = "B;6;7;8;9;10;";
const char* const kInfoMenu = "Inf&o \xFC" "ber vando_batchrunner...";
const char* const kSettingsFailed = "The vando.ini file could not be written! Procces aborted";
const char* const kListFailed = "Batch cant be updated";
// Long enough for the lock of a free folder, short enough for a test.
constexpr unsigned kTestLockTimeoutMs = 50;

// A file that is there but cannot be opened: a link to itself. Replacing it
// still works, so only a writer that first checked the read can spare it.
void MakeUnreadable(const CString& strPath)
{
    std::filesystem::remove(strPath.Str());
    std::filesystem::create_symlink(std::filesystem::path(strPath.Str()).filename(), strPath.Str());
}

class Runner : public testing::Test {
protected:
    // What the tool found when it ran.
    struct ToolView {
        string ini;
        Rows rows;
        string call;
        string result;
    };

    void SetUp() override
    {
        headless::Reset();
        headless::SetProgramPath(folder.Path("vando_batchrunner"));
        headless::SetStringResource(IDS_INFO_MENU, kInfoMenu);
        headless::SetProgramHandler([this](const headless::ProgramRun&) {
            seen.push_back({folder.Read("vando.ini"), ListRows(), Text(IDC_CALL), Text(IDC_RESULT)});
            if (duringRun)
                duringRun();
            return exitStatus;
        });
        g_strDir.Empty();
        g_strBatchFile.Empty();
        g_nRun = 0;
        g_bRunning = false;
    }
    void TearDown() override { headless::Reset(); }

    string Text(int nID) const { return headless::ControlText(dlg, nID).Str(); }
    Rows ListRows() const
    {
        Rows rows;
        for (const auto& row : headless::ListRows(dlg, IDC_RUN_LIST)) {
            rows.emplace_back();
            for (const CString& text : row)
                rows.back().push_back(text.Str());
        }
        return rows;
    }
    std::vector<string> Messages() const
    {
        std::vector<string> texts;
        for (const auto& shown : headless::MessageBoxes())
            texts.push_back(shown.strText.Str());
        return texts;
    }
    // Opens the dialog, types the option and clicks "Run Batch".
    void StartBatch(const CString& strOption)
    {
        headless::Open(dlg);
        headless::Type(dlg, IDC_OPTION, strOption);
        headless::Click(dlg, IDC_RUN_BATCH);
    }
    void Tick() { headless::Tick(dlg, ID_RUN_TIMER); }

    TempFolder folder;
    int exitStatus = 0;
    std::function<void()> duringRun;
    std::vector<ToolView> seen;
    CRunnerDlg dlg{kTestLockTimeoutMs};
};

TEST_F(Runner, OpensWithItsColumnsTimerMenuAndIcon)
{
    headless::Open(dlg);

    std::vector<std::pair<string, int>> columns;
    for (const auto& column : headless::ListColumns(dlg, IDC_RUN_LIST))
        columns.emplace_back(column.strHeading.Str(), column.nWidth);
    EXPECT_EQ(columns, (std::vector<std::pair<string, int>>{{"Run", 80}, {"Long", 80}, {"Lat", 80}, {"Zom", 40}, {"Result", 60}}));

    const auto timers = headless::Timers(dlg);
    ASSERT_EQ(timers.size(), 1u);
    EXPECT_EQ(timers[0].nIDEvent, 1u);
    EXPECT_EQ(timers[0].nElapseMs, 100u);

    const auto menu = headless::SystemMenuItems(dlg);
    ASSERT_EQ(menu.size(), 2u);
    EXPECT_EQ(menu[0].kind, kMenuSeparator);
    EXPECT_EQ(menu[1].kind, kMenuString);
    EXPECT_EQ(menu[1].nID, 0x10u);
    EXPECT_EQ(menu[1].strText, kInfoMenu);

    EXPECT_EQ(headless::IconResourceId(headless::Icon(dlg, true)), 128u);
    EXPECT_EQ(headless::Icon(dlg, false), headless::Icon(dlg, true));
    EXPECT_GE(headless::UpdateCount(dlg), 1);
    EXPECT_EQ(g_strDir, folder.Dir());
    EXPECT_EQ(g_strBatchFile, folder.Path("vandobatch.txt"));
    EXPECT_FALSE(g_bRunning);
    EXPECT_EQ(Text(IDC_OPTION) + Text(IDC_RESULT) + Text(IDC_CALL), "");
}

TEST_F(Runner, NoInfoItemWithoutItsMenuText)
{
    headless::SetStringResource(IDS_INFO_MENU, "");
    headless::Open(dlg);
    EXPECT_TRUE(headless::SystemMenuItems(dlg).empty());
}

TEST_F(Runner, PathWithoutSeparatorTakesTheExecutablesFolder)
{
    headless::SetProgramPath("vando_batchrunner");
    headless::Open(dlg);
    EXPECT_EQ(g_strDir.Str(), std::filesystem::path(platform::ModuleFileName().Str()).parent_path().string());
}

TEST_F(Runner, ApplicationRunsTheDialogAsItsMainWindowAndEnds)
{
    CRunnerApp app;
    CDialog* pShown = nullptr;
    headless::SetModalHandler([&](CDialog& open) {
        pShown = &open;
        EXPECT_EQ(AfxGetMainWnd(), &open);
        EXPECT_EQ(headless::Timers(open).size(), 1u);
    });
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(headless::ModalDialogs(), std::vector<unsigned>{IDD_RUNNER});
    EXPECT_NE(pShown, nullptr);
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
}

TEST_F(Runner, RunBatchOnlySetsTheFlagAndAnEmptyListEndsTheBatch)
{
    StartBatch("-ft");
    EXPECT_TRUE(g_bRunning);
    EXPECT_TRUE(headless::ProgramRuns().empty());

    Tick();
    EXPECT_FALSE(g_bRunning);
    EXPECT_TRUE(headless::ProgramRuns().empty());
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(ListRows().empty());
    EXPECT_EQ(g_nRun, 0);
}

TEST_F(Runner, TicksDoNothingBeforeRunBatch)
{
    folder.Write("vandobatch.txt", kRequestA);
    headless::Open(dlg);
    Tick();
    headless::Tick(dlg, 2);
    EXPECT_TRUE(headless::ProgramRuns().empty());
    EXPECT_EQ(folder.Read("vandobatch.txt"), kRequestA);
}

TEST_F(Runner, StepWritesTheSettingsRunsTheToolAndShortensTheList)
{
    folder.Write("vando.ini", kIni);
    folder.Write("vandobatch.txt", "A;1;2;3;4;5;-ft");
    exitStatus = 7;
    StartBatch("-cj");
    const int nUpdatesBefore = headless::UpdateCount(dlg);
    Tick();

    ASSERT_EQ(headless::ProgramRuns().size(), 1u);
    EXPECT_EQ(headless::ProgramRuns()[0].strProgram, folder.Path("vando_original.exe"));
    EXPECT_EQ(headless::ProgramRuns()[0].strArguments, "-cj");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].ini, kIniWithA) << "vando.ini is written before the tool runs";
    EXPECT_EQ(seen[0].rows, (Rows{{"0", "2", "3", "1", ""}})) << "the row shows before the tool runs";
    EXPECT_EQ(seen[0].call, folder.Path("vando.exe").Str() + " -cj");
    EXPECT_EQ(seen[0].result, "");

    EXPECT_EQ(ListRows(), (Rows{{"0", "2", "3", "1", "7"}}));
    EXPECT_EQ(Text(IDC_RESULT), "7");
    EXPECT_STREQ(g_szResult, "7");
    EXPECT_EQ(folder.Read("vando.ini"), kIniWithA);
    EXPECT_TRUE(folder.Exists("vandobatch.txt"));
    EXPECT_EQ(folder.Read("vandobatch.txt"), "");
    EXPECT_GE(headless::UpdateCount(dlg) - nUpdatesBefore, 2) << "repainted at once for the row and for its result";
    EXPECT_EQ(g_nRun, 1);
    EXPECT_TRUE(g_bRunning);
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(headless::IsEnded(dlg));

    Tick();
    EXPECT_FALSE(g_bRunning);
    EXPECT_EQ(headless::ProgramRuns().size(), 1u);
}

TEST_F(Runner, RowsAreNumberedAcrossBatches)
{
    folder.Write("vando.ini", kIni);
    folder.Write("vandobatch.txt", kRequestA + "\r\n" + kRequestB);
    StartBatch("-ft");
    Tick();
    EXPECT_EQ(folder.Read("vandobatch.txt"), kRequestB + "\r\n");
    Tick();
    Tick();
    EXPECT_FALSE(g_bRunning);

    folder.Write("vandobatch.txt", kRequestA);
    headless::Click(dlg, IDC_RUN_BATCH);
    Tick();
    EXPECT_EQ(ListRows(), (Rows{{"0", "2", "3", "1", "0"}, {"1", "7", "8", "6", "0"}, {"2", "2", "3", "1", "0"}}));
    EXPECT_EQ(g_nRun, 3);
    EXPECT_EQ(headless::ProgramRuns().size(), 3u);
}

TEST_F(Runner, RestTooShortForARequestIsDropped)
{
    folder.Write("vando.ini", kIni);
    folder.Write("vandobatch.txt", kRequestA + "\r\nxy");
    StartBatch("-ft");
    Tick();
    EXPECT_EQ(folder.Read("vandobatch.txt"), "");
    Tick();
    EXPECT_FALSE(g_bRunning);
    EXPECT_EQ(headless::ProgramRuns().size(), 1u);
}

TEST_F(Runner, EmptyOptionRunsTheToolWithoutArguments)
{
    folder.Write("vando.ini", kIni);
    folder.Write("vandobatch.txt", kRequestA);
    StartBatch("");
    Tick();
    ASSERT_EQ(headless::ProgramRuns().size(), 1u);
    EXPECT_EQ(headless::ProgramRuns()[0].strArguments, "");
    EXPECT_EQ(Text(IDC_CALL), folder.Path("vando.exe").Str() + " ");
}

TEST_F(Runner, MissingSettingsFileStillRunsTheTool)
{
    folder.Write("vandobatch.txt", kRequestA);
    StartBatch("-ft");
    Tick();
    EXPECT_EQ(headless::ProgramRuns().size(), 1u);
    EXPECT_TRUE(folder.Exists("vando.ini"));
    EXPECT_TRUE(Messages().empty());
}

class RunnerStatus : public Runner, public testing::WithParamInterface<std::pair<int, const char*>> {};

TEST_P(RunnerStatus, ShowsTheExitStatusAsDecimal)
{
    folder.Write("vandobatch.txt", kRequestA);
    exitStatus = GetParam().first;
    StartBatch("-ft");
    Tick();
    EXPECT_EQ(Text(IDC_RESULT), GetParam().second);
    EXPECT_EQ(ListRows().at(0).at(4), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Statuses, RunnerStatus, testing::Values(
    std::make_pair(0, "0"), std::make_pair(9009, "9009"), std::make_pair(-1, "-1"),
    std::make_pair(INT_MAX, "2147483647"), std::make_pair(INT_MIN, "-2147483648")));

TEST_F(Runner, RequestRecordedDuringTheRunIsKept)
{
    folder.Write("vando.ini", kIni);
    folder.Write("vandobatch.txt", kRequestA + "\r\n" + kRequestB);
    CString strRecorderError = "not run";
    duringRun = [&] { strRecorderError = RecordRequest(folder.Dir(), "-new"); };
    StartBatch("-ft");
    Tick();
    EXPECT_EQ(strRecorderError, "") << "the list is not locked while the tool runs";
    EXPECT_EQ(folder.Read("vandobatch.txt"), kRequestB + "\r\nA;1;2;3;4;5;-new\r\n");
}

TEST_F(Runner, RequestTakenOffByOthersMeanwhileLeavesTheirListAlone)
{
    folder.Write("vando.ini", kIni);
    folder.Write("vandobatch.txt", kRequestA + "\r\n" + kRequestB);
    duringRun = [&] { folder.Write("vandobatch.txt", kRequestB + "\r\n"); };
    StartBatch("-ft");
    Tick();
    EXPECT_EQ(folder.Read("vandobatch.txt"), kRequestB + "\r\n");
}

TEST_F(Runner, ToolInAFolderWithSpecialCharactersRunsWhole)
{
    const string dir = folder.Path("tool (x86) & co ^1").Str();
    std::filesystem::create_directory(dir);
    const string tool = dir + "/vando_original.exe";
    std::ofstream(tool) << "#!/bin/sh\necho \"$@\" > \"$(dirname \"$0\")/args.txt\"\nexit 5\n";
    std::filesystem::permissions(tool, std::filesystem::perms::owner_all);
    std::ofstream(dir + "/vandobatch.txt") << kRequestA;
    headless::SetProgramPath(CString(dir + "/vando_batchrunner"));
    headless::SetProgramHandler(nullptr);

    StartBatch("-ft -x");
    Tick();
    EXPECT_EQ(Text(IDC_RESULT), "5");
    std::ifstream args(dir + "/args.txt");
    EXPECT_EQ(string(std::istreambuf_iterator<char>(args), {}), "-ft -x\n") << "the option is passed as typed";
    EXPECT_EQ(Text(IDC_CALL), dir + "/vando.exe -ft -x");
}

struct SettingsFailure {
    const char* name;
    // Makes vando.ini unusable in the folder.
    std::function<void(const TempFolder&)> spoil;
};

void PrintTo(const SettingsFailure& failure, std::ostream* os)
{
    *os << failure.name;
}

class RunnerSettingsFailure : public Runner, public testing::WithParamInterface<SettingsFailure> {};

TEST_P(RunnerSettingsFailure, TellsThreeTimesAndEndsWithTheRequestStillFirst)
{
    folder.Write("vando.ini", kIni);
    GetParam().spoil(folder);
    const string list = kRequestA + "\r\n" + kRequestB;
    folder.Write("vandobatch.txt", list);
    StartBatch("-ft");
    Tick();

    const auto messages = Messages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0], kSettingsFailed);
    EXPECT_EQ(messages[2], folder.Path("vando.ini").Str());
    for (const auto& shown : headless::MessageBoxes())
        EXPECT_EQ(shown.strCaption, AfxGetAppTitle());
    EXPECT_TRUE(headless::ProgramRuns().empty());
    EXPECT_EQ(folder.Read("vandobatch.txt"), list);
    EXPECT_EQ(ListRows(), (Rows{{"0", "2", "3", "1", ""}}));
    EXPECT_TRUE(headless::IsEnded(dlg));
    EXPECT_EQ(headless::EndResult(dlg), IDCANCEL);
    EXPECT_EQ(g_nRun, 1);
}

INSTANTIATE_TEST_SUITE_P(Causes, RunnerSettingsFailure, testing::Values(
    SettingsFailure{"Unwritable", [](const TempFolder& folder) {
        // The writer's temporary file beside vando.ini cannot be made.
        std::filesystem::create_directory(folder.Path("vando.ini").Str() + "." + std::to_string(getpid()) + ".tmp");
    }},
    SettingsFailure{"Unreadable", [](const TempFolder& folder) { MakeUnreadable(folder.Path("vando.ini")); }}
), [](const testing::TestParamInfo<SettingsFailure>& info) { return string(info.param.name); });

TEST_F(Runner, UnwritableSettingsShowTheTextThatWasMeantForThem)
{
    folder.Write("vando.ini", kIni);
    std::filesystem::create_directory(folder.Path("vando.ini").Str() + "." + std::to_string(getpid()) + ".tmp");
    folder.Write("vandobatch.txt", kRequestA);
    StartBatch("-ft");
    Tick();
    ASSERT_EQ(Messages().size(), 3u);
    string expected = kIniWithA;
    for (size_t pos; (pos = expected.find("\r\n")) != string::npos;)
        expected.erase(pos, 1);
    EXPECT_EQ(Messages()[1], expected);
    EXPECT_EQ(folder.Read("vando.ini"), kIni);
}

TEST_F(Runner, UnreadableSettingsAreNeverOverwritten)
{
    MakeUnreadable(folder.Path("vando.ini"));
    folder.Write("vandobatch.txt", kRequestA);
    StartBatch("-ft");
    Tick();
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Path("vando.ini").Str()));
}

TEST_F(Runner, TickWhileAStepShowsAMessageStartsNoSecondStep)
{
    folder.Write("vando.ini", kIni);
    std::filesystem::create_directory(folder.Path("vando.ini").Str() + "." + std::to_string(getpid()) + ".tmp");
    folder.Write("vandobatch.txt", kRequestA + "\r\n" + kRequestB);
    int nTicks = 0;
    bool bHandled = true;
    headless::SetMessageBoxHandler([&](const headless::MessageBoxShown&) {
        ASSERT_TRUE(g_bRunning);
        if (nTicks++ == 0)
            bHandled = headless::Tick(dlg, ID_RUN_TIMER);
    });
    StartBatch("-ft");
    Tick();
    EXPECT_EQ(Messages().size(), 3u);
    EXPECT_EQ(ListRows().size(), 1u);
    EXPECT_EQ(g_nRun, 1);
    EXPECT_FALSE(bHandled) << "the tick is left to the default";
}

struct ListFailure {
    const char* name;
    // Runs while the tool runs and spoils the write-back.
    std::function<void(const TempFolder&, CFolderLock&)> spoil;
    bool bRequestStaysFirst;
};

void PrintTo(const ListFailure& failure, std::ostream* os)
{
    *os << failure.name;
}

class RunnerListFailure : public Runner, public testing::WithParamInterface<ListFailure> {};

TEST_P(RunnerListFailure, TellsAndEndsAfterTheRun)
{
    folder.Write("vando.ini", kIni);
    const string list = kRequestA + "\r\n" + kRequestB;
    folder.Write("vandobatch.txt", list);
    CFolderLock otherProgramsLock;
    duringRun = [&] { GetParam().spoil(folder, otherProgramsLock); };
    exitStatus = 3;
    StartBatch("-ft");
    Tick();

    EXPECT_EQ(headless::ProgramRuns().size(), 1u);
    EXPECT_EQ(Messages(), std::vector<string>{kListFailed});
    EXPECT_EQ(ListRows(), (Rows{{"0", "2", "3", "1", "3"}}));
    EXPECT_TRUE(headless::IsEnded(dlg));
    EXPECT_EQ(headless::EndResult(dlg), IDCANCEL);
    EXPECT_EQ(g_nRun, 1);
    if (GetParam().bRequestStaysFirst)
        EXPECT_EQ(folder.Read("vandobatch.txt"), list + "\r\n");
    else
        EXPECT_TRUE(std::filesystem::is_symlink(folder.Path("vandobatch.txt").Str())) << "never written over";
}

INSTANTIATE_TEST_SUITE_P(Causes, RunnerListFailure, testing::Values(
    ListFailure{"Unwritable", [](const TempFolder& folder, CFolderLock&) {
        std::filesystem::create_directory(folder.Path("vandobatch.txt").Str() + "." + std::to_string(getpid()) + ".tmp");
        folder.Write("vandobatch.txt", kRequestA + "\r\n" + kRequestB + "\r\n");
    }, true},
    ListFailure{"LockedByAnotherProgram", [](const TempFolder& folder, CFolderLock& lock) {
        ASSERT_TRUE(lock.Lock(folder.Dir(), 0));
        folder.Write("vandobatch.txt", kRequestA + "\r\n" + kRequestB + "\r\n");
    }, true},
    ListFailure{"UnreadableAfterTheRun", [](const TempFolder& folder, CFolderLock&) {
        MakeUnreadable(folder.Path("vandobatch.txt"));
    }, false}
), [](const testing::TestParamInfo<ListFailure>& info) { return string(info.param.name); });

TEST_F(Runner, ListLockedBeforeTheStepStopsTheBatch)
{
    folder.Write("vandobatch.txt", kRequestA);
    CFolderLock otherProgramsLock;
    ASSERT_TRUE(otherProgramsLock.Lock(folder.Dir(), 0));
    StartBatch("-ft");
    Tick();
    EXPECT_EQ(Messages(), std::vector<string>{"The batch list is locked by another program! Batch stopped"});
    EXPECT_FALSE(g_bRunning);
    EXPECT_TRUE(headless::ProgramRuns().empty());
    EXPECT_TRUE(ListRows().empty());
    EXPECT_EQ(g_nRun, 0);
    EXPECT_FALSE(headless::IsEnded(dlg));
}

TEST_F(Runner, RemoveToolTellsWhatHappened)
{
    folder.Write("vando.exe", "recorder");
    folder.Write("vando_original.exe", "tool");
    headless::Open(dlg);
    headless::Click(dlg, IDC_REMOVE_TOOL);
    headless::Click(dlg, IDC_REMOVE_TOOL);
    EXPECT_EQ(Messages(), (std::vector<string>{"Batch tool removed", "Batch tool not installed! Nothing to remove"}));
    EXPECT_EQ(folder.Read("vando.exe"), "tool");
    EXPECT_FALSE(folder.Exists("vando_original.exe"));
    EXPECT_FALSE(headless::IsEnded(dlg));
}

TEST_F(Runner, SystemMenuOpensTheInfoBox)
{
    headless::Open(dlg);
    EXPECT_TRUE(headless::SysCommand(dlg, 0x10));
    EXPECT_TRUE(headless::SysCommand(dlg, 0x13)) << "the low four bits belong to the system";
    EXPECT_FALSE(headless::SysCommand(dlg, 0xF020)) << "minimise is left to the default";
    EXPECT_EQ(headless::ModalDialogs(), (std::vector<unsigned>{IDD_INFO, IDD_INFO}));
}

TEST_F(Runner, MinimisedDialogShowsItsIconCentred)
{
    headless::Open(dlg);
    EXPECT_FALSE(headless::Paint(dlg));
    EXPECT_TRUE(headless::IconsDrawn(dlg).empty());

    headless::SetIconic(dlg, true);
    headless::SetClientSize(dlg, 100, 61);
    EXPECT_TRUE(headless::Paint(dlg));
    EXPECT_EQ(headless::IconBackgroundErases(dlg), 1);
    const auto drawn = headless::IconsDrawn(dlg);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].x, 34);
    EXPECT_EQ(drawn[0].y, 15);
    EXPECT_EQ(drawn[0].hIcon, AfxLoadIcon(IDI_RUNNER));
    EXPECT_EQ(headless::QueryDragIcon(dlg), AfxLoadIcon(IDI_RUNNER));
}

TEST_F(Runner, ExitEndsTheDialog)
{
    headless::Open(dlg);
    headless::Click(dlg, IDCANCEL);
    EXPECT_TRUE(headless::IsEnded(dlg));
    EXPECT_EQ(headless::EndResult(dlg), IDCANCEL);
}

} // namespace
