// The colours the program's windows draw with. Light is the look Windows gives: the
// system's colours. Dark, when Windows apps are set to dark (HKEY_CURRENT_USER
// Software\Microsoft\Windows\CurrentVersion\Themes\Personalize, AppsUseLightTheme 0),
// is a palette of our own with the system's accent for selections. With high contrast
// on, the windows draw with the system's colours only, whatever the app setting.
#pragma once
#include "framework/Owned.h"
#include <windows.h>
#include <commctrl.h>

namespace fw {

enum class Scheme { Light, Dark, HighContrast };

struct Palette {
    COLORREF window, windowText;        // panes and edit fields
    COLORREF face, faceText;            // dialogs, buttons, the status line
    COLORREF menu, menuText;
    COLORREF grayText;                  // what cannot be used now
    COLORREF highlight, highlightText;  // the selection
    COLORREF shadow;                    // lines and the menus' icon column
    bool blends;                        // tints mixed from these colours may be drawn (not in high contrast)
};

inline constexpr COLORREF kDarkWindow = RGB(32, 32, 32);
inline constexpr COLORREF kDarkText = RGB(230, 230, 230);

// Windows' settings as they are now.
Scheme ReadSystemScheme();
// The scheme the windows draw with: the settings as last read.
Scheme CurrentScheme();
// Reads the settings again; true when the scheme changed.
bool RefreshScheme();
Palette SchemePalette();
inline bool IsDarkScheme() { return CurrentScheme() == Scheme::Dark; }

// WM_SETTINGCHANGE for the app colour setting ("ImmersiveColorSet") or high contrast,
// or WM_SYSCOLORCHANGE.
bool IsColourSettingChange(UINT msg, WPARAM wp, LPARAM lp);

// A dialog's WM_CTLCOLOR* in the dark scheme: the colours set in `dc` and the background
// brush (alive until the scheme changes). Null in the other schemes: the system's.
HBRUSH DarkControlColours(UINT msg, HDC dc);

// The dark title bar of a top-level window, and its check boxes, radio buttons and group
// boxes drawn without the visual style (which would draw their text black on dark) while
// the scheme is dark. `wasDark`: the window was drawn dark before (so light is restored).
void ApplySchemeToWindow(HWND window, bool wasDark);

// A list view's colours in the dark palette, and back to those it had before.
class ListViewColours {
public:
    void Apply(HWND list, bool dark);
    bool Dark() const { return m_dark; }

private:
    bool m_dark = false;
    COLORREF m_back = CLR_DEFAULT, m_text = CLR_DEFAULT, m_textBack = CLR_DEFAULT;
};

}  // namespace fw
