// The runner's resource ids, shared by the resource script and the code.
#pragma once

#define IDD_INFO 100
#define IDS_INFO_MENU 101
#define IDD_RUNNER 102
#define IDI_RUNNER 128

#define IDC_RUN_BATCH 1000
#define IDC_OPTION 1001
#define IDC_RESULT 1002
#define IDC_CALL 1003
#define IDC_REMOVE_TOOL 1004
#define IDC_RUN_LIST 1006

// A system-menu command: the system keeps the low four bits for itself.
#define ID_SYS_INFO 0x0010

#define ID_RUN_TIMER 1
