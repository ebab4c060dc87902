#pragma once

#include "../Rect.h"
#include "Headless.h"

#include <map>
#include <memory>

// The in-memory backend's windows: a dialog and its controls are all one
// kind of object, holding whatever a test may look at.
struct HMENU__ {
    std::vector<headless::MenuItem> items;
};

struct HICON__ {
    unsigned nID;
};

struct HWND__ {
    CString strText;
    std::map<int, std::unique_ptr<HWND__>> controls;
    std::vector<headless::ListColumn> columns;
    std::vector<std::vector<CString>> rows;
    std::vector<headless::TimerSet> timers;
    HMENU__ systemMenu;
    HICON hBigIcon = nullptr;
    HICON hSmallIcon = nullptr;
    int nUpdates = 0;
    int nIconBackgroundErases = 0;
    std::vector<headless::IconDrawn> iconsDrawn;
    bool bIconic = false;
    // 320 x 262 dialog units in an 8-point "MS Sans Serif".
    CRect clientRect{0, 0, 480, 426};
    bool bEnded = false;
    int nResult = 0;

    // A dialog's controls come into being as they are first asked for.
    HWND__* Control(int nID)
    {
        auto& pControl = controls[nID];
        if (!pControl)
            pControl = std::make_unique<HWND__>();
        return pControl.get();
    }
};

class CDialog;

// The backend's access to a dialog's window.
struct DialogWindow {
    static void Create(CDialog& dlg);
    static HWND__* Of(const CDialog& dlg);
    // Null when the dialog is not open or has ended: such a window takes no
    // events.
    static HWND__* Live(const CDialog& dlg);
};
