#pragma once

#include "Handles.h"
#include "Rect.h"

#include <memory>

class CDialog;

// The paint device of one paint message: it validates the window's update
// region for as long as it lives.
class CPaintDC {
public:
    explicit CPaintDC(CDialog* pWnd);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    // Lets the window erase the background behind its minimised icon.
    void IconEraseBackground();
    void DrawIcon(int x, int y, HICON hIcon);

    struct State;

private:
    CDialog* m_pWnd;
    std::unique_ptr<State> m_pState;
};

// The size of a large icon as the system draws it.
CSize GetSystemIconSize();
