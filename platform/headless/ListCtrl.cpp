#include "../ListCtrl.h"

#include "Window.h"

#include <algorithm>

int CListCtrl::InsertColumn(int nCol, const CString& strHeading, int nWidth)
{
    if (!m_hWnd || nCol < 0)
        return -1;
    auto& columns = m_hWnd->columns;
    const int nAt = std::min(nCol, static_cast<int>(columns.size()));
    columns.insert(columns.begin() + nAt, headless::ListColumn{strHeading, nWidth});
    return nAt;
}

int CListCtrl::InsertItem(int nItem, const CString& strText)
{
    if (!m_hWnd || nItem < 0)
        return -1;
    auto& rows = m_hWnd->rows;
    const int nAt = std::min(nItem, static_cast<int>(rows.size()));
    std::vector<CString> row(std::max<size_t>(m_hWnd->columns.size(), 1));
    row[0] = strText;
    rows.insert(rows.begin() + nAt, row);
    return nAt;
}

bool CListCtrl::SetItemText(int nItem, int nSubItem, const CString& strText)
{
    if (!m_hWnd || nItem < 0 || nItem >= GetItemCount() || nSubItem < 0)
        return false;
    auto& row = m_hWnd->rows[static_cast<size_t>(nItem)];
    if (static_cast<size_t>(nSubItem) >= row.size())
        row.resize(static_cast<size_t>(nSubItem) + 1);
    row[static_cast<size_t>(nSubItem)] = strText;
    return true;
}

int CListCtrl::GetItemCount() const
{
    return m_hWnd ? static_cast<int>(m_hWnd->rows.size()) : 0;
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    if (!m_hWnd || nItem < 0 || nItem >= GetItemCount() || nSubItem < 0)
        return CString();
    const auto& row = m_hWnd->rows[static_cast<size_t>(nItem)];
    return static_cast<size_t>(nSubItem) < row.size() ? row[static_cast<size_t>(nSubItem)] : CString();
}
