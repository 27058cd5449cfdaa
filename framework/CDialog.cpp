#include "framework/CDialog.h"
#include "framework/CWinApp.h"
#include "framework/HelpFile.h"
#include "framework/ModalHook.h"
#include <utility>

namespace fw {
namespace {

ModalHook gModalHook;

// Messages whose result a dialog procedure returns directly instead of through
// DWLP_MSGRESULT.
bool ReturnsDirectly(UINT msg) {
    switch (msg) {
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM: case WM_VKEYTOITEM: case WM_CHARTOITEM: case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

}  // namespace

ModalHook SetModalHook(ModalHook hook) { return std::exchange(gModalHook, std::move(hook)); }

void RunModalHook(HWND window) {
    if (gModalHook) {
        ModalHook hook = gModalHook;  // the hook may replace itself
        hook(window);
    }
}

CDialog::~CDialog() {
    if (m_hwnd && !m_modal) DestroyWindow(m_hwnd);
}

INT_PTR CDialog::Route(CDialog* self, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (!self) return FALSE;
    LRESULT result = 0;
    bool handled = false;
    try {
        handled = self->Dispatch(Msg{msg, wp, lp}, result);
    } catch (...) {
        handled = true;  // nothing may unwind into the system's dialog manager
    }
    if (msg == WM_NCDESTROY) self->DetachHandle();
    if (!handled) return FALSE;
    if (ReturnsDirectly(msg)) return static_cast<INT_PTR>(result);
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR CALLBACK CDialog::DlgProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lp);
        reinterpret_cast<CDialog*>(lp)->AttachHandle(hwnd);
    }
    auto* self = reinterpret_cast<CDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    return Route(self, hwnd, msg, wp, lp);
}

bool CDialog::Dispatch(const Msg& m, LRESULT& result) {
    switch (m.id) {
    case WM_INITDIALOG:
        result = OnInitDialog();
        // A window that opens follows Windows' colour settings as they are now.
        if (!(GetWindowLongPtrW(m_hwnd, GWL_STYLE) & WS_CHILD)) RefreshScheme();
        FollowScheme(true);
        return true;
    case WM_SETTINGCHANGE: case WM_SYSCOLORCHANGE:
        if (IsColourSettingChange(m.id, m.wp, m.lp)) {
            RefreshScheme();
            FollowScheme(false);
        }
        return false;  // the default handling sees it too
    case WM_COMMAND:
        if (LOWORD(m.wp) == IDOK && HIWORD(m.wp) <= 1) { OnOK(); return true; }
        if (LOWORD(m.wp) == IDCANCEL && HIWORD(m.wp) <= 1) { OnCancel(); return true; }
        return m.lp && ReflectToChild(reinterpret_cast<HWND>(m.lp), m, result);
    case WM_NOTIFY:
        return ReflectToChild(reinterpret_cast<const NMHDR*>(m.lp)->hwndFrom, m, result);
    case WM_CTLCOLOREDIT: case WM_CTLCOLORSTATIC: case WM_CTLCOLORBTN: case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORDLG:
        if (m.id != WM_CTLCOLORDLG && ReflectToChild(reinterpret_cast<HWND>(m.lp), m, result)) return true;
        if (HBRUSH brush = DarkControlColours(m.id, reinterpret_cast<HDC>(m.wp))) {
            result = reinterpret_cast<LRESULT>(brush);
            return true;
        }
        return false;
    case WM_DRAWITEM:
        return m.wp && ReflectToChild(reinterpret_cast<const DRAWITEMSTRUCT*>(m.lp)->hwndItem, m, result);
    default:
        return false;
    }
}

void CDialog::FollowScheme(bool opening) {
    const Scheme previous = m_scheme, now = CurrentScheme();
    if (now == previous && !opening) return;
    if (now != previous) ApplySchemeToWindow(m_hwnd, previous == Scheme::Dark);
    m_scheme = now;
    OnSchemeChanged(previous);
}

void RunModalLoop(HWND dialog, const bool* done, bool (*running)(HWND), DialogMessageFn isDialogMessage) {
    MSG msg;
    while (!*done && IsWindow(dialog) && (!running || running(dialog))) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {  // WM_QUIT: leave, and let the outer loops see it too
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0) break;
        if (IsHelpKey(msg)) {
            ShowHelpInFront(dialog);
            continue;
        }
        if (PreTranslateChain(msg, dialog)) continue;
        if (isDialogMessage ? isDialogMessage(dialog, &msg) : IsDialogMessageW(dialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

INT_PTR CDialog::DoModal(HWND parent) {
    m_modal = true;
    m_ended = false;
    m_result = IDCANCEL;
    HWND hwnd = CreateDialogParamW(CWinApp::ResourceInstance(), MAKEINTRESOURCEW(m_templateId), parent,
                                   &CDialog::DlgProc, reinterpret_cast<LPARAM>(this));
    if (!hwnd) {
        m_modal = false;
        return -1;
    }
    const bool disableParent = parent && IsWindowEnabled(parent) && !m_ended;
    if (disableParent) EnableWindow(parent, FALSE);
    if (!m_ended && !IsWindowVisible(hwnd)) ShowWindow(hwnd, SW_SHOWNORMAL);
    if (!m_ended) RunModalHook(hwnd);
    RunModalLoop(hwnd, &m_ended);
    if (disableParent) {
        EnableWindow(parent, TRUE);
        if (GetActiveWindow() == hwnd) SetActiveWindow(parent);
    }
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
    m_modal = false;
    return m_result;
}

bool CDialog::Create(HWND parent) {
    m_modal = false;
    m_ended = false;
    return CreateDialogParamW(CWinApp::ResourceInstance(), MAKEINTRESOURCEW(m_templateId), parent,
                              &CDialog::DlgProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::EndDialog(INT_PTR result) {
    m_result = result;
    m_ended = true;
    if (!m_hwnd) return;
    if (m_modal) PostMessageW(m_hwnd, WM_NULL, 0, 0);  // wake the loop
    else DestroyWindow(m_hwnd);
}

}  // namespace fw
