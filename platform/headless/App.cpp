#include "../Resources.h"
#include "../WinApp.h"

#include "Window.h"

#include <map>

void CWinApp::Enable3dControls()
{
}

CString AfxGetProgramPath()
{
    return headless::ProgramPath();
}

CString AfxLoadString(unsigned nID)
{
    return headless::StringResource(nID);
}

HICON AfxLoadIcon(unsigned nID)
{
    static std::map<unsigned, HICON__> icons;
    HICON__& icon = icons[nID];
    icon.nID = nID;
    return &icon;
}

namespace headless {

unsigned IconResourceId(HICON hIcon)
{
    return hIcon ? hIcon->nID : 0;
}

} // namespace headless
