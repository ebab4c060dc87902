#pragma once

#include "ByteString.h"

class CDialog;

// The application object. A program defines exactly one global instance; the
// framework finds it through AfxGetApp.
class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // A dialog program's start-up, run by the framework's WinMain; it does the
    // program's whole work. The framework runs no message loop of its own, so
    // the program ends when it returns, and false says exactly that.
    virtual bool InitInstance() { return false; }

    // Gives dialog controls the platform's current look and makes the common
    // controls (the list view) available to dialog templates.
    void Enable3dControls();

    // The window the program shows as its own; owner of ownerless dialogs.
    CDialog* m_pMainWnd = nullptr;

private:
    CWinApp* m_pPreviousApp;
};

CWinApp* AfxGetApp();
CDialog* AfxGetMainWnd();

// The program's title: its executable's name without extension.
CString AfxGetAppTitle();
// The program's own path as the first element of its argument vector holds
// it; empty when there is none.
CString AfxGetProgramPath();

// Initialises the framework for a console program (the module and its command
// line). False when it cannot run.
bool AfxWinInit();
