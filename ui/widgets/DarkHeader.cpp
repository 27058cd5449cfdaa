#include "ui/widgets/DarkHeader.h"
#include "framework/ColourScheme.h"
#include "framework/Dpi.h"
#include "framework/WindowDpi.h"
#include "ui/widgets/PaintHelpers.h"

namespace {

constexpr int kTextPad = 6;     // at 96 pixels per inch
constexpr int kArrowSize = 4;   // half the arrow's width

// The area right of the last column, which the header paints itself.
RECT RestOfHeader(HWND header) {
    RECT client{};
    GetClientRect(header, &client);
    const int count = Header_GetItemCount(header);
    for (int i = 0; i < count; ++i) {
        RECT item{};
        if (Header_GetItemRect(header, i, &item) && item.right > client.left) client.left = item.right;
    }
    return client;
}

void DrawArrow(HDC dc, int x, int midY, bool up, int size, COLORREF colour) {
    const int base = up ? midY + size / 2 : midY - size / 2, tip = up ? midY - size / 2 : midY + size / 2;
    const POINT points[3] = {{x - size, base}, {x + size, base}, {x, tip}};
    fw::OwnedBrush brush(CreateSolidBrush(colour));
    fw::OwnedPen pen(CreatePen(PS_SOLID, 1, colour));
    HGDIOBJ oldBrush = SelectObject(dc, brush.get()), oldPen = SelectObject(dc, pen.get());
    Polygon(dc, points, 3);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
}

void DrawColumn(const NMCUSTOMDRAW& cd, int sortColumn, bool ascending, const fw::Palette& p) {
    const RECT& rc = cd.rc;
    if (rc.right <= rc.left) return;  // a hidden column
    widgets::FillSolid(cd.hdc, rc, p.face);
    widgets::FillSolid(cd.hdc, RECT{rc.right - 1, rc.top, rc.right, rc.bottom}, p.shadow);
    const int column = static_cast<int>(cd.dwItemSpec);
    wchar_t title[128] = L"";
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = title;
    item.cchTextMax = 128;
    Header_GetItem(cd.hdr.hwndFrom, column, &item);
    const fw::DpiScale s(fw::WindowDpi(cd.hdr.hwndFrom));
    RECT text{rc.left + s(kTextPad), rc.top, rc.right - s(kTextPad), rc.bottom};
    if (column == sortColumn) {
        text.right -= 3 * s(kArrowSize);
        DrawArrow(cd.hdc, rc.right - s(kTextPad) - s(kArrowSize), (rc.top + rc.bottom) / 2, ascending, s(kArrowSize),
                  p.faceText);
    }
    SetBkMode(cd.hdc, TRANSPARENT);
    SetTextColor(cd.hdc, p.faceText);
    DrawTextW(cd.hdc, title, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
}

}  // namespace

LRESULT DrawDarkHeader(NMCUSTOMDRAW& cd, int sortColumn, bool ascending) {
    const fw::Palette p = fw::SchemePalette();
    switch (cd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
    case CDDS_ITEMPREPAINT:
        DrawColumn(cd, sortColumn, ascending, p);
        return CDRF_SKIPDEFAULT;
    case CDDS_POSTPAINT:
        widgets::FillSolid(cd.hdc, RestOfHeader(cd.hdr.hwndFrom), p.face);
        return CDRF_DODEFAULT;
    default:
        return CDRF_DODEFAULT;
    }
}
