#include "QueueLedger.h"

#include <algorithm>

namespace reliability {

namespace {

const char* const kListFile = "vandobatch.txt";
const char* const kLaunchLog = "launches.txt";
const char* const kStandinLog = "standin_runs.txt";

std::string Shown(const std::string& text)
{
    std::string shown;
    for (const char ch : text.substr(0, 80)) {
        if (ch == '\r')
            shown += "[CR]";
        else if (ch == '\n')
            shown += "[LF]";
        else
            shown += ch;
    }
    return "\"" + shown + (text.size() > 80 ? "...\"" : "\"");
}

std::string ArgumentOf(const std::string& line)
{
    size_t start = 0;
    for (int i = 0; i < 6; ++i) {
        start = line.find(';', start);
        if (start == std::string::npos)
            return std::string();
        ++start;
    }
    return line.substr(start);
}

} // namespace

void QueueLedger::Started(const std::string& argument, int nVersion)
{
    m_requests[argument].nVersion = nVersion;
}

void QueueLedger::Recorded(const std::string& argument)
{
    m_requests[argument].bRecorded = true;
}

void QueueLedger::RunnerKilled(const ToolFolder& folder)
{
    const std::vector<std::string> launches = folder.ReadLines(kLaunchLog);
    if (launches.empty())
        return;
    const std::string& last = launches.back();
    const std::string list = folder.Read(kListFile);
    for (size_t start = 0; start < list.size();) {
        const size_t end = std::min(list.find("\r\n", start), list.size());
        if (ArgumentOf(list.substr(start, end - start)) == last) {
            ++m_requests[last].nMayRunAgain;
            return;
        }
        start = end + 2;
    }
}

// The list must be whole lines of requests that were started, each once,
// each ended by CR LF but the last, which may also stand without one.
std::string QueueLedger::CheckList(const std::string& list)
{
    for (auto& entry : m_requests)
        entry.second.nQueued = 0;
    for (size_t start = 0; start < list.size();) {
        size_t end = list.find("\r\n", start);
        const bool bLast = end == std::string::npos;
        if (bLast)
            end = list.size();
        const std::string line = list.substr(start, end - start);
        if (line.empty() || line.find_first_of("\r\n") != std::string::npos)
            return "the list has a broken line at byte " + std::to_string(start) + ": " + Shown(line);
        const auto it = m_requests.find(ArgumentOf(line));
        const int nVersion = VersionOfLine(line, m_nPadding);
        if (it == m_requests.end() || nVersion < 0 || nVersion > it->second.nVersion)
            return "the list holds a line that no recorder wrote: " + Shown(line);
        if (++it->second.nQueued > 1)
            return "a request is queued twice: " + Shown(line);
        start = bLast ? end : end + 2;
    }
    return std::string();
}

std::string QueueLedger::Check(const ToolFolder& folder, bool bDrained)
{
    std::string error = CheckList(folder.Read(kListFile));
    if (!error.empty())
        return error;

    const std::vector<std::string> launches = folder.ReadLines(kLaunchLog);
    for (; m_nLaunchesSeen < launches.size(); ++m_nLaunchesSeen) {
        const auto it = m_requests.find(launches[m_nLaunchesSeen]);
        if (it == m_requests.end())
            return "the runner ran a request that nobody recorded: " + Shown(launches[m_nLaunchesSeen]);
        ++it->second.nLaunches;
    }

    std::map<std::string, int> standinRuns;
    for (const std::string& record : folder.ReadLines(kStandinLog)) {
        const size_t tab = record.find('\t');
        const std::string argument = record.substr(0, tab);
        if (tab == std::string::npos || record.compare(tab, 4, "\tok\t") != 0)
            return "the tool found vando.ini not holding the request it was run for: " + Shown(record);
        const auto it = m_requests.find(argument);
        if (it == m_requests.end() || ++standinRuns[argument] > it->second.nLaunches)
            return "the tool ran a request more often than the runner started it: " + Shown(record);
    }

    for (const auto& [argument, request] : m_requests) {
        if (request.bRecorded && request.nQueued == 0 && request.nLaunches == 0)
            return "a recorded request was lost: " + Shown(argument);
        // Each run that was not taken off the list was one killed in flight.
        const int nAllowed = request.nMayRunAgain + (request.nQueued == 0 ? 1 : 0);
        if (request.nLaunches > nAllowed)
            return "a request was run " + std::to_string(request.nLaunches) + " times, " +
                   std::to_string(request.nMayRunAgain) + " of them killed in flight, and is " +
                   (request.nQueued ? "still queued: " : "no longer queued: ") + Shown(argument);
        if (bDrained && request.nQueued)
            return "the list was not worked off: " + Shown(argument);
    }
    return std::string();
}

QueueLedger::Figures QueueLedger::Count() const
{
    Figures figures;
    for (const auto& [argument, request] : m_requests) {
        ++figures.nStarted;
        figures.nRecorded += request.bRecorded ? 1 : 0;
        figures.nLaunches += request.nLaunches;
        figures.nRunAgain += request.nLaunches > 1 ? request.nLaunches - 1 : 0;
        figures.nQueued += request.nQueued;
    }
    return figures;
}

} // namespace reliability
