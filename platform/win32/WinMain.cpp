#include "../WinApp.h"

#include "Windows.h"

// The framework's start of a dialog program: the program's application
// object does the whole work in its start-up.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return 1;
    pApp->InitInstance();
    return 0;
}
