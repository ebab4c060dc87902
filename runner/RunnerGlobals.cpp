#include "RunnerGlobals.h"

CString g_strBatchFile;
CString g_strLine;
char g_szResult[12];
int g_nRun = 0;
bool g_bRunning = false;
