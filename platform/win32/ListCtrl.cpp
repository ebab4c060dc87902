#include "../ListCtrl.h"

#include "Windows.h"

#include <string>

namespace {

char* TextOf(const CString& str)
{
    return const_cast<char*>(str.GetString());
}

} // namespace

int CListCtrl::InsertColumn(int nCol, const CString& strHeading, int nWidth)
{
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = nWidth;
    column.pszText = TextOf(strHeading);
    column.iSubItem = nCol;
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_INSERTCOLUMNA, nCol, reinterpret_cast<LPARAM>(&column)));
}

int CListCtrl::InsertItem(int nItem, const CString& strText)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.pszText = TextOf(strText);
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

bool CListCtrl::SetItemText(int nItem, int nSubItem, const CString& strText)
{
    LVITEMA item{};
    item.iSubItem = nSubItem;
    item.pszText = TextOf(strText);
    return ::SendMessageA(m_hWnd, LVM_SETITEMTEXTA, nItem, reinterpret_cast<LPARAM>(&item)) != 0;
}

int CListCtrl::GetItemCount() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_GETITEMCOUNT, 0, 0));
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    // The control copies at most the buffer's size and tells how much it
    // copied, so a text that fills the buffer may be longer.
    for (size_t size = 256;; size *= 2) {
        std::string text(size, '\0');
        LVITEMA item{};
        item.iSubItem = nSubItem;
        item.pszText = &text[0];
        item.cchTextMax = static_cast<int>(size);
        const auto nCopied = static_cast<size_t>(::SendMessageA(m_hWnd, LVM_GETITEMTEXTA, nItem, reinterpret_cast<LPARAM>(&item)));
        if (nCopied + 1 < size) {
            text.resize(nCopied);
            return CString(std::move(text));
        }
    }
}
