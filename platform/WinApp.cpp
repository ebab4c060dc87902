#include "WinApp.h"

#include "FileSystem.h"
#include "Process.h"

namespace {
CWinApp* g_pApp = nullptr;
}

// A second application object (a test's) stands in for the first one for as
// long as it lives.
CWinApp::CWinApp() : m_pPreviousApp(g_pApp)
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = m_pPreviousApp;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

CDialog* AfxGetMainWnd()
{
    return g_pApp ? g_pApp->m_pMainWnd : nullptr;
}

CString AfxGetAppTitle()
{
    const std::string path = platform::ModuleFileName().Str();
    const size_t sep = path.rfind(platform::kPathSeparator);
    const std::string name = sep == std::string::npos ? path : path.substr(sep + 1);
    const size_t dot = name.rfind('.');
    return CString(dot == std::string::npos || dot == 0 ? name : name.substr(0, dot));
}
