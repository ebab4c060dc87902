#pragma once

#include "ByteString.h"
#include "Handles.h"
#include "Menu.h"
#include "Rect.h"

#include <cstdint>

class CDataExchange;

// The dialog manager's command ids, with the platform's values (the same
// definitions as the platform's own headers).
#define IDOK 1
#define IDCANCEL 2

// Notification codes of a command, with the platform's values.
enum CommandCode : unsigned {
    kButtonClicked = 0x0000,
    kEditChange = 0x0300,
};

// What a backend hands to a dialog.
enum class DialogEvent { initDialog, command, timer, sysCommand, paint, queryDragIcon };

// A modal dialog built from a dialog template of the program's resources. A
// program's dialog derives from it and overrides the handlers it needs; a
// handler that returns false leaves the event to the default handling.
class CDialog {
public:
    explicit CDialog(unsigned nIDTemplate, CDialog* pParentWnd = nullptr);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Shows the dialog and returns once it has ended: the value given to
    // EndDialog, or -1 when the dialog could not be created. The owner is the
    // parent, or else the application's main window.
    int DoModal();
    // Ends the modal dialog once the current handler has returned.
    void EndDialog(int nResult);

    // Pull (true) or push (false) through DoDataExchange. An exchange asked
    // for while one runs (a control that reports a change as it is filled) is
    // skipped, so that a push never pulls the old texts back half-way.
    bool UpdateData(bool bSaveAndValidate = true);

    unsigned GetTemplateId() const { return m_nIDTemplate; }
    HWND GetSafeHwnd() const { return m_hWnd; }
    HWND GetDlgItem(int nID) const;
    CString GetDlgItemText(int nID) const;
    void SetDlgItemText(int nID, const CString& strText);

    bool SetTimer(unsigned nIDEvent, unsigned nElapseMs);
    // Null when the window has no system menu.
    CMenu* GetSystemMenu();
    void SetIcon(HICON hIcon, bool bBigIcon);
    // Repaints whatever is invalid at once, without waiting for the message
    // loop.
    void UpdateWindow();
    bool IsIconic() const;
    CRect GetClientRect() const;
    // A message box with only an OK button and no icon, owned by the dialog,
    // with the program's title as caption; returns once it is closed.
    void ShowMessage(const CString& strText);

    // The one dispatch of every event a backend delivers: the Win32 dialog
    // procedure and the in-memory backend both call it. False leaves the
    // event to the default handling; nResult carries what the event returns.
    bool Dispatch(DialogEvent event, unsigned nID, unsigned nCode, std::intptr_t& nResult);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // Pushes the members into the controls. True lets the dialog manager
    // give the focus to the first control that takes it.
    virtual bool OnInitDialog();
    // Enter: pulls, then ends the dialog with IDOK.
    virtual void OnOK();
    // Escape or the cancel button: ends the dialog with IDCANCEL.
    virtual void OnCancel();
    virtual bool OnCommand(unsigned nID, unsigned nCode);
    virtual bool OnTimer(unsigned nIDEvent);
    virtual bool OnSysCommand(unsigned nID);
    virtual bool OnPaint();
    virtual HICON OnQueryDragIcon();

private:
    int RunModal(HWND hOwner);
    void Destroy();

    const unsigned m_nIDTemplate;
    CDialog* const m_pParentWnd;
    HWND m_hWnd = nullptr;
    CMenu m_systemMenu;
    bool m_bExchanging = false;

    friend struct DialogWindow;
};
