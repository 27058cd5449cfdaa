// A control created by a dialog template (or anyone else) and subclassed so that
// its object sees its messages, including the notifications its parent reflects.
#pragma once
#include "framework/CWnd.h"

namespace fw {

class CControl : public CWnd {
public:
    ~CControl() override;
    bool Subclass(HWND hwnd);
    bool SubclassDlgItem(HWND dialog, int id) { return Subclass(GetDlgItem(dialog, id)); }
    void Unsubclass();

protected:
    // The control's normal processing of a message.
    LRESULT Default(const Msg& m) const;

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    WNDPROC m_previous = nullptr;  // the procedure ours replaced
};

// A window of a class of our own (splitter bar, hidden tray window).
class CCustomWindow : public CWnd {
public:
    ~CCustomWindow() override;
    bool CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x,
                  int y, int w, int h, HWND parent, HMENU idOrMenu);
    static bool RegisterClassOnce(const wchar_t* className, HCURSOR cursor, HBRUSH background,
                                  UINT style = CS_DBLCLKS);

protected:
    LRESULT Default(const Msg& m) const { return DefWindowProcW(m_hwnd, m.id, m.wp, m.lp); }

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
};

}  // namespace fw
