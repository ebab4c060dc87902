#pragma once

// The application object. A program defines exactly one global instance; the
// framework finds it through AfxGetApp.
class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // A dialog program's start-up; its result tells whether to go on running
    // a message loop afterwards.
    virtual bool InitInstance() { return false; }
};

CWinApp* AfxGetApp();

// Initialises the framework for a console program (the module and its command
// line). False when it cannot run.
bool AfxWinInit();
