#include "../Resources.h"
#include "../WinApp.h"

#include "Windows.h"

#include <cstdlib>

void CWinApp::Enable3dControls()
{
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_LISTVIEW_CLASSES;
    ::InitCommonControlsEx(&controls);
}

CString AfxGetProgramPath()
{
    return __argc > 0 && __argv && __argv[0] ? CString(__argv[0]) : CString();
}

CString AfxLoadString(unsigned nID)
{
    char text[4096];
    const int nLength = ::LoadStringA(::GetModuleHandleA(nullptr), nID, text, sizeof text);
    return CString(text, nLength);
}

HICON AfxLoadIcon(unsigned nID)
{
    return ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nID));
}
