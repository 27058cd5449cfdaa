#include "ui/widgets/CSplitterBar.h"
#include "framework/ColourScheme.h"
#include "ui/widgets/PaintHelpers.h"
#include <windowsx.h>
#include <algorithm>

namespace {
const wchar_t kClassName[] = L"TidemarkerSplitterBar";

POINT ToParent(HWND bar, LPARAM clientPoint) {
    POINT pt{GET_X_LPARAM(clientPoint), GET_Y_LPARAM(clientPoint)};
    MapWindowPoints(bar, GetParent(bar), &pt, 1);
    return pt;
}
}  // namespace

int ClampSplitterDelta(int barLeft, int barWidth, int minX, int maxX, int wanted) {
    const int lowest = minX;
    const int highest = maxX - barWidth;
    if (highest < lowest) return 0;
    const int left = std::clamp(barLeft + wanted, lowest, highest);
    return left - barLeft;
}

const fw::MapEntry<CSplitterBar> CSplitterBar::kMap[] = {
    fw::OnMessage(WM_LBUTTONDOWN, &Self::OnLButtonDown),
    fw::OnMessage(WM_MOUSEMOVE, &Self::OnMouseMove),
    fw::OnMessage(WM_LBUTTONUP, &Self::OnLButtonUp),
    fw::OnMessage(WM_CAPTURECHANGED, &Self::OnCaptureChanged),
    fw::OnMessage(WM_KEYDOWN, &Self::OnKeyDown),
    fw::OnMessage(WM_ERASEBKGND, &Self::OnEraseBackground),
};
bool CSplitterBar::Dispatch(const fw::Msg& m, LRESULT& result) {
    return fw::RunMap(*this, kMap, m, result) || CCustomWindow::Dispatch(m, result);
}

bool CSplitterBar::Create(HWND parent, const RECT& rc, int id) {
    if (!RegisterClassOnce(kClassName, LoadCursorW(nullptr, IDC_SIZEWE),
                           reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1))))
        return false;
    m_id = id;
    return CreateEx(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rc.left, rc.top,
                    rc.right - rc.left, rc.bottom - rc.top, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

void CSplitterBar::SetRange(int minX, int maxX) {
    m_minX = minX;
    m_maxX = maxX;
    m_rangeSet = true;
}

int CSplitterBar::DeltaAt(LPARAM clientPoint) const {
    const int x = ToParent(m_hwnd, clientPoint).x;
    int minX = m_minX, maxX = m_maxX;
    if (!m_rangeSet) {
        RECT client{};
        GetClientRect(GetParent(m_hwnd), &client);
        minX = client.left;
        maxX = client.right;
    }
    return ClampSplitterDelta(m_startRect.left, m_startRect.right - m_startRect.left, minX, maxX, x - m_anchorX);
}

void CSplitterBar::InvertTrackingLine(int delta) const {
    HWND parent = GetParent(m_hwnd);
    // Drawn over the sibling panes too, so not through the parent's clipped DC.
    HDC dc = GetDCEx(parent, nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    if (!dc) return;
    static const WORD kHalftone[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    if (HBITMAP pattern = CreateBitmap(8, 8, 1, 1, kHalftone)) {
        if (HBRUSH brush = CreatePatternBrush(pattern)) {
            HGDIOBJ old = SelectObject(dc, brush);
            PatBlt(dc, m_startRect.left + delta, m_startRect.top, m_startRect.right - m_startRect.left,
                   m_startRect.bottom - m_startRect.top, PATINVERT);
            SelectObject(dc, old);
            DeleteObject(brush);
        }
        DeleteObject(pattern);
    }
    ReleaseDC(parent, dc);
}

LRESULT CSplitterBar::OnLButtonDown(const fw::Msg& m) {
    HWND parent = GetParent(m_hwnd);
    GetWindowRect(m_hwnd, &m_startRect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&m_startRect), 2);
    m_anchorX = ToParent(m_hwnd, m.lp).x;
    m_trackDelta = 0;
    m_dragging = true;
    SetCapture(m_hwnd);
    InvertTrackingLine(m_trackDelta);
    return 0;
}

LRESULT CSplitterBar::OnMouseMove(const fw::Msg& m) {
    if (!m_dragging) return 0;
    const int delta = DeltaAt(m.lp);
    if (delta != m_trackDelta) {
        InvertTrackingLine(m_trackDelta);
        m_trackDelta = delta;
        InvertTrackingLine(m_trackDelta);
    }
    return 0;
}

LRESULT CSplitterBar::OnLButtonUp(const fw::Msg& m) {
    if (m_dragging) EndDrag(true, DeltaAt(m.lp));
    return 0;
}

LRESULT CSplitterBar::OnCaptureChanged(const fw::Msg&) {
    if (m_dragging) EndDrag(false, 0);  // another window took the mouse: cancel
    return 0;
}

LRESULT CSplitterBar::OnKeyDown(const fw::Msg& m) {
    if (m_dragging && m.wp == VK_ESCAPE) EndDrag(false, 0);
    else m.passOn = true;
    return 0;
}

void CSplitterBar::EndDrag(bool notify, int delta) {
    m_dragging = false;  // first: releasing the capture sends WM_CAPTURECHANGED
    InvertTrackingLine(m_trackDelta);
    if (GetCapture() == m_hwnd) ReleaseCapture();
    if (!notify || delta == 0) return;
    NMSPLITTER n{};
    n.hdr.hwndFrom = m_hwnd;
    n.hdr.idFrom = static_cast<UINT_PTR>(m_id);
    n.hdr.code = SPN_DRAGGED;
    n.delta = delta;
    SendMessageW(GetParent(m_hwnd), WM_NOTIFY, static_cast<WPARAM>(m_id), reinterpret_cast<LPARAM>(&n));
}

// The class brush is the system's face colour; in the dark scheme the bar is the window's.
LRESULT CSplitterBar::OnEraseBackground(const fw::Msg& m) {
    if (!fw::IsDarkScheme()) {
        m.passOn = true;
        return 0;
    }
    RECT rc{};
    GetClientRect(m_hwnd, &rc);
    widgets::FillSolid(reinterpret_cast<HDC>(m.wp), rc, fw::SchemePalette().face);
    return 1;
}
