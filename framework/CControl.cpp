#include "framework/CControl.h"
#include "framework/CWinApp.h"

namespace fw {
namespace {
constexpr UINT_PTR kSubclassId = 0x746d;  // "tm"
}

CControl::~CControl() { Unsubclass(); }

bool CControl::Subclass(HWND hwnd) {
    if (!hwnd || m_hwnd) return false;
    if (!SetWindowSubclass(hwnd, &CControl::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    AttachHandle(hwnd);
    return true;
}

void CControl::Unsubclass() {
    if (!m_hwnd) return;
    RemoveWindowSubclass(m_hwnd, &CControl::SubclassProc, kSubclassId);
    DetachHandle();
}

LRESULT CControl::Default(const Msg& m) const { return DefSubclassProc(m_hwnd, m.id, m.wp, m.lp); }

LRESULT CALLBACK CControl::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<CControl*>(data);
    if (msg == WM_NCDESTROY) {
        self->Unsubclass();
        return DefSubclassProc(hwnd, msg, wp, lp);
    }
    LRESULT result = 0;
    try {
        if (self->Dispatch(Msg{msg, wp, lp}, result)) return result;
    } catch (...) {
        return 0;
    }
    // Reflected messages nobody handled get no default processing of their own.
    if (msg >= kReflectBase && msg < kReflectBase + WM_USER) return 0;
    return DefSubclassProc(hwnd, msg, wp, lp);
}

CCustomWindow::~CCustomWindow() {
    if (m_hwnd) DestroyWindow(m_hwnd);
}

bool CCustomWindow::RegisterClassOnce(const wchar_t* className, HCURSOR cursor, HBRUSH background, UINT style) {
    WNDCLASSEXW existing{sizeof(existing)};
    if (GetClassInfoExW(CWinApp::ResourceInstance(), className, &existing)) return true;
    WNDCLASSEXW wc{sizeof(wc)};
    wc.style = style;
    wc.lpfnWndProc = &CCustomWindow::WndProc;
    wc.hInstance = CWinApp::ResourceInstance();
    wc.hCursor = cursor ? cursor : LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    return RegisterClassExW(&wc) != 0;
}

bool CCustomWindow::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                             int x, int y, int w, int h, HWND parent, HMENU idOrMenu) {
    return CreateWindowExW(exStyle, className, title, style, x, y, w, h, parent, idOrMenu,
                           CWinApp::ResourceInstance(), this) != nullptr;
}

LRESULT CALLBACK CCustomWindow::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        static_cast<CCustomWindow*>(cs->lpCreateParams)->AttachHandle(hwnd);
    }
    auto* self = static_cast<CCustomWindow*>(CWnd::FromHandle(hwnd));
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    LRESULT result = 0;
    bool handled = false;
    try {
        handled = self->Dispatch(Msg{msg, wp, lp}, result);
    } catch (...) {
        handled = true;
    }
    if (msg == WM_NCDESTROY) {
        self->DetachHandle();
        return handled ? result : DefWindowProcW(hwnd, msg, wp, lp);
    }
    return handled ? result : DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace fw
