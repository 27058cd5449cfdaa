#include "framework/CControl.h"
#include "framework/CWinApp.h"
#include <unordered_map>

namespace fw {
namespace {

// Controls whose object let go while another procedure was installed above ours:
// our procedure stays in that chain and hands their messages to the original one.
struct Bypasses {
    SRWLOCK lock = SRWLOCK_INIT;
    std::unordered_map<HWND, WNDPROC> procs;
};

Bypasses& Bypassed() {
    static Bypasses* bypasses = new Bypasses;  // never freed: controls may go during exit
    return *bypasses;
}

WNDPROC TakeBypass(HWND hwnd, bool remove) {
    Bypasses& b = Bypassed();
    AcquireSRWLockExclusive(&b.lock);
    WNDPROC proc = nullptr;
    const auto found = b.procs.find(hwnd);
    if (found != b.procs.end()) {
        proc = found->second;
        if (remove) b.procs.erase(found);
    }
    ReleaseSRWLockExclusive(&b.lock);
    return proc;
}

}  // namespace

CControl::~CControl() { Unsubclass(); }

// The control's window procedure is replaced by ours, which passes on what the object
// does not handle. (Common controls' own subclass chain would cost two window-property
// lookups per message, each a round trip to the window server under Wine.)
bool CControl::Subclass(HWND hwnd) {
    if (!hwnd || m_hwnd || FromHandle(hwnd) || GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId())
        return false;
    AttachHandle(hwnd);
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CControl::WndProc)));
    if (!previous) {
        DetachHandle();
        return false;
    }
    m_previous = previous;
    return true;
}

void CControl::Unsubclass() {
    if (!m_hwnd) return;
    const HWND hwnd = m_hwnd;
    if (GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CControl::WndProc)) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
    } else if (IsWindow(hwnd)) {
        Bypasses& b = Bypassed();
        AcquireSRWLockExclusive(&b.lock);
        b.procs[hwnd] = m_previous;
        ReleaseSRWLockExclusive(&b.lock);
    }
    DetachHandle();
    m_previous = nullptr;
}

LRESULT CControl::Default(const Msg& m) const { return CallWindowProcW(m_previous, m_hwnd, m.id, m.wp, m.lp); }

LRESULT CALLBACK CControl::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = dynamic_cast<CControl*>(FromHandle(hwnd));
    if (!self) {
        const WNDPROC bypass = TakeBypass(hwnd, msg == WM_NCDESTROY);
        return bypass ? CallWindowProcW(bypass, hwnd, msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
    }
    if (msg == WM_NCDESTROY) {
        const WNDPROC previous = self->m_previous;
        self->Unsubclass();
        return CallWindowProcW(previous, hwnd, msg, wp, lp);
    }
    LRESULT result = 0;
    try {
        if (self->Dispatch(Msg{msg, wp, lp}, result)) return result;
    } catch (...) {
        return 0;
    }
    // Reflected messages nobody handled get no default processing of their own.
    if (msg >= kReflectBase && msg < kReflectBase + WM_USER) return 0;
    return CallWindowProcW(self->m_previous, hwnd, msg, wp, lp);
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
