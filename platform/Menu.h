#pragma once

#include "ByteString.h"
#include "Handles.h"

// Kinds of menu item, with the platform's values.
enum MenuItemKind : unsigned {
    kMenuString = 0x0000,
    kMenuSeparator = 0x0800,
};

// A menu owned by a window; the object only refers to it.
class CMenu {
public:
    CMenu() = default;
    explicit CMenu(HMENU hMenu) : m_hMenu(hMenu) {}

    HMENU GetSafeHmenu() const { return m_hMenu; }
    // Adds an item at the end; a separator takes neither id nor text.
    bool AppendMenu(MenuItemKind kind, unsigned nIDNewItem = 0, const CString& strNewItem = CString());

private:
    HMENU m_hMenu = nullptr;
};
