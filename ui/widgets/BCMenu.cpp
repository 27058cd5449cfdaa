#include "ui/widgets/BCMenu.h"
#include "ui/widgets/PaintHelpers.h"
#include <algorithm>
#include <unordered_set>

struct BCMenu::Item {
    std::wstring text;
    fw::OwnedIcon icon;
};

namespace {

constexpr int kIconSize = widgets::kSmallIconSize;
constexpr int kGutter = 24;      // icon column
constexpr int kTextGap = 6;      // gutter to text
constexpr int kRightPad = 16;    // room for a submenu arrow
constexpr int kMinHeight = 22;

// Items of the menus alive on this thread: owner-drawn items of other menus carry
// item data we must not read as ours.
std::unordered_set<const void*>& LiveItems() {
    thread_local std::unordered_set<const void*> items;
    return items;
}

fw::OwnedFont MenuFont() {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
        return fw::OwnedFont(CreateFontIndirectW(&ncm.lfMenuFont));
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
    item->icon.reset(widgets::LoadSmallIcon(iconId));
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
    SetForegroundWindow(owner);
    const BOOL r = TrackPopupMenuEx(m_menu.get(), flags, screen.x, screen.y, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);  // lets the next menu open at once
    return static_cast<UINT>(r);
}

bool BCMenu::OnMeasureItem(MEASUREITEMSTRUCT* mis) {
    if (!mis || mis->CtlType != ODT_MENU) return false;
    const auto* item = reinterpret_cast<const Item*>(mis->itemData);
    if (!LiveItems().count(item)) return false;
    fw::OwnedFont font = MenuFont();
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font.get()) : GetStockObject(DEFAULT_GUI_FONT));
    RECT rc{0, 0, 0, 0};
    DrawTextW(dc, item->text.c_str(), -1, &rc, DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    mis->itemWidth = static_cast<UINT>(kGutter + kTextGap + (rc.right - rc.left) + kRightPad);
    mis->itemHeight = static_cast<UINT>(std::max<LONG>(kMinHeight, rc.bottom - rc.top + 6));
    return true;
}

bool BCMenu::OnDrawItem(const DRAWITEMSTRUCT* dis) {
    if (!dis || dis->CtlType != ODT_MENU) return false;
    const auto* item = reinterpret_cast<const Item*>(dis->itemData);
    if (!LiveItems().count(item)) return false;
    HDC dc = dis->hDC;
    const RECT& rc = dis->rcItem;
    const bool selected = (dis->itemState & ODS_SELECTED) != 0;
    const bool disabled = (dis->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    const COLORREF menu = GetSysColor(COLOR_MENU);
    const COLORREF accent = GetSysColor(COLOR_HIGHLIGHT);

    widgets::FillSolid(dc, rc, menu);
    widgets::FillSolid(dc, RECT{rc.left, rc.top, rc.left + kGutter, rc.bottom},
                       widgets::Blend(menu, GetSysColor(COLOR_BTNSHADOW), 15));
    if (selected && !disabled) {
        RECT hot = rc;
        InflateRect(&hot, -1, -1);
        widgets::FillSolid(dc, hot, widgets::Blend(menu, accent, 25));
        widgets::FrameSolid(dc, hot, widgets::Blend(menu, accent, 75));
    }

    const int iconX = rc.left + (kGutter - kIconSize) / 2;
    const int iconY = (rc.top + rc.bottom - kIconSize) / 2;
    if (item->icon) widgets::DrawSmallIcon(dc, iconX, iconY, item->icon.get(), disabled);
    if (dis->itemState & ODS_CHECKED) {
        RECT box{iconX - 2, iconY - 2, iconX + kIconSize + 2, iconY + kIconSize + 2};
        widgets::FrameSolid(dc, box, accent);
    }

    fw::OwnedFont font = MenuFont();
    HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font.get()) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
    RECT text{rc.left + kGutter + kTextGap, rc.top, rc.right - kRightPad / 2, rc.bottom};
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_END_ELLIPSIS;
    if (dis->itemState & ODS_NOACCEL) flags |= DT_HIDEPREFIX;
    DrawTextW(dc, item->text.c_str(), -1, &text, flags);
    SelectObject(dc, old);
    return true;
}
