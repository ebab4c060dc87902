#pragma once

// The platform's API, for the Win32 backend only. Its headers turn some names
// of our layer into macros of their A/W functions; those are undone here so
// that they name our members.
#include <windows.h>
#include <commctrl.h>

#undef AppendMenu
#undef GetDlgItemText
#undef SetDlgItemText
