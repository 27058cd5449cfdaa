// Owner-drawn pop-up menus with a small icon beside each entry, at the owner's scale. The items still
// carry their text, so anything that reads the menu sees it. The window that owns
// the menu while it is tracked forwards WM_MEASUREITEM and WM_DRAWITEM (wParam 0)
// to OnMeasureItem and OnDrawItem.
#pragma once
#include "framework/Owned.h"
#include <windows.h>
#include <memory>
#include <string>
#include <vector>

class BCMenu {
public:
    BCMenu();
    ~BCMenu();
    BCMenu(const BCMenu&) = delete;
    BCMenu& operator=(const BCMenu&) = delete;

    bool CreatePopupMenu();
    // iconId 0: no icon.
    void AppendItem(UINT id, const std::wstring& text, int iconId, bool enabled = true);
    void AppendSeparator();
    HMENU Handle() const { return m_menu.get(); }

    // Makes `owner` the foreground window (or the menu would not close when the user
    // clicks elsewhere) and tracks the menu at `screen`. With TPM_RETURNCMD in flags
    // the chosen command (0: none) comes back; otherwise it is posted to the owner
    // as WM_COMMAND and the result tells whether tracking succeeded.
    UINT Track(HWND owner, POINT screen, UINT flags);

    // True when the item belongs to a live BCMenu and was measured or drawn.
    static bool OnMeasureItem(MEASUREITEMSTRUCT* mis);
    static bool OnDrawItem(const DRAWITEMSTRUCT* dis);

private:
    struct Item;
    std::vector<std::unique_ptr<Item>> m_items;
    fw::OwnedMenu m_menu;
};
