#include "framework/ColourScheme.h"
#include "framework/SdkExtras.h"
#include <commctrl.h>
#include <dwmapi.h>
#include <uxtheme.h>

namespace fw {
namespace {

constexpr COLORREF kDarkFace = RGB(43, 43, 43);
constexpr COLORREF kDarkGray = RGB(128, 128, 128);
constexpr COLORREF kDarkShadow = RGB(64, 64, 64);

struct State {
    bool read = false;
    Scheme scheme = Scheme::Light;
    OwnedBrush windowBrush, faceBrush;  // the dark palette's, while dark
};

State& Current() {
    static State state;  // the GUI thread's
    return state;
}

// The accent the user chose for Windows, else the selection colour.
COLORREF AccentColour() {
    DWORD argb = 0;
    BOOL opaque = FALSE;
    if (SUCCEEDED(DwmGetColorizationColor(&argb, &opaque)) && argb)
        return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
    return GetSysColor(COLOR_HIGHLIGHT);
}

// Black or white, whichever reads better on `back`.
COLORREF TextOn(COLORREF back) {
    const int luma = (GetRValue(back) * 299 + GetGValue(back) * 587 + GetBValue(back) * 114) / 1000;
    return luma > 140 ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

void Apply(State& s, Scheme scheme) {
    s.scheme = scheme;
    s.read = true;
    if (scheme == Scheme::Dark) {
        s.windowBrush.reset(CreateSolidBrush(kDarkWindow));
        s.faceBrush.reset(CreateSolidBrush(kDarkFace));
    } else {
        s.windowBrush.reset();
        s.faceBrush.reset();
    }
}

bool IsThemedButtonWithText(HWND child) {
    wchar_t cls[16] = L"";
    if (!GetClassNameW(child, cls, 16) || lstrcmpiW(cls, L"Button") != 0) return false;
    switch (GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK) {
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_3STATE: case BS_AUTO3STATE:
    case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON: case BS_GROUPBOX:
        return true;
    default:
        return false;
    }
}

BOOL CALLBACK ThemeChild(HWND child, LPARAM dark) {
    if (IsThemedButtonWithText(child)) {
        if (dark) SetWindowTheme(child, L"", L"");
        else SetWindowTheme(child, nullptr, nullptr);
        InvalidateRect(child, nullptr, TRUE);
    }
    return TRUE;
}

}  // namespace

Scheme ReadSystemScheme() {
    HIGHCONTRASTW hc{sizeof(hc)};
    if (SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(hc), &hc, 0) && (hc.dwFlags & HCF_HIGHCONTRASTON))
        return Scheme::HighContrast;
    DWORD light = 1, size = sizeof(light);
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                     L"AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &light, &size) == ERROR_SUCCESS &&
        light == 0)
        return Scheme::Dark;
    return Scheme::Light;
}

Scheme CurrentScheme() {
    State& s = Current();
    if (!s.read) Apply(s, ReadSystemScheme());
    return s.scheme;
}

bool RefreshScheme() {
    State& s = Current();
    const Scheme now = ReadSystemScheme();
    const bool changed = !s.read || now != s.scheme;
    if (changed) Apply(s, now);
    return changed;
}

Palette SchemePalette() {
    if (CurrentScheme() == Scheme::Dark) {
        const COLORREF accent = AccentColour();
        return {kDarkWindow, kDarkText, kDarkFace, kDarkText, kDarkFace, kDarkText, kDarkGray,
                accent,      TextOn(accent), kDarkShadow, true};
    }
    const auto sys = [](int index) { return GetSysColor(index); };
    return {sys(COLOR_WINDOW),   sys(COLOR_WINDOWTEXT), sys(COLOR_BTNFACE),   sys(COLOR_BTNTEXT),
            sys(COLOR_MENU),     sys(COLOR_MENUTEXT),   sys(COLOR_GRAYTEXT),  sys(COLOR_HIGHLIGHT),
            sys(COLOR_HIGHLIGHTTEXT), sys(COLOR_BTNSHADOW), CurrentScheme() != Scheme::HighContrast};
}

bool IsColourSettingChange(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SYSCOLORCHANGE) return true;
    if (msg != WM_SETTINGCHANGE) return false;
    if (wp == SPI_SETHIGHCONTRAST) return true;
    const auto* area = reinterpret_cast<const wchar_t*>(lp);
    return area && lstrcmpiW(area, L"ImmersiveColorSet") == 0;
}

HBRUSH DarkControlColours(UINT msg, HDC dc) {
    State& s = Current();
    if (CurrentScheme() != Scheme::Dark || !s.windowBrush || !s.faceBrush) return nullptr;
    switch (msg) {
    case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX:
        SetTextColor(dc, kDarkText);
        SetBkColor(dc, kDarkWindow);
        return s.windowBrush.get();
    case WM_CTLCOLORSTATIC: case WM_CTLCOLORBTN: case WM_CTLCOLORDLG:
        SetTextColor(dc, kDarkText);
        SetBkColor(dc, kDarkFace);
        return s.faceBrush.get();
    default:
        return nullptr;
    }
}

void ApplySchemeToWindow(HWND window, bool wasDark) {
    const bool dark = CurrentScheme() == Scheme::Dark;
    if (!dark && !wasDark) return;  // never drawn dark: nothing to put back
    if (!(GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)) {
        const BOOL on = dark;
        DwmSetWindowAttribute(window, kDwmUseImmersiveDarkMode, &on, sizeof(on));  // older Windows: no dark bar
    }
    EnumChildWindows(window, &ThemeChild, dark);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void ListViewColours::Apply(HWND list, bool dark) {
    if (!list || dark == m_dark) return;
    if (dark) {
        m_back = ListView_GetBkColor(list);
        m_text = ListView_GetTextColor(list);
        m_textBack = ListView_GetTextBkColor(list);
    }
    ListView_SetBkColor(list, dark ? kDarkWindow : m_back);
    ListView_SetTextBkColor(list, dark ? kDarkWindow : m_textBack);
    ListView_SetTextColor(list, dark ? kDarkText : m_text);
    m_dark = dark;
    InvalidateRect(list, nullptr, TRUE);
}

}  // namespace fw
