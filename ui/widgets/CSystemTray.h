// The program's icon in the notification area. It has a hidden window of its own
// that receives the icon's mouse messages and hands them to the parent window as the
// callback message (wParam = icon id, lParam = mouse message).
#pragma once
#include "framework/CControl.h"
#include <shellapi.h>
#include <string>

// Copies text into a fixed character field, cut so that it always ends with a
// terminator inside the field. Returns the number of characters copied.
size_t CopyToField(wchar_t* field, size_t fieldChars, const std::wstring& text);

class CSystemTray : public fw::CCustomWindow {
public:
    CSystemTray() = default;
    ~CSystemTray() override;

    // Adds the icon (NIM_ADD with message, icon and tip). False when the system is
    // too old for notification icons or the shell refused the icon.
    bool Create(HWND parent, UINT callbackMessage, const std::wstring& tip, HICON icon, UINT id);
    // Replaces the tip (NIM_MODIFY) while the icon is shown; a text longer than the
    // tip field (127 characters) is cut.
    bool SetTooltipText(const std::wstring& text);
    bool RemoveIcon();

    bool IsAdded() const { return m_added; }
    std::wstring TooltipText() const { return m_nid.szTip; }

    bool Dispatch(const fw::Msg& m, LRESULT& result) override;

private:
    NOTIFYICONDATAW m_nid{};
    HWND m_parent = nullptr;
    UINT m_callbackMessage = 0;
    bool m_added = false;
};
