#pragma once

#include "platform/WinApp.h"

class CRunnerApp : public CWinApp {
public:
    // Runs the runner's dialog; the program ends with it.
    bool InitInstance() override;
};
