// A static text control that looks and acts like a hyperlink: link, visited and
// hover colours, underlined while the mouse is over it, a hand cursor and a tooltip
// with its target. Attach it to a static control of a dialog; the dialog reflects
// the control's STN_CLICKED and WM_CTLCOLORSTATIC to it (see ReflectToLabel).
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <memory>
#include <string>
#include <type_traits>

class CLinkLabel {
public:
    enum UnderlineMode { kNeverUnderlined = 0, kAlwaysUnderlined = 1, kUnderlinedWhileHovering = -1 };

    CLinkLabel() = default;
    ~CLinkLabel();
    CLinkLabel(const CLinkLabel&) = delete;
    CLinkLabel& operator=(const CLinkLabel&) = delete;

    // Subclasses an existing static control and sets it up. False if it cannot.
    bool Attach(HWND control);
    // Stores the target; a live label re-fits itself and updates its tooltip.
    void SetURL(const std::wstring& url);
    const std::wstring& URL() const { return m_url; }

    // Shell "open" first; when that fails, the browser registered for .htm files.
    // Above 32 is success; otherwise an error code for ShellOpenErrorText.
    static INT_PTR OpenLink(const std::wstring& url, int showCommand);

    // The label attached to a control, or null.
    static CLinkLabel* FromHwnd(HWND control);
    // For a parent's window procedure: handles WM_COMMAND/STN_CLICKED and
    // WM_CTLCOLORSTATIC when they come from a link label. True when handled.
    static bool ReflectToLabel(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    void OnReflectedClick();
    HBRUSH OnReflectedCtlColor(HDC dc);

    HWND Hwnd() const { return m_hwnd; }
    bool IsHovering() const { return m_hovering; }
    bool IsVisited() const { return m_visited; }
    HCURSOR HandCursor() const { return m_handCursor.get(); }

private:
    struct FontFree { void operator()(HFONT f) const { DeleteObject(f); } };
    struct CursorFree { void operator()(HCURSOR c) const { DestroyIcon(c); } };  // a CopyIcon copy
    using OwnedFont = std::unique_ptr<std::remove_pointer_t<HFONT>, FontFree>;
    using OwnedCursor = std::unique_ptr<std::remove_pointer_t<HCURSOR>, CursorFree>;
    struct Handler;
    static const Handler kHandlers[];

    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp,
                                         UINT_PTR id, DWORD_PTR self);
    bool OnSetCursor(WPARAM wp, LPARAM lp, LRESULT& result);
    bool OnMouseMove(WPARAM wp, LPARAM lp, LRESULT& result);
    bool OnTimer(WPARAM wp, LPARAM lp, LRESULT& result);
    bool OnEraseBkgnd(WPARAM wp, LPARAM lp, LRESULT& result);
    void RelayToTooltip(UINT msg, WPARAM wp, LPARAM lp);

    void CreateFonts();
    void FitToText();
    void LoadHandCursor();
    void CreateTooltip();
    TTTOOLINFOW ToolInfo();
    void ShowFont(bool underlined);
    std::wstring WindowText() const;
    void Detach();

    COLORREF m_linkColour = RGB(0, 0, 238);
    COLORREF m_visitedColour = RGB(85, 26, 139);
    COLORREF m_hoverColour = RGB(255, 0, 0);
    bool m_hovering = false;
    bool m_visited = false;
    int m_underlineMode = kUnderlinedWhileHovering;
    bool m_adjustToFit = true;
    std::wstring m_url;
    OwnedFont m_standardFont;
    OwnedFont m_underlineFont;
    OwnedCursor m_handCursor;
    HWND m_tooltip = nullptr;
    UINT_PTR m_timerId = 100;

    HWND m_hwnd = nullptr;
    HFONT m_originalFont = nullptr;  // the control's own font, given back on an early detach
};
