#pragma once

#include "../ByteString.h"
#include "../Handles.h"
#include "../Menu.h"

#include <functional>
#include <vector>

class CDialog;

// What the in-memory backend lets a test see and steer.
namespace headless {

struct ProgramRun {
    CString strProgram;
    CString strArguments;
};

// Every program started through RunProgram, in order.
std::vector<ProgramRun>& ProgramRuns();
// Replaces starting a real process; without a handler the program is run
// through /bin/sh.
void SetProgramHandler(std::function<int(const ProgramRun&)> handler);
const std::function<int(const ProgramRun&)>& ProgramHandler();

void SetFrameworkInitFails(bool bFails);
bool FrameworkInitFails();

// The first element of the argument vector a GUI program sees.
void SetProgramPath(const CString& strPath);
const CString& ProgramPath();

// The string table; a missing id loads as the empty string.
void SetStringResource(unsigned nID, const CString& strText);
CString StringResource(unsigned nID);
// The icon of an id, as the resource loader hands it out.
unsigned IconResourceId(HICON hIcon);

struct MessageBoxShown {
    CString strCaption;
    CString strText;
};
// Every message box shown, in order.
std::vector<MessageBoxShown>& MessageBoxes();
// Runs while a message box is open, as the message loop inside it would,
// e.g. to deliver a timer tick.
void SetMessageBoxHandler(std::function<void(const MessageBoxShown&)> handler);
const std::function<void(const MessageBoxShown&)>& MessageBoxHandler();

// The template id of every dialog run modally, in order.
std::vector<unsigned>& ModalDialogs();
// Runs while a modal dialog is open; a dialog it leaves open is then closed
// as by Escape.
void SetModalHandler(std::function<void(CDialog&)> handler);
const std::function<void(CDialog&)>& ModalHandler();

// Forgets everything recorded and every handler and resource set.
void Reset();

// The in-memory window of a dialog, between Open (or DoModal) and the
// dialog's end: what a test sees on it...
struct ListColumn {
    CString strHeading;
    int nWidth;
};
struct TimerSet {
    unsigned nIDEvent;
    unsigned nElapseMs;
};
struct MenuItem {
    MenuItemKind kind;
    unsigned nID;
    CString strText;
};
struct IconDrawn {
    int x;
    int y;
    HICON hIcon;
};

CString ControlText(const CDialog& dlg, int nID);
std::vector<ListColumn> ListColumns(const CDialog& dlg, int nID);
// Each row's texts, column 0 first.
std::vector<std::vector<CString>> ListRows(const CDialog& dlg, int nID);
std::vector<TimerSet> Timers(const CDialog& dlg);
// The items appended to the system menu.
std::vector<MenuItem> SystemMenuItems(const CDialog& dlg);
HICON Icon(const CDialog& dlg, bool bBigIcon);
// How often the dialog was repainted at once.
int UpdateCount(const CDialog& dlg);
int IconBackgroundErases(const CDialog& dlg);
std::vector<IconDrawn> IconsDrawn(const CDialog& dlg);
bool IsEnded(const CDialog& dlg);
int EndResult(const CDialog& dlg);

// ... and what a user or the system does to it. Every event goes through the
// dialog's one dispatch; a dialog that has ended takes none.
void Open(CDialog& dlg);
void SetIconic(CDialog& dlg, bool bIconic);
void SetClientSize(CDialog& dlg, int nWidth, int nHeight);
// Replaces the control's text and, as an edit box does, reports the change.
void Type(CDialog& dlg, int nID, const CString& strText);
void Click(CDialog& dlg, int nID);
// Each returns whether the dialog handled the event.
bool Tick(CDialog& dlg, unsigned nIDEvent);
bool SysCommand(CDialog& dlg, unsigned nID);
bool Paint(CDialog& dlg);
HICON QueryDragIcon(CDialog& dlg);

} // namespace headless
