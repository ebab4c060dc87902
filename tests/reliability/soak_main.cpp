// reliability_soak: the runner works a batch while many recorder starts
// arrive, several at a time, each with an argument of its own. Afterwards
// every request was run exactly once or is still queued exactly once, and
// the list holds nothing else.
//
// reliability_soak [--requests N] [--parallel P] [--seed S] [--folder BASE]
#include "Options.h"
#include "Processes.h"
#include "QueueLedger.h"
#include "ToolFolder.h"

#include <chrono>
#include <cstdio>
#include <random>
#include <thread>

using namespace reliability;

namespace {

constexpr int kPadding = 40;
constexpr int kStandinSleepMs = 3;
constexpr int kFillerKb = 16;
constexpr unsigned kRunnerStopTimeoutMs = 60000;

int Fail(ToolFolder& folder, const std::string& why)
{
    folder.Keep();
    std::fprintf(stderr, "soak: FAILED: %s\nsoak: the folder is kept: %s\n", why.c_str(), folder.Dir().c_str());
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    const Options options(argc, argv);
    const long nRequests = options.Number("--requests", 2000);
    const long nParallel = options.Number("--parallel", 8);
    const unsigned long nSeed = static_cast<unsigned long>(options.Number("--seed", 1));
    std::mt19937_64 random(nSeed);
    const auto began = std::chrono::steady_clock::now();

    ToolFolder folder(options.Text("--folder", ""));
    folder.Install(BATCHRECORDER_PATH, STANDIN_PATH);
    folder.WriteSettings(ValuesOfVersion(0, kPadding), kStandinSleepMs, kFillerKb);
    QueueLedger ledger(kPadding);

    const pid_t runner = Start({RUNNER_PATH, folder.Dir(), "-ft", folder.Path("launches.txt"), folder.Path("stop")});
    std::vector<std::pair<pid_t, std::string>> recording;
    long nStarted = 0;
    int nRecorderFailures = 0;
    while (nStarted < nRequests || !recording.empty()) {
        while (nStarted < nRequests && static_cast<long>(recording.size()) < nParallel) {
            const std::string argument = "-s" + std::to_string(nStarted++);
            ledger.Started(argument, 0);
            recording.emplace_back(Start({folder.Path("vando.exe"), argument}), argument);
            std::this_thread::sleep_for(std::chrono::microseconds(random() % 500));
        }
        if (Wait(recording.front().first) == 3)
            ledger.Recorded(recording.front().second);
        else
            ++nRecorderFailures;
        recording.erase(recording.begin());
    }
    folder.Write("stop", "");
    int nRunnerStatus = -1;
    if (!WaitFor(runner, kRunnerStopTimeoutMs, nRunnerStatus))
        return Fail(folder, "the runner did not stop");
    if (nRunnerStatus != 0)
        return Fail(folder, "the runner ended with status " + std::to_string(nRunnerStatus));
    if (nRecorderFailures)
        return Fail(folder, std::to_string(nRecorderFailures) + " recorder(s) did not exit with status 3");

    const std::string error = ledger.Check(folder);
    if (!error.empty())
        return Fail(folder, error);
    const QueueLedger::Figures figures = ledger.Count();
    if (static_cast<int>(folder.ReadLines("standin_runs.txt").size()) != figures.nLaunches)
        return Fail(folder, "the tool did not record every run the runner started");
    if (!folder.TemporaryFiles().empty())
        return Fail(folder, "a writer left a temporary file: " + folder.TemporaryFiles().front());

    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::printf("soak: seed %lu: %d recorder starts, %ld at a time, all recorded; %d run once, %d still queued once, "
                "0 lost, 0 run twice; %.1f s\n",
                nSeed, figures.nStarted, nParallel, figures.nLaunches, figures.nQueued, seconds);
    return 0;
}
