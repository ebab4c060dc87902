#include "../Dialog.h"

#include "Window.h"

#include <stdexcept>

// The test's side of the in-memory window.
namespace headless {

namespace {

HWND__& WindowOf(const CDialog& dlg)
{
    HWND__* pWnd = DialogWindow::Of(dlg);
    if (!pWnd)
        throw std::logic_error("the dialog has no window: open it first");
    return *pWnd;
}

bool Deliver(CDialog& dlg, DialogEvent event, unsigned nID, unsigned nCode, std::intptr_t& nResult)
{
    nResult = 0;
    return DialogWindow::Live(dlg) && dlg.Dispatch(event, nID, nCode, nResult);
}

bool Deliver(CDialog& dlg, DialogEvent event, unsigned nID, unsigned nCode = 0)
{
    std::intptr_t nResult;
    return Deliver(dlg, event, nID, nCode, nResult);
}

} // namespace

CString ControlText(const CDialog& dlg, int nID)
{
    return WindowOf(dlg).Control(nID)->strText;
}

std::vector<ListColumn> ListColumns(const CDialog& dlg, int nID)
{
    return WindowOf(dlg).Control(nID)->columns;
}

std::vector<std::vector<CString>> ListRows(const CDialog& dlg, int nID)
{
    return WindowOf(dlg).Control(nID)->rows;
}

std::vector<TimerSet> Timers(const CDialog& dlg)
{
    return WindowOf(dlg).timers;
}

std::vector<MenuItem> SystemMenuItems(const CDialog& dlg)
{
    return WindowOf(dlg).systemMenu.items;
}

HICON Icon(const CDialog& dlg, bool bBigIcon)
{
    return bBigIcon ? WindowOf(dlg).hBigIcon : WindowOf(dlg).hSmallIcon;
}

int UpdateCount(const CDialog& dlg)
{
    return WindowOf(dlg).nUpdates;
}

int IconBackgroundErases(const CDialog& dlg)
{
    return WindowOf(dlg).nIconBackgroundErases;
}

std::vector<IconDrawn> IconsDrawn(const CDialog& dlg)
{
    return WindowOf(dlg).iconsDrawn;
}

bool IsEnded(const CDialog& dlg)
{
    return WindowOf(dlg).bEnded;
}

int EndResult(const CDialog& dlg)
{
    return WindowOf(dlg).nResult;
}

void Open(CDialog& dlg)
{
    DialogWindow::Create(dlg);
    Deliver(dlg, DialogEvent::initDialog, 0);
}

void SetIconic(CDialog& dlg, bool bIconic)
{
    WindowOf(dlg).bIconic = bIconic;
}

void SetClientSize(CDialog& dlg, int nWidth, int nHeight)
{
    WindowOf(dlg).clientRect = CRect{0, 0, nWidth, nHeight};
}

void Type(CDialog& dlg, int nID, const CString& strText)
{
    WindowOf(dlg).Control(nID)->strText = strText;
    Deliver(dlg, DialogEvent::command, static_cast<unsigned>(nID), kEditChange);
}

void Click(CDialog& dlg, int nID)
{
    Deliver(dlg, DialogEvent::command, static_cast<unsigned>(nID), kButtonClicked);
}

bool Tick(CDialog& dlg, unsigned nIDEvent)
{
    return Deliver(dlg, DialogEvent::timer, nIDEvent);
}

bool SysCommand(CDialog& dlg, unsigned nID)
{
    return Deliver(dlg, DialogEvent::sysCommand, nID);
}

bool Paint(CDialog& dlg)
{
    return Deliver(dlg, DialogEvent::paint, 0);
}

HICON QueryDragIcon(CDialog& dlg)
{
    std::intptr_t nResult;
    return Deliver(dlg, DialogEvent::queryDragIcon, 0, 0, nResult) ? reinterpret_cast<HICON>(nResult) : nullptr;
}

} // namespace headless
