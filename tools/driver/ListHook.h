#pragma once

/* What the driver and its hook library agree on. The driver sends the
 * message below to the runner's list view, with its receiving window as
 * wParam; the hook answers with WM_COPYDATA to that window: dwData is the
 * number of rows, the data each row's five cell texts, each ended by a zero
 * wide character. */
#define LIST_HOOK_MESSAGE L"rundriver.read_rows"
#define LIST_HOOK_PROC "ListHookProc"
#define LIST_HOOK_LIBRARY L"rundriver_hook.dll"
#define LIST_HOOK_COLUMNS 5
