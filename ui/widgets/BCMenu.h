// Owner-drawn pop-up menus with a small icon beside each entry, at the owner's scale and in
// the colour scheme's colours. The items still carry their text, so anything that reads the
// menu sees it. The window that owns the menu while it is tracked forwards WM_MEASUREITEM
// and WM_DRAWITEM (wParam 0) to OnMeasureItem and OnDrawItem. COwnerDrawnMenu lends the
// same drawing to a menu of the system's (a menu bar, a plain pop-up menu) for a while.
#pragma once
#include "framework/Owned.h"
#include <windows.h>
#include <memory>
#include <string>
#include <vector>

struct MenuEntryLook;

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

    // True when the item belongs to a live BCMenu or COwnerDrawnMenu and was measured or drawn.
    static bool OnMeasureItem(MEASUREITEMSTRUCT* mis);
    static bool OnDrawItem(const DRAWITEMSTRUCT* dis);

private:
    std::vector<std::unique_ptr<MenuEntryLook>> m_items;
    fw::OwnedMenu m_menu;
};

// A menu of the system's drawn like BCMenu's (without icons) while this object holds it:
// the main window's menu bar and its pop-ups, or a pop-up menu of the panes, in the dark
// scheme, where the system would draw them light. Release (or the destructor) gives the
// items back to the system's drawing as they were.
class COwnerDrawnMenu {
public:
    COwnerDrawnMenu();
    ~COwnerDrawnMenu();
    COwnerDrawnMenu(const COwnerDrawnMenu&) = delete;
    COwnerDrawnMenu& operator=(const COwnerDrawnMenu&) = delete;

    // `bar`: the menu is a window's menu bar (its top row is drawn as one); `dpi`: the owner's.
    void Adopt(HMENU menu, bool bar, int dpi);
    void Release();
    bool Holds() const { return m_menu != nullptr; }

private:
    struct Entry;
    void AdoptLevel(HMENU menu, bool bar, int dpi);
    std::vector<std::unique_ptr<Entry>> m_entries;
    HMENU m_menu = nullptr;
    fw::OwnedBrush m_background;
};
