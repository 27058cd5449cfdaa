#include "browser/CLinkLabel.h"
#include "browser/HtmBrowserCommand.h"
#include "browser/LinkFallback.h"
#include "browser/ProductLinks.h"
#include "browser/WinExecSeam.h"
#include "framework/Seams.h"
#include "store/TextConv.h"
#include <commctrl.h>

namespace {

constexpr UINT_PTR kSubclassId = 0x4C4E4B;  // "LNK"
constexpr wchar_t kLabelProp[] = L"Tidemarker.LinkLabel";  // the label behind a control
constexpr UINT kHoverPeriodMs = 100;
constexpr int kHandCursorId = 106;
constexpr UINT_PTR kToolId = 1;

}  // namespace

struct CLinkLabel::Handler {
    UINT msg;
    bool (CLinkLabel::*fn)(WPARAM, LPARAM, LRESULT&);
};

// Everything the label itself reacts to; the rest goes to the static control.
const CLinkLabel::Handler CLinkLabel::kHandlers[] = {
    {WM_SETCURSOR, &CLinkLabel::OnSetCursor},
    {WM_MOUSEMOVE, &CLinkLabel::OnMouseMove},
    {WM_TIMER, &CLinkLabel::OnTimer},
    {WM_ERASEBKGND, &CLinkLabel::OnEraseBkgnd},
};

CLinkLabel::~CLinkLabel() {
    if (m_hwnd) Detach();
}

bool CLinkLabel::Attach(HWND control) {
    if (m_hwnd || !IsWindow(control)) return false;
    if (!SetWindowSubclass(control, &CLinkLabel::SubclassProc, kSubclassId,
                           reinterpret_cast<DWORD_PTR>(this)))
        return false;
    m_hwnd = control;
    SetPropW(control, kLabelProp, this);
    SetWindowLongPtrW(control, GWL_STYLE, GetWindowLongPtrW(control, GWL_STYLE) | SS_NOTIFY);
    if (m_url.empty()) m_url = WindowText();
    if (WindowText().empty()) SetWindowTextW(control, m_url.c_str());
    CreateFonts();
    if (m_adjustToFit) FitToText();
    if (!m_handCursor) LoadHandCursor();
    ShowFont(m_underlineMode == kAlwaysUnderlined);
    CreateTooltip();
    return true;
}

