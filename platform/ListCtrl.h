#pragma once

#include "ByteString.h"
#include "Handles.h"

// A report-style list view of a dialog, attached by DDX_Control. Rows and
// columns count from 0; column 0 holds the item's own text.
class CListCtrl {
public:
    CListCtrl() = default;
    CListCtrl(const CListCtrl&) = delete;
    CListCtrl& operator=(const CListCtrl&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    void Attach(HWND hWnd) { m_hWnd = hWnd; }

    // A left-aligned column; the index it got, or -1.
    int InsertColumn(int nCol, const CString& strHeading, int nWidth);
    // A row at nItem, or at the end when nItem lies beyond it; the row's
    // index, or -1.
    int InsertItem(int nItem, const CString& strText);
    bool SetItemText(int nItem, int nSubItem, const CString& strText);
    int GetItemCount() const;
    CString GetItemText(int nItem, int nSubItem) const;

private:
    HWND m_hWnd = nullptr;
};
