#include "../Menu.h"

#include "Windows.h"

static_assert(kMenuString == MF_STRING && kMenuSeparator == MF_SEPARATOR, "menu flags of the platform");

bool CMenu::AppendMenu(MenuItemKind kind, unsigned nIDNewItem, const CString& strNewItem)
{
    if (kind == kMenuSeparator)
        return ::AppendMenuA(m_hMenu, MF_SEPARATOR, 0, nullptr) != 0;
    return ::AppendMenuA(m_hMenu, kind, nIDNewItem, strNewItem.GetString()) != 0;
}
