#include "RunnerApp.h"

// The framework's WinMain starts the program through this object.
CRunnerApp theApp;
