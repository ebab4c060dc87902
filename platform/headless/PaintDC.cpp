#include "../PaintDC.h"

#include "../Dialog.h"
#include "Window.h"

struct CPaintDC::State {};

CPaintDC::CPaintDC(CDialog* pWnd) : m_pWnd(pWnd)
{
}

CPaintDC::~CPaintDC() = default;

void CPaintDC::IconEraseBackground()
{
    if (HWND__* pWnd = DialogWindow::Of(*m_pWnd))
        ++pWnd->nIconBackgroundErases;
}

void CPaintDC::DrawIcon(int x, int y, HICON hIcon)
{
    if (HWND__* pWnd = DialogWindow::Of(*m_pWnd))
        pWnd->iconsDrawn.push_back({x, y, hIcon});
}

CSize GetSystemIconSize()
{
    return CSize{32, 32};
}
