#pragma once

#include "common/Globals.h"
#include "platform/ByteString.h"

// The runner's own state beside the shared globals; it lives as long as the
// program.
extern CString g_strBatchFile;
// The batch line being taken apart.
extern CString g_strLine;
// The last exit status as decimal text: room for "-2147483648".
extern char g_szResult[12];
// Number of the next run; counts across batches and is never reset.
extern int g_nRun;
// True from "Run Batch" until a step finds the batch list empty.
extern bool g_bRunning;
