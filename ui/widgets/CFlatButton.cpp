#include "ui/widgets/CFlatButton.h"
#include "framework/CWinApp.h"
#include "framework/ColourScheme.h"
#include "ui/widgets/PaintHelpers.h"
#include <string>

namespace {
constexpr int kIconTextGap = 4;  // at 96 pixels per inch
constexpr int kPadding = 2;      // left and right of the content
constexpr int kFocusInset = 3;
}  // namespace

const fw::MapEntry<CFlatButton> CFlatButton::kMap[] = {
    fw::OnMessage(WM_MOUSEMOVE, &Self::OnMouseMove),
    fw::OnMessage(WM_MOUSELEAVE, &Self::OnMouseLeave),
    fw::OnMessage(WM_ENABLE, &Self::OnEnable),
    fw::OnMessage(WM_SETTEXT, &Self::OnSetText),
    fw::OnReflect(WM_DRAWITEM, &Self::OnDrawItem),
};
bool CFlatButton::Dispatch(const fw::Msg& m, LRESULT& result) {
    return fw::RunMap(*this, kMap, m, result) || CControl::Dispatch(m, result);
}

bool CFlatButton::Attach(HWND dialog, int id, int iconId) {
    if (!SubclassDlgItem(dialog, id)) return false;
    const LONG_PTR style = GetWindowLongPtrW(m_hwnd, GWL_STYLE);
    SetWindowLongPtrW(m_hwnd, GWL_STYLE, (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
    m_dpi = fw::WindowDpi(dialog);
    SetIcon(iconId);
    return true;
}

void CFlatButton::SetIcon(int iconId) {
    m_iconId = iconId;
    m_iconSize = fw::SmallIconSizeForDpi(m_dpi);
    m_icon.reset(fw::LoadIconAtSize(iconId, m_iconSize));
    if (m_hwnd) InvalidateRect(m_hwnd, nullptr, TRUE);
}

void CFlatButton::SetDpi(int dpi) {
    m_dpi = dpi;
    SetIcon(m_iconId);
}

int CFlatButton::TextRoom(int buttonWidth, int dpi, bool withIcon) {
    const fw::DpiScale s(dpi);
    const int icon = withIcon ? fw::SmallIconSizeForDpi(dpi) + s(kIconTextGap) : 0;
    return buttonWidth - 2 * s(kPadding) - icon;
}

void CFlatButton::SetHot(bool hot) {
    if (m_hot == hot) return;
    m_hot = hot;
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

LRESULT CFlatButton::OnMouseMove(const fw::Msg& m) {
    if (!m_hot) {
        TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, m_hwnd, 0};
        TrackMouseEvent(&tme);
        SetHot(true);
    }
    m.passOn = true;
    return 0;
}

LRESULT CFlatButton::OnMouseLeave(const fw::Msg& m) {
    SetHot(false);
    m.passOn = true;
    return 0;
}

LRESULT CFlatButton::OnEnable(const fw::Msg& m) {
    if (!m.wp) m_hot = false;
    InvalidateRect(m_hwnd, nullptr, FALSE);
    m.passOn = true;
    return 0;
}

LRESULT CFlatButton::OnSetText(const fw::Msg& m) {
    // An owner-drawn button does not repaint itself for a new text.
    const LRESULT r = Default(m);
    InvalidateRect(m_hwnd, nullptr, FALSE);
    return r;
}

LRESULT CFlatButton::OnDrawItem(const fw::Msg& m) {
    const auto* di = reinterpret_cast<const DRAWITEMSTRUCT*>(m.lp);
    if (di->CtlType != ODT_BUTTON) {
        m.passOn = true;
        return FALSE;
    }
    Draw(*di);
    return TRUE;
}

// Flat until the pointer is over it or it is pressed: then tinted with the
// selection colour and framed (in high contrast: filled with it). Returns the colour
// for the text on it.
COLORREF CFlatButton::DrawFace(HDC dc, const RECT& rc, bool pressed, bool disabled) const {
    const fw::Palette p = fw::SchemePalette();
    if (disabled || !(pressed || m_hot)) {
        widgets::FillSolid(dc, rc, p.face);
        return disabled ? p.grayText : p.faceText;
    }
    if (!p.blends) {
        widgets::FillSolid(dc, rc, p.highlight);
        return p.highlightText;
    }
    widgets::FillSolid(dc, rc, widgets::Blend(p.face, p.highlight, pressed ? 35 : 18));
    widgets::FrameSolid(dc, rc, widgets::Blend(p.face, p.highlight, 70));
    return p.faceText;
}

void CFlatButton::Draw(const DRAWITEMSTRUCT& di) const {
    HDC dc = di.hDC;
    RECT rc = di.rcItem;
    const bool pressed = (di.itemState & ODS_SELECTED) != 0;
    const bool disabled = (di.itemState & ODS_DISABLED) != 0;
    const COLORREF textColour = DrawFace(dc, rc, pressed, disabled);

    const std::wstring text = fw::WindowText(m_hwnd);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(m_hwnd, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    RECT textRc{0, 0, 0, 0};
    if (!text.empty()) DrawTextW(dc, text.c_str(), -1, &textRc, DT_SINGLELINE | DT_CALCRECT);
    const fw::DpiScale s(m_dpi);
    const int iconW = m_icon ? m_iconSize : 0;
    const int gap = (iconW && !text.empty()) ? s(kIconTextGap) : 0;
    const int contentW = iconW + gap + (textRc.right - textRc.left);
    const int shift = pressed ? 1 : 0;
    int x = rc.left + ((rc.right - rc.left) - contentW) / 2 + shift;
    if (x < rc.left + s(kPadding)) x = rc.left + s(kPadding);
    const int midY = (rc.top + rc.bottom) / 2 + shift;

    if (m_icon) {
        widgets::DrawIconAt(dc, x, midY - m_iconSize / 2, m_icon.get(), m_iconSize, disabled);
        x += iconW + gap;
    }
    if (!text.empty()) {
        RECT tr{x, rc.top + shift, rc.right - s(kPadding), rc.bottom + shift};
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, textColour);
        UINT flags = DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS;
        if (di.itemState & ODS_NOACCEL) flags |= DT_HIDEPREFIX;
        DrawTextW(dc, text.c_str(), -1, &tr, flags);
    }
    SelectObject(dc, oldFont);

    if ((di.itemState & ODS_FOCUS) && !(di.itemState & ODS_NOFOCUSRECT)) {
        RECT focus = rc;
        InflateRect(&focus, -s(kFocusInset), -s(kFocusInset));
        DrawFocusRect(dc, &focus);
    }
}

CButtonTips::~CButtonTips() {
    if (m_tip && IsWindow(m_tip)) DestroyWindow(m_tip);
}

bool CButtonTips::Create(HWND dialog) {
    if (m_tip || !dialog) return false;
    m_dialog = dialog;
    m_tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                            fw::CWinApp::ResourceInstance(), nullptr);
    return m_tip != nullptr;
}

void CButtonTips::Add(int id, const wchar_t* text) {
    HWND control = GetDlgItem(m_dialog, id);
    if (!m_tip || !control || !text) return;
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = m_dialog;
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    ti.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(m_tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}
