#include "Recorder.h"

#include "platform/WinApp.h"

CWinApp theApp;

int main(int argc, char* argv[])
{
    return RecorderMain(argc, argv);
}
