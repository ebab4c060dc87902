#pragma once

#include "ToolFolder.h"

#include <map>
#include <string>
#include <vector>

// What the drivers know about every request and what the files must show for
// it: a request whose recording finished is queued once or was run; one is
// run again only where the runner was killed while it was in flight.
namespace reliability {

class QueueLedger {
public:
    explicit QueueLedger(int nPadding) : m_nPadding(nPadding) {}

    // A recorder was started for the request; its argument names it.
    void Started(const std::string& argument, int nVersion);
    // Its recorder exited as it should (status 3), so the request must be kept.
    void Recorded(const std::string& argument);
    // The runner was just killed: the request it ran last may be run again
    // if its run was not yet taken off the list.
    void RunnerKilled(const ToolFolder& folder);

    // Compares the folder with everything known; the empty string when it
    // holds, else what is wrong. With bDrained the list must be empty.
    std::string Check(const ToolFolder& folder, bool bDrained = false);

    struct Figures {
        int nStarted = 0;
        int nRecorded = 0;
        int nLaunches = 0;
        int nRunAgain = 0;
        int nQueued = 0;
    };
    Figures Count() const;

private:
    struct Request {
        int nVersion = 0;
        bool bRecorded = false;
        int nMayRunAgain = 0;
        int nLaunches = 0;
        int nQueued = 0;
    };
    std::string CheckList(const std::string& list);

    const int m_nPadding;
    std::map<std::string, Request> m_requests;
    size_t m_nLaunchesSeen = 0;
};

} // namespace reliability
