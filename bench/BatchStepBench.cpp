#include "BenchFolder.h"
#include "common/ProgramFolder.h"
#include "platform/Process.h"
#include "platform/headless/Headless.h"
#include "runner/Resource.h"
#include "runner/RunnerDlg.h"
#include "runner/RunnerGlobals.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

const std::string kSettings =
    "[vando]\r\nscenery_name=Rhein_Main\r\nzoom_level=17\r\nplane_long=8.5706\r\nplane_lat=50.0333\r\n"
    "hi_res_textures_threshold_radius_m=3000\r\nlow_res_textures_threshold_radius_m=9000\r\n"
    "cache_folder=C:\\vando\\cache\r\nmax_threads=4\r\n";

std::string QueuedList(int nCount)
{
    std::string list;
    for (int i = 0; i < nCount; ++i)
        list += (i ? "\r\n" : "") + ("Scenery_" + std::to_string(i) + ";17;8.5706;50.0333;3000;9000;-ft");
    return list;
}

// Put on the disk at once: the step's own writes flush the journal, and must
// not be charged for data the benchmark left pending.
void WriteBytes(const CString& strPath, const std::string& bytes)
{
    FILE* file = std::fopen(strPath.GetString(), "wb");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fflush(file) != 0 ||
        fsync(fileno(file)) != 0 || std::fclose(file) != 0)
        std::abort();
}

long PageFaults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt + usage.ru_majflt;
}

double Seconds(Clock::duration duration)
{
    return std::chrono::duration<double>(duration).count();
}

// One batch step on the in-memory backend, with a real program that exits at
// once in the tool's place, against starting that same command alone. Each
// iteration lays the list anew and times both, one right after the other, so
// that the step's own cost (step minus command) is measured under one load.
void BM_BatchStep(benchmark::State& state)
{
    const auto nQueued = static_cast<int>(state.range(0));
    const CString strFolder = BenchFolder().Folder("step" + std::to_string(nQueued));
    const CString strTool = PathInFolder(strFolder, "vando_original.exe");
    std::filesystem::copy_file(STANDIN_PATH, strTool.Str(), std::filesystem::copy_options::overwrite_existing);
    const std::string list = QueuedList(nQueued);

    headless::Reset();
    headless::SetProgramPath(PathInFolder(strFolder, "vando_batchrunner"));
    g_nRun = 0;
    g_bRunning = false;
    CRunnerDlg dlg;
    headless::Open(dlg);
    headless::Type(dlg, IDC_OPTION, "-ft");
    headless::Click(dlg, IDC_RUN_BATCH);

    double commandSeconds = 0;
    double stepSeconds = 0;
    long nFaults = 0;
    for (auto _ : state) {
        WriteBytes(PathInFolder(strFolder, "vando.ini"), kSettings);
        WriteBytes(PathInFolder(strFolder, "vandobatch.txt"), list);
        const Clock::time_point start = Clock::now();
        benchmark::DoNotOptimize(platform::RunProgram(strTool, "-ft"));
        const long nFaultsBefore = PageFaults();
        const Clock::time_point middle = Clock::now();
        headless::Tick(dlg, ID_RUN_TIMER);
        const Clock::time_point end = Clock::now();
        nFaults += PageFaults() - nFaultsBefore;
        commandSeconds += Seconds(middle - start);
        stepSeconds += Seconds(end - middle);
        state.SetIterationTime(Seconds(end - middle));
        headless::ProgramRuns().clear();
    }
    if (!g_bRunning || headless::MessageBoxes().size() != 0)
        state.SkipWithError("the step did not run the request");
    const auto nRuns = static_cast<double>(state.iterations());
    state.counters["command_ms"] = commandSeconds * 1000 / nRuns;
    state.counters["overhead_ms"] = (stepSeconds - commandSeconds) * 1000 / nRuns;
    state.counters["page_faults"] = static_cast<double>(nFaults) / nRuns;
    headless::Reset();
}

BENCHMARK(BM_BatchStep)->ArgName("queued")->Arg(10)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
