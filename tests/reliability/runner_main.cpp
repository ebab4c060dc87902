// reliability_runner: the runner's dialog on the in-memory backend, as a
// process that works a tool folder's batch list off and can be killed at any
// moment, for the soak and kill tests.
//
// reliability_runner <folder> <option> <launch-log> [<stop-file>]
//
// Works the batch as the dialog does after "Run Batch", one step per tick,
// until a tick finds the list empty. With a stop file it clicks "Run Batch"
// again whenever the batch ends, and ends between two steps once that file
// exists, as a user clicking "Exit" would. Every start of the
// tool is first noted in the launch log, as the request's last field (the
// recorder's argument), so that a killed tool still counts as run.
// Exit status 0 when the batch ended, 2 when the dialog closed itself (the
// message boxes it showed go to standard error).
#include "platform/FileSystem.h"
#include "platform/WinApp.h"
#include "platform/headless/Headless.h"
#include "runner/RunnerDlg.h"
#include "runner/RunnerGlobals.h"

#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

CWinApp theApp;

// The recorder's argument is what follows field 6; the step leaves exactly
// "field 6;argument" in g_strLine.
std::string RequestArgument()
{
    const std::string& line = g_strLine.Str();
    const size_t sep = line.find(';');
    return sep == std::string::npos ? std::string() : line.substr(sep + 1);
}

void NoteLaunch(const char* pszLog)
{
    const std::string entry = RequestArgument() + "\n";
    const int fd = ::open(pszLog, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0 || ::write(fd, entry.data(), entry.size()) != static_cast<ssize_t>(entry.size())) {
        std::perror(pszLog);
        std::_Exit(3);
    }
    ::close(fd);
}

// The tool without a shell in between, so that it is this process's child
// and a kill of the process group takes it along.
int RunTool(const headless::ProgramRun& run)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        const std::string program = run.strProgram.Str();
        const std::string option = run.strArguments.Str();
        if (option.empty())
            ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        else
            ::execl(program.c_str(), program.c_str(), option.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    while (pid > 0 && ::waitpid(pid, &status, 0) < 0) {
    }
    return pid > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 4 && argc != 5) {
        std::fputs("usage: reliability_runner <folder> <option> <launch-log> [<stop-file>]\n", stderr);
        return 64;
    }
    const char* const pszLog = argv[3];
    const char* const pszStop = argc == 5 ? argv[4] : nullptr;
    headless::SetProgramPath(CString(argv[1]) + "/vando_batchrunner");
    headless::SetProgramHandler([pszLog](const headless::ProgramRun& run) {
        NoteLaunch(pszLog);
        return RunTool(run);
    });

    CRunnerDlg dlg;
    headless::Open(dlg);
    headless::Type(dlg, IDC_OPTION, argv[2]);
    const auto stopped = [pszStop] { return pszStop && platform::PathExists(pszStop); };
    for (;;) {
        headless::Click(dlg, IDC_RUN_BATCH);
        while (g_bRunning && !headless::IsEnded(dlg) && !stopped())
            headless::Tick(dlg, ID_RUN_TIMER);
        if (headless::IsEnded(dlg) || !pszStop || stopped())
            break;
        ::usleep(2000);
    }
    for (const auto& shown : headless::MessageBoxes())
        std::fprintf(stderr, "reliability_runner: message box: %s\n", shown.strText.GetString());
    return headless::IsEnded(dlg) ? 2 : 0;
}
