#include "../Menu.h"

#include "Window.h"

bool CMenu::AppendMenu(MenuItemKind kind, unsigned nIDNewItem, const CString& strNewItem)
{
    if (!m_hMenu)
        return false;
    if (kind == kMenuSeparator)
        m_hMenu->items.push_back({kind, 0, CString()});
    else
        m_hMenu->items.push_back({kind, nIDNewItem, strNewItem});
    return true;
}