void CLinkLabel::SetURL(const std::wstring& url) {
    m_url = url;
    if (!m_hwnd) return;
    if (m_adjustToFit) FitToText();
    if (!m_tooltip) return;
    TTTOOLINFOW ti = ToolInfo();
    SendMessageW(m_tooltip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
    SendMessageW(m_tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

INT_PTR CLinkLabel::OpenLink(const std::wstring& url, int showCommand) {
    const INT_PTR shellResult = seams::ShellOpen(url, showCommand);
    if (shellResult > 32) return shellResult;
    std::wstring command;
    if (!ReadHtmBrowserCommand(command)) return shellResult;
    const std::optional<std::wstring> line = BuildFallbackCommandLine(command, url);
    if (!line) return shellResult;
    return static_cast<INT_PTR>(browser_seams::WinExec(ToAnsi(*line), showCommand));
}

CLinkLabel* CLinkLabel::FromHwnd(HWND control) {
    return control ? static_cast<CLinkLabel*>(GetPropW(control, kLabelProp)) : nullptr;
}

bool CLinkLabel::ReflectToLabel(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    CLinkLabel* label = FromHwnd(reinterpret_cast<HWND>(lp));
    if (!label) return false;
    if (msg == WM_CTLCOLORSTATIC) {
        result = reinterpret_cast<LRESULT>(label->OnReflectedCtlColor(reinterpret_cast<HDC>(wp)));
        return true;
    }
    if (msg == WM_COMMAND && HIWORD(wp) == STN_CLICKED) {
        label->OnReflectedClick();
        result = 0;
        return true;
    }
    return false;
}

void CLinkLabel::OnReflectedClick() {
    m_hovering = false;
    const INT_PTR result = OpenLink(m_url, SW_SHOW);
    if (result > 32) {
        m_visited = true;
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return;
    }
    MessageBeep(MB_ICONEXCLAMATION);
    seams::MessageBox(GetParent(m_hwnd),
                      L"Unable to open hyperlink:\n\n" + ShellOpenErrorText(result),
                      kProductName, MB_OK | MB_ICONEXCLAMATION);
}

HBRUSH CLinkLabel::OnReflectedCtlColor(HDC dc) {
    SetTextColor(dc, m_hovering ? m_hoverColour : m_visited ? m_visitedColour : m_linkColour);
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

LRESULT CALLBACK CLinkLabel::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp,
                                          UINT_PTR, DWORD_PTR selfData) {
    auto* self = reinterpret_cast<CLinkLabel*>(selfData);
    try {
        if (msg == WM_NCDESTROY) {
            self->Detach();
            return DefSubclassProc(hwnd, msg, wp, lp);
        }
        if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) self->RelayToTooltip(msg, wp, lp);
        for (const Handler& h : kHandlers) {
            LRESULT result = 0;
            if (h.msg == msg && (self->*h.fn)(wp, lp, result)) return result;
        }
    } catch (...) {
        // nothing may unwind into USER32; the control's own handling follows
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

bool CLinkLabel::OnSetCursor(WPARAM, LPARAM, LRESULT& result) {
    if (!m_handCursor) return false;
    SetCursor(m_handCursor.get());
    result = TRUE;
    return true;
}

bool CLinkLabel::OnMouseMove(WPARAM, LPARAM, LRESULT&) {
    if (!m_hovering) {
        m_hovering = true;
        if (m_underlineMode == kUnderlinedWhileHovering) ShowFont(true);
        InvalidateRect(m_hwnd, nullptr, TRUE);
        SetTimer(m_hwnd, m_timerId, kHoverPeriodMs, nullptr);
    }
    return false;  // the static control sees the move too
}

bool CLinkLabel::OnTimer(WPARAM wp, LPARAM, LRESULT& result) {
    if (wp != m_timerId) return false;
    // Where the pointer is now: a timer tick carries no mouse position of its own.
    POINT pt{};
    GetCursorPos(&pt);
    ScreenToClient(m_hwnd, &pt);
    RECT client{};
    GetClientRect(m_hwnd, &client);
    if (!PtInRect(&client, pt)) {
        m_hovering = false;
        KillTimer(m_hwnd, m_timerId);
        if (m_underlineMode != kAlwaysUnderlined) ShowFont(false);
        client.bottom += 10;
        InvalidateRect(m_hwnd, &client, TRUE);
    }
    result = 0;
    return true;
}

bool CLinkLabel::OnEraseBkgnd(WPARAM wp, LPARAM, LRESULT& result) {
    RECT client{};
    GetClientRect(m_hwnd, &client);
    FillRect(reinterpret_cast<HDC>(wp), &client, GetSysColorBrush(COLOR_BTNFACE));
    result = TRUE;
    return true;
}

void CLinkLabel::RelayToTooltip(UINT msg, WPARAM wp, LPARAM lp) {
    if (!m_tooltip) return;
    const DWORD pos = GetMessagePos();
    MSG m{m_hwnd, msg, wp, lp, static_cast<DWORD>(GetMessageTime()),
          {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))}};
    SendMessageW(m_tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

void CLinkLabel::CreateFonts() {
    m_originalFont = reinterpret_cast<HFONT>(SendMessageW(m_hwnd, WM_GETFONT, 0, 0));
    HGDIOBJ base = m_originalFont;
    if (!base) base = GetStockObject(DEFAULT_GUI_FONT);
    if (!base) base = GetStockObject(ANSI_VAR_FONT);
    LOGFONTW lf{};
    if (!base || !GetObjectW(base, sizeof(lf), &lf)) return;
    m_standardFont.reset(CreateFontIndirectW(&lf));
    lf.lfUnderline = TRUE;
    m_underlineFont.reset(CreateFontIndirectW(&lf));
}

void CLinkLabel::FitToText() {
    const std::wstring text = WindowText();
    SIZE extent{};
    if (HDC dc = GetDC(m_hwnd)) {
        HGDIOBJ old = m_underlineFont ? SelectObject(dc, m_underlineFont.get()) : nullptr;
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        if (old) SelectObject(dc, old);
        ReleaseDC(m_hwnd, dc);
    }
    RECT win{}, client{};
    GetWindowRect(m_hwnd, &win);
    GetClientRect(m_hwnd, &client);
    const int width = extent.cx + (win.right - win.left) - client.right;
    const int height = extent.cy + (win.bottom - win.top) - client.bottom;
    MapWindowPoints(nullptr, GetParent(m_hwnd), reinterpret_cast<POINT*>(&win), 2);

    const LONG_PTR style = GetWindowLongPtrW(m_hwnd, GWL_STYLE);
    if (style & SS_CENTERIMAGE) win.top += ((win.bottom - win.top) - height) / 2;
    const LONG_PTR align = style & SS_TYPEMASK;
    if (align == SS_CENTER) win.left += ((win.right - win.left) - width) / 2;
    else if (align == SS_RIGHT) win.left = win.right - width;
    SetWindowPos(m_hwnd, nullptr, win.left, win.top, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void CLinkLabel::LoadHandCursor() {
    wchar_t folder[MAX_PATH] = {};
    const UINT n = GetWindowsDirectoryW(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    const std::wstring path = std::wstring(folder) + L"\\winhlp32.exe";
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return;
    if (HCURSOR cursor = LoadCursorW(module, MAKEINTRESOURCEW(kHandCursorId)))
        m_handCursor.reset(CopyIcon(cursor));
    FreeLibrary(module);
}

void CLinkLabel::CreateTooltip() {
    m_tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                m_hwnd, nullptr, nullptr, nullptr);
    if (!m_tooltip) return;
    TTTOOLINFOW ti = ToolInfo();
    SendMessageW(m_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

// The one tool: the whole client area, showing the url.
TTTOOLINFOW CLinkLabel::ToolInfo() {
    TTTOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;  // accepted by every common-controls version
    ti.hwnd = m_hwnd;
    ti.uId = kToolId;
    GetClientRect(m_hwnd, &ti.rect);
    ti.lpszText = m_url.data();
    return ti;
}

void CLinkLabel::ShowFont(bool underlined) {
    HFONT font = underlined ? m_underlineFont.get() : m_standardFont.get();
    if (font) SendMessageW(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

std::wstring CLinkLabel::WindowText() const {
    const int n = GetWindowTextLengthW(m_hwnd);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(m_hwnd, text.data(), n + 1)));
    return text;
}

// Gives the control back as it was: no timer, no tooltip, its own font.
void CLinkLabel::Detach() {
    KillTimer(m_hwnd, m_timerId);
    if (m_tooltip) DestroyWindow(m_tooltip);
    m_tooltip = nullptr;
    SendMessageW(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_originalFont), FALSE);
    RemoveWindowSubclass(m_hwnd, &CLinkLabel::SubclassProc, kSubclassId);
    RemovePropW(m_hwnd, kLabelProp);
    m_standardFont.reset();
    m_underlineFont.reset();
    m_handCursor.reset();
    m_hovering = false;
    m_hwnd = nullptr;
}
