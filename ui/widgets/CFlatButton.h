// Flat push buttons that show a small icon beside their text (icon only when the
// text is empty) and light up while the mouse is over them; and the tooltips of a
// dialog's buttons. Icon and padding follow the display scale.
#pragma once
#include "framework/CControl.h"
#include "framework/Owned.h"
#include "framework/WindowDpi.h"

class CFlatButton : public fw::CControl {
public:
    // Subclasses button `id` of `dialog`, makes it owner-drawn and gives it the icon
    // resource `iconId` (0: none). The dialog reflects WM_DRAWITEM to the button.
    bool Attach(HWND dialog, int id, int iconId);
    void SetIcon(int iconId);
    // Reloads the icon at the size of a new display scale.
    void SetDpi(int dpi);
    int IconSize() const { return m_iconSize; }
    // The width left for the text in a button of the given width.
    static int TextRoom(int buttonWidth, int dpi, bool withIcon);

    bool IsHot() const { return m_hot; }
    bool HasIcon() const { return static_cast<bool>(m_icon); }

    bool Dispatch(const fw::Msg& m, LRESULT& result) override;

private:
    using Self = CFlatButton;
    LRESULT OnMouseMove(const fw::Msg& m);
    LRESULT OnMouseLeave(const fw::Msg& m);
    LRESULT OnEnable(const fw::Msg& m);
    LRESULT OnSetText(const fw::Msg& m);
    LRESULT OnDrawItem(const fw::Msg& m);
    static const fw::MapEntry<CFlatButton> kMap[];

    COLORREF DrawFace(HDC dc, const RECT& rc, bool pressed, bool disabled) const;
    void Draw(const DRAWITEMSTRUCT& di) const;
    void SetHot(bool hot);

    fw::OwnedIcon m_icon;
    int m_iconId = 0;
    int m_dpi = fw::kBaseDpi;
    int m_iconSize = 16;
    bool m_hot = false;
};

// One tooltip control for the buttons of a dialog.
class CButtonTips {
public:
    CButtonTips() = default;
    ~CButtonTips();
    CButtonTips(const CButtonTips&) = delete;
    CButtonTips& operator=(const CButtonTips&) = delete;

    bool Create(HWND dialog);
    // Shows `text` while the mouse rests on control `id` of the dialog.
    void Add(int id, const wchar_t* text);
    HWND Hwnd() const { return m_tip; }

private:
    HWND m_dialog = nullptr;
    HWND m_tip = nullptr;
};
