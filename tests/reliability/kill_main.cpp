// reliability_kill: round after round, a runner works the batch list while
// recorders add to it, and one of them (or the tool, or all) is killed at a
// moment drawn from a seeded generator, often right in the middle of writing
// the list or vando.ini. After each round: both files hold a whole old or
// new content, every recorded request is queued or was run, and only the
// request in flight at a kill of the runner is run again. At the end a last
// runner works the list off.
//
// reliability_kill [--rounds N] [--seed S] [--folder BASE] [--ini-kb K]
#include "Options.h"
#include "Processes.h"
#include "QueueLedger.h"
#include "ToolFolder.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <random>
#include <set>
#include <sys/stat.h>
#include <thread>

using namespace reliability;

namespace {

constexpr int kPadding = 1000;
constexpr int kStandinSleepMs = 2;
constexpr unsigned kRunnerTimeoutMs = 30000;
constexpr int kMaxRecorders = 3;
// Recorders start within this time from the round's start; a kill at a
// random moment falls within it and a little after.
constexpr long kSpreadUs = 20000;

enum class Victim { none, runner, runnerWritingSettings, runnerWritingList, tool, recorder, recorderWritingList, all };
const Victim kVictims[] = {Victim::none,      Victim::runner,   Victim::runnerWritingSettings,
                           Victim::runnerWritingList, Victim::tool, Victim::recorder,
                           Victim::recorderWritingList, Victim::all};

struct Tally {
    int nRounds = 0;
    int nRunnerKills = 0;
    int nToolKills = 0;
    int nRecorderKills = 0;
    int nSettingsMidWrite = 0;
    int nListMidWrite = 0;
};

bool Exists(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

long ElapsedUs(std::chrono::steady_clock::time_point since)
{
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - since).count());
}

class KillRound {
public:
    KillRound(ToolFolder& folder, QueueLedger& ledger, Tally& tally, std::mt19937_64& random, int nRound)
        : m_folder(folder), m_ledger(ledger), m_tally(tally), m_random(random), m_nRound(nRound)
    {
    }

    std::string Run();

private:
    pid_t StartRunner();
    bool KillNow(Victim victim, pid_t runner, const std::vector<pid_t>& recorders, size_t nTarget);
    std::string SweepTemporaryFiles();

    ToolFolder& m_folder;
    QueueLedger& m_ledger;
    Tally& m_tally;
    std::mt19937_64& m_random;
    const int m_nRound;
    std::set<pid_t> m_killed;
};

pid_t KillRound::StartRunner()
{
    return Start({RUNNER_PATH, m_folder.Dir(), "-ft", m_folder.Path("launches.txt")}, true);
}

// A kill aimed at a write waits until the victim's temporary file is there:
// then the victim is between creating it and replacing its target.
bool KillRound::KillNow(Victim victim, pid_t runner, const std::vector<pid_t>& recorders, size_t nTarget)
{
    const auto writing = [this](pid_t pid, const char* pszTarget) {
        return Exists(m_folder.Path(std::string(pszTarget) + "." + std::to_string(pid) + ".tmp"));
    };
    switch (victim) {
    case Victim::runnerWritingSettings:
        return writing(runner, "vando.ini");
    case Victim::runnerWritingList:
        return writing(runner, "vandobatch.txt");
    case Victim::recorderWritingList:
        return nTarget < recorders.size() && writing(recorders[nTarget], "vandobatch.txt");
    case Victim::tool:
        return runner > 0 && !ChildrenOf(runner).empty();
    default:
        return false;
    }
}

std::string KillRound::SweepTemporaryFiles()
{
    for (const std::string& name : m_folder.TemporaryFiles()) {
        const size_t dot = name.rfind('.', name.size() - 5);
        const pid_t writer = static_cast<pid_t>(std::atol(name.c_str() + dot + 1));
        if (!m_killed.count(writer))
            return "a temporary file was left by a program that was not killed: " + name;
        (name.rfind("vando.ini.", 0) == 0 ? m_tally.nSettingsMidWrite : m_tally.nListMidWrite) += 1;
        m_folder.Remove(name);
    }
    return std::string();
}

