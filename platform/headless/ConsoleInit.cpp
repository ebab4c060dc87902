#include "../WinApp.h"

#include "Headless.h"

bool AfxWinInit()
{
    return AfxGetApp() != nullptr && !headless::FrameworkInitFails();
}
