#include "ui/widgets/BCMenu.h"
#include "framework/WindowDpi.h"
#include "ui/widgets/PaintHelpers.h"
#include <algorithm>
#include <unordered_set>

// An entry's icon is loaded when the menu is shown, at the size the owner's display
// scale asks for; the entry is measured and drawn at that scale.
struct BCMenu::Item {
    std::wstring text;
    int iconId = 0;
    fw::OwnedIcon icon;
    int dpi = fw::kBaseDpi;
};

namespace {

// At 96 pixels per inch.
constexpr int kGutter = 24;      // icon column
constexpr int kTextGap = 6;      // gutter to text
constexpr int kRightPad = 16;    // room for a submenu arrow
constexpr int kMinHeight = 22;
constexpr int kTextMargin = 6;   // above and below the text

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
    auto item = std::make_unique<Item>();
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
    const auto* item = reinterpret_cast<const Item*>(mis->itemData);
    if (!LiveItems().count(item)) return false;
    const fw::DpiScale s(item->dpi);
    fw::OwnedFont font = MenuFont(item->dpi);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font.get()) : GetStockObject(DEFAULT_GUI_FONT));
    RECT rc{0, 0, 0, 0};
    DrawTextW(dc, item->text.c_str(), -1, &rc, DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    mis->itemWidth = static_cast<UINT>(s(kGutter) + s(kTextGap) + (rc.right - rc.left) + s(kRightPad));
    mis->itemHeight = static_cast<UINT>(std::max<LONG>(s(kMinHeight), rc.bottom - rc.top + s(kTextMargin)));
    return true;
}

bool BCMenu::OnDrawItem(const DRAWITEMSTRUCT* dis) {
    if (!dis || dis->CtlType != ODT_MENU) return false;
    const auto* item = reinterpret_cast<const Item*>(dis->itemData);
    if (!LiveItems().count(item)) return false;
    HDC dc = dis->hDC;
    const RECT& rc = dis->rcItem;
    const fw::DpiScale s(item->dpi);
    const int gutter = s(kGutter);
    const int iconSize = fw::SmallIconSizeForDpi(item->dpi);
    const bool selected = (dis->itemState & ODS_SELECTED) != 0;
    const bool disabled = (dis->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    const COLORREF menu = GetSysColor(COLOR_MENU);
    const COLORREF accent = GetSysColor(COLOR_HIGHLIGHT);

    widgets::FillSolid(dc, rc, menu);
    widgets::FillSolid(dc, RECT{rc.left, rc.top, rc.left + gutter, rc.bottom},
                       widgets::Blend(menu, GetSysColor(COLOR_BTNSHADOW), 15));
    if (selected && !disabled) {
        RECT hot = rc;
        InflateRect(&hot, -1, -1);
        widgets::FillSolid(dc, hot, widgets::Blend(menu, accent, 25));
        widgets::FrameSolid(dc, hot, widgets::Blend(menu, accent, 75));
    }

    const int iconX = rc.left + (gutter - iconSize) / 2;
    const int iconY = (rc.top + rc.bottom - iconSize) / 2;
    if (item->icon) widgets::DrawIconAt(dc, iconX, iconY, item->icon.get(), iconSize, disabled);
    if (dis->itemState & ODS_CHECKED) {
        const int frame = s(2);
        RECT box{iconX - frame, iconY - frame, iconX + iconSize + frame, iconY + iconSize + frame};
        widgets::FrameSolid(dc, box, accent);
    }

    fw::OwnedFont font = MenuFont(item->dpi);
    HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font.get()) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
    RECT text{rc.left + gutter + s(kTextGap), rc.top, rc.right - s(kRightPad / 2), rc.bottom};
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_END_ELLIPSIS;
    if (dis->itemState & ODS_NOACCEL) flags |= DT_HIDEPREFIX;
    DrawTextW(dc, item->text.c_str(), -1, &text, flags);
    SelectObject(dc, old);
    return true;
}