std::string KillRound::Run()
{
    const int nVersion = m_nRound + 1;
    m_folder.WriteSettings(ValuesOfVersion(nVersion, kPadding), kStandinSleepMs, 0);
    const Victim victim = kVictims[m_random() % (sizeof kVictims / sizeof kVictims[0])];
    const bool bRunner = victim != Victim::recorder && victim != Victim::recorderWritingList ? true : m_random() % 2;
    const int nRecorders = 1 + static_cast<int>(m_random() % kMaxRecorders);
    std::vector<long> startAtUs;
    for (int i = 0; i < nRecorders; ++i)
        startAtUs.push_back(static_cast<long>(m_random() % kSpreadUs));
    std::sort(startAtUs.begin(), startAtUs.end());
    const size_t nTarget = m_random() % static_cast<size_t>(nRecorders);
    // The runner comes among the recorders or after them: one that finds the
    // list empty ends at once.
    const long runnerAtUs = static_cast<long>(m_random() % (kSpreadUs * 3 / 2));
    const long killAtUs = static_cast<long>(m_random() % (kSpreadUs * 3));
    const bool bAimed = victim == Victim::runnerWritingSettings || victim == Victim::runnerWritingList ||
                        victim == Victim::recorderWritingList || victim == Victim::tool;

    const auto began = std::chrono::steady_clock::now();
    pid_t runner = -1;
    std::vector<pid_t> recorders;
    std::vector<std::string> arguments;
    bool bKillPending = victim != Victim::none;
    while (recorders.size() < startAtUs.size() || (bRunner && runner < 0) || bKillPending) {
        const long now = ElapsedUs(began);
        if (bRunner && runner < 0 && now >= runnerAtUs)
            runner = StartRunner();
        while (recorders.size() < startAtUs.size() && startAtUs[recorders.size()] <= now) {
            arguments.push_back("-k" + std::to_string(m_nRound) + "." + std::to_string(recorders.size()));
            m_ledger.Started(arguments.back(), nVersion);
            recorders.push_back(Start({m_folder.Path("vando.exe"), arguments.back()}));
        }
        if (bKillPending && (bAimed ? KillNow(victim, runner, recorders, nTarget) : now >= killAtUs)) {
            bKillPending = false;
            if (victim == Victim::tool) {
                for (const pid_t tool : ChildrenOf(runner)) {
                    ::kill(tool, SIGKILL);
                    ++m_tally.nToolKills;
                }
            }
            if ((victim == Victim::recorder || victim == Victim::recorderWritingList || victim == Victim::all) &&
                nTarget < recorders.size() && IsRunning(recorders[nTarget])) {
                ::kill(recorders[nTarget], SIGKILL);
                m_killed.insert(recorders[nTarget]);
                ++m_tally.nRecorderKills;
            }
            if (victim != Victim::tool && victim != Victim::recorder && victim != Victim::recorderWritingList &&
                runner > 0 && IsRunning(runner)) {
                ::kill(-runner, SIGKILL);
                m_killed.insert(runner);
                ++m_tally.nRunnerKills;
                Wait(runner);
                m_ledger.RunnerKilled(m_folder);
            }
        }
        // An aimed kill whose moment never came: its victim is done.
        if (bKillPending && bAimed && recorders.size() == startAtUs.size() && (!bRunner || runner > 0) &&
            now > kSpreadUs * 2 &&
            (victim == Victim::recorderWritingList ? !IsRunning(recorders[nTarget]) : !IsRunning(runner)))
            bKillPending = false;
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    }

    for (size_t i = 0; i < recorders.size(); ++i) {
        const int nStatus = Wait(recorders[i]);
        if (nStatus == 3)
            m_ledger.Recorded(arguments[i]);
        else if (!m_killed.count(recorders[i]))
            return "a recorder that was not killed exited with status " + std::to_string(nStatus);
    }
    int nRunnerStatus = 0;
    if (runner > 0 && !m_killed.count(runner)) {
        if (!WaitFor(runner, kRunnerTimeoutMs, nRunnerStatus))
            return "the runner did not finish the batch";
        if (nRunnerStatus != 0)
            return "the runner ended with status " + std::to_string(nRunnerStatus);
    }
    ++m_tally.nRounds;

    std::string error = SweepTemporaryFiles();
    if (!error.empty())
        return error;
    int nFound = -1;
    if (!m_folder.IsWholeSettings(m_folder.Read("vando.ini"), kPadding, nVersion, nFound))
        return "vando.ini is not whole";
    return m_ledger.Check(m_folder);
}

} // namespace

int main(int argc, char* argv[])
{
    const Options options(argc, argv);
    const long nRounds = options.Number("--rounds", 1000);
    const unsigned long nSeed = static_cast<unsigned long>(options.Number("--seed", 1));
    std::mt19937_64 random(nSeed);
    const auto began = std::chrono::steady_clock::now();

    ToolFolder folder(options.Text("--folder", ""));
    folder.Install(BATCHRECORDER_PATH, STANDIN_PATH);
    folder.WriteSettings(ValuesOfVersion(0, kPadding), kStandinSleepMs,
                         static_cast<int>(options.Number("--ini-kb", 256)));
    QueueLedger ledger(kPadding);
    Tally tally;

    std::string error;
    long nRound = 0;
    for (; nRound < nRounds && error.empty(); ++nRound)
        error = KillRound(folder, ledger, tally, random, static_cast<int>(nRound)).Run();
    if (error.empty()) {
        const pid_t runner = Start({RUNNER_PATH, folder.Dir(), "-ft", folder.Path("launches.txt")});
        int nStatus = -1;
        if (!WaitFor(runner, kRunnerTimeoutMs, nStatus) || nStatus != 0)
            error = "the last runner did not work the list off";
        else
            error = ledger.Check(folder, true);
    }
    if (!error.empty()) {
        folder.Keep();
        std::fprintf(stderr, "kill: FAILED in round %ld of seed %lu: %s\nkill: the folder is kept: %s\n", nRound - 1,
                     nSeed, error.c_str(), folder.Dir().c_str());
        return 1;
    }

    const QueueLedger::Figures figures = ledger.Count();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::printf("kill: seed %lu: %d rounds, %d recorder starts (%d recorded), %d runner kills, %d tool kills, "
                "%d recorder kills; %d kills in mid-write of vando.ini, %d of the list; %d runs, %d run again "
                "after a kill in flight, 0 lost; %.1f s\n",
                nSeed, tally.nRounds, figures.nStarted, figures.nRecorded, tally.nRunnerKills, tally.nToolKills,
                tally.nRecorderKills, tally.nSettingsMidWrite, tally.nListMidWrite, figures.nLaunches,
                figures.nRunAgain, seconds);
    return 0;
}
