#include "../WinApp.h"

#include <windows.h>

bool AfxWinInit()
{
    return AfxGetApp() != nullptr && ::GetModuleHandleA(nullptr) != nullptr && ::GetCommandLineA() != nullptr;
}
