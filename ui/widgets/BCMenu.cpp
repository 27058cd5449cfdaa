#include "ui/widgets/BCMenu.h"
#include "framework/ColourScheme.h"
#include "framework/WindowDpi.h"
#include "ui/widgets/PaintHelpers.h"
#include <algorithm>
#include <unordered_set>

// An entry's icon is loaded when the menu is shown, at the size the owner's display
// scale asks for; the entry is measured and drawn at that scale.
struct MenuEntryLook {
    std::wstring text;
    int iconId = 0;
    fw::OwnedIcon icon;
    int dpi = fw::kBaseDpi;
    bool barItem = false;    // in the top row of a menu bar
    bool separator = false;
};

namespace {

// At 96 pixels per inch.
constexpr int kGutter = 24;      // icon column
constexpr int kTextGap = 6;      // gutter to text
constexpr int kRightPad = 16;    // room for a submenu arrow
constexpr int kMinHeight = 22;
constexpr int kTextMargin = 6;   // above and below the text
constexpr int kBarPad = 8;       // left and right of a menu bar entry's text
constexpr int kSeparatorHeight = 7;

// Items of the menus alive on this thread: owner-drawn items of other menus carry
// item data we must not read as ours.
std::unordered_set<const void*>& LiveItems() {
    thread_local std::unordered_set<const void*> items;
    return items;
}

fw::OwnedFont MenuFont(int dpi) {
    NONCLIENTMETRICSW ncm;
    if (fw::NonClientMetricsForDpi(ncm, dpi)) return fw::OwnedFont(CreateFontIndirectW(&ncm.lfMenuFont));
    return fw::OwnedFont();
}

SIZE TextSize(const MenuEntryLook& item) {
    fw::OwnedFont font = MenuFont(item.dpi);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font.get()) : GetStockObject(DEFAULT_GUI_FONT));
    RECT rc{0, 0, 0, 0};
    DrawTextW(dc, item.text.c_str(), -1, &rc, DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

// The text, and a tab's right-hand part (the keys) against the right edge.
void DrawEntryText(HDC dc, const MenuEntryLook& item, RECT rc, UINT state, COLORREF colour) {
    fw::OwnedFont font = MenuFont(item.dpi);
    HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font.get()) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    UINT flags = DT_SINGLELINE | DT_VCENTER | (item.barItem ? DT_CENTER : DT_END_ELLIPSIS);
    if (state & ODS_NOACCEL) flags |= DT_HIDEPREFIX;
    const size_t tab = item.text.find(L'\t');
    DrawTextW(dc, item.text.c_str(), static_cast<int>(tab == std::wstring::npos ? item.text.size() : tab), &rc, flags);
    if (tab != std::wstring::npos)
        DrawTextW(dc, item.text.c_str() + tab + 1, -1, &rc, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
    SelectObject(dc, old);
}

// A check mark where an entry without an icon is checked (Marlett's check glyph).
void DrawCheck(HDC dc, const RECT& box, COLORREF colour, int dpi) {
    fw::OwnedFont marlett(CreateFontW(-fw::ScaleToDpi(14, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SYMBOL_CHARSET,
                                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                      L"Marlett"));
    if (!marlett) return;
    HGDIOBJ old = SelectObject(dc, marlett.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    RECT rc = box;
    DrawTextW(dc, L"a", 1, &rc, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    SelectObject(dc, old);
}

void DrawBarEntry(const DRAWITEMSTRUCT& dis, const MenuEntryLook& item, const fw::Palette& p) {
    const bool hot = (dis.itemState & (ODS_SELECTED | ODS_HOTLIGHT)) != 0;
    const bool disabled = (dis.itemState & (ODS_GRAYED | ODS_DISABLED | ODS_INACTIVE)) != 0;
    COLORREF back = p.menu, text = disabled ? p.grayText : p.menuText;
    if (hot && !disabled) {
        back = p.blends ? widgets::Blend(p.menu, p.highlight, 35) : p.highlight;
        if (!p.blends) text = p.highlightText;
    }
    widgets::FillSolid(dis.hDC, dis.rcItem, back);
    DrawEntryText(dis.hDC, item, dis.rcItem, dis.itemState, text);
}

void DrawPopupEntry(const DRAWITEMSTRUCT& dis, const MenuEntryLook& item, const fw::Palette& p) {
    HDC dc = dis.hDC;
    const RECT& rc = dis.rcItem;
    const fw::DpiScale s(item.dpi);
    const int gutter = s(kGutter);
    const int iconSize = fw::SmallIconSizeForDpi(item.dpi);
    const bool selected = (dis.itemState & ODS_SELECTED) != 0;
    const bool disabled = (dis.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;

    widgets::FillSolid(dc, rc, p.menu);
    if (p.blends)
        widgets::FillSolid(dc, RECT{rc.left, rc.top, rc.left + gutter, rc.bottom}, widgets::Blend(p.menu, p.shadow, 15));
    if (item.separator) {
        const int y = (rc.top + rc.bottom) / 2;
        widgets::FillSolid(dc, RECT{rc.left + gutter + s(kTextGap), y, rc.right, y + 1}, p.shadow);
        return;
    }
    COLORREF text = disabled ? p.grayText : p.menuText;
    if (selected && !disabled) {
        RECT hot = rc;
        InflateRect(&hot, -1, -1);
        if (p.blends) {
            widgets::FillSolid(dc, hot, widgets::Blend(p.menu, p.highlight, 25));
            widgets::FrameSolid(dc, hot, widgets::Blend(p.menu, p.highlight, 75));
        } else {
            widgets::FillSolid(dc, hot, p.highlight);
            text = p.highlightText;
        }
    }

    const int iconX = rc.left + (gutter - iconSize) / 2;
    const int iconY = (rc.top + rc.bottom - iconSize) / 2;
    if (item.icon) widgets::DrawIconAt(dc, iconX, iconY, item.icon.get(), iconSize, disabled);
    if (dis.itemState & ODS_CHECKED) {
        const int frame = s(2);
        RECT box{iconX - frame, iconY - frame, iconX + iconSize + frame, iconY + iconSize + frame};
        if (item.icon) widgets::FrameSolid(dc, box, p.highlight);
        else DrawCheck(dc, box, text, item.dpi);
    }
    DrawEntryText(dc, item, RECT{rc.left + gutter + s(kTextGap), rc.top, rc.right - s(kRightPad / 2), rc.bottom},
                  dis.itemState, text);
}

}  // namespace

BCMenu::BCMenu() = default;

BCMenu::~BCMenu() {
    for (const auto& item : m_items) LiveItems().erase(item.get());
}

bool BCMenu::CreatePopupMenu() {
    if (m_menu) return false;
    m_menu.reset(::CreatePopupMenu());
    return static_cast<bool>(m_menu);
}

void BCMenu::AppendItem(UINT id, const std::wstring& text, int iconId, bool enabled) {
    if (!m_menu) return;
    auto item = std::make_unique<MenuEntryLook>();
    item->text = text;
    item->iconId = iconId;
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_DATA;
    mii.fType = MFT_OWNERDRAW;
    mii.fState = enabled ? MFS_ENABLED : MFS_DISABLED;
    mii.wID = id;
    mii.dwItemData = reinterpret_cast<ULONG_PTR>(item.get());
    mii.dwTypeData = item->text.data();
    mii.cch = static_cast<UINT>(item->text.size());
    if (!InsertMenuItemW(m_menu.get(), GetMenuItemCount(m_menu.get()), TRUE, &mii)) return;
    LiveItems().insert(item.get());
    m_items.push_back(std::move(item));
}

void BCMenu::AppendSeparator() {
    if (m_menu) AppendMenuW(m_menu.get(), MF_SEPARATOR, 0, nullptr);
}

UINT BCMenu::Track(HWND owner, POINT screen, UINT flags) {
    if (!m_menu) return 0;
    const int dpi = fw::WindowDpi(owner);
    for (const auto& item : m_items) {
        item->dpi = dpi;
        item->icon.reset(fw::LoadIconAtSize(item->iconId, fw::SmallIconSizeForDpi(dpi)));
    }
    SetForegroundWindow(owner);
    const BOOL r = TrackPopupMenuEx(m_menu.get(), flags, screen.x, screen.y, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);  // lets the next menu open at once
    return static_cast<UINT>(r);
}

bool BCMenu::OnMeasureItem(MEASUREITEMSTRUCT* mis) {
    if (!mis || mis->CtlType != ODT_MENU) return false;
    const auto* item = reinterpret_cast<const MenuEntryLook*>(mis->itemData);
    if (!LiveItems().count(item)) return false;
    const fw::DpiScale s(item->dpi);
    if (item->separator) {
        mis->itemWidth = 0;
        mis->itemHeight = static_cast<UINT>(s(kSeparatorHeight));
        return true;
    }
    const SIZE text = TextSize(*item);
    if (item->barItem) {
        mis->itemWidth = static_cast<UINT>(text.cx + 2 * s(kBarPad));
        mis->itemHeight = static_cast<UINT>(text.cy);
        return true;
    }
    mis->itemWidth = static_cast<UINT>(s(kGutter) + s(kTextGap) + text.cx + s(kRightPad));
    mis->itemHeight = static_cast<UINT>(std::max<LONG>(s(kMinHeight), text.cy + s(kTextMargin)));
    return true;
}

bool BCMenu::OnDrawItem(const DRAWITEMSTRUCT* dis) {
    if (!dis || dis->CtlType != ODT_MENU) return false;
    const auto* item = reinterpret_cast<const MenuEntryLook*>(dis->itemData);
    if (!LiveItems().count(item)) return false;
    const fw::Palette palette = fw::SchemePalette();
    if (item->barItem) DrawBarEntry(*dis, *item, palette);
    else DrawPopupEntry(*dis, *item, palette);
    return true;
}

// ---- a menu of the system's, drawn as ours for a while ----

struct COwnerDrawnMenu::Entry {
    HMENU menu;
    UINT position;
    UINT type;        // as the system had it
    ULONG_PTR data;
    MenuEntryLook look;
};

COwnerDrawnMenu::COwnerDrawnMenu() = default;
COwnerDrawnMenu::~COwnerDrawnMenu() { Release(); }

void COwnerDrawnMenu::Adopt(HMENU menu, bool bar, int dpi) {
    Release();
    if (!menu) return;
    m_menu = menu;
    AdoptLevel(menu, bar, dpi);
    // The menu's own background (beside the entries of a bar, around those of a pop-up).
    m_background.reset(CreateSolidBrush(fw::SchemePalette().menu));
    MENUINFO mi{sizeof(mi)};
    mi.fMask = MIM_BACKGROUND | MIM_APPLYTOSUBMENUS;
    mi.hbrBack = m_background.get();
    SetMenuInfo(menu, &mi);
}

void COwnerDrawnMenu::AdoptLevel(HMENU menu, bool bar, int dpi) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = L"";
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU | MIIM_STRING;
        mii.dwTypeData = text;
        mii.cch = static_cast<UINT>(std::size(text));
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii) || (mii.fType & MFT_OWNERDRAW)) continue;
        auto entry = std::make_unique<Entry>(Entry{menu, static_cast<UINT>(i), mii.fType, mii.dwItemData, {}});
        entry->look.text = text;
        entry->look.dpi = dpi;
        entry->look.barItem = bar;
        entry->look.separator = (mii.fType & MFT_SEPARATOR) != 0;
        MENUITEMINFOW owner{};
        owner.cbSize = sizeof(owner);
        owner.fMask = MIIM_FTYPE | MIIM_DATA;
        owner.fType = mii.fType | MFT_OWNERDRAW;  // the text stays: readers of the menu still see it
        owner.dwItemData = reinterpret_cast<ULONG_PTR>(&entry->look);
        if (!SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &owner)) continue;
        LiveItems().insert(&entry->look);
        m_entries.push_back(std::move(entry));
        if (mii.hSubMenu) AdoptLevel(mii.hSubMenu, false, dpi);
    }
}

void COwnerDrawnMenu::Release() {
    for (const auto& e : m_entries) {
        LiveItems().erase(&e->look);
        if (!IsMenu(e->menu)) continue;
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_DATA;
        mii.fType = e->type;
        mii.dwItemData = e->data;
        SetMenuItemInfoW(e->menu, e->position, TRUE, &mii);
    }
    m_entries.clear();
    if (m_menu && IsMenu(m_menu)) {
        MENUINFO mi{sizeof(mi)};
        mi.fMask = MIM_BACKGROUND | MIM_APPLYTOSUBMENUS;
        mi.hbrBack = nullptr;
        SetMenuInfo(m_menu, &mi);
    }
    m_menu = nullptr;
    m_background.reset();
}
