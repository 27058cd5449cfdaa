#include "framework/CPropertySheet.h"
#include "framework/CWinApp.h"
#include "framework/ModalHook.h"

namespace fw {
namespace {
thread_local CPropertySheet* tCreating = nullptr;  // the sheet whose window is being made
}

void CPropertyPage::SetModified(bool changed) {
    if (HWND sheet = SheetHwnd())
        SendMessageW(sheet, changed ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hwnd), 0);
}

INT_PTR CALLBACK CPropertyPage::PageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        auto* psp = reinterpret_cast<PROPSHEETPAGEW*>(lp);
        auto* page = reinterpret_cast<CPropertyPage*>(psp->lParam);
        SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(page));
        page->AttachHandle(hwnd);
    }
    auto* self = reinterpret_cast<CPropertyPage*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    return Route(self, hwnd, msg, wp, lp);
}

bool CPropertyPage::Dispatch(const Msg& m, LRESULT& result) {
    if (m.id == WM_NOTIFY) {
        const auto* h = reinterpret_cast<const NMHDR*>(m.lp);
        if (h->hwndFrom == SheetHwnd()) {
            switch (h->code) {
            case PSN_SETACTIVE: result = OnSetActive() ? 0 : -1; return true;
            case PSN_KILLACTIVE: result = OnKillActive() ? FALSE : TRUE; return true;
            case PSN_APPLY: {
                const bool ok = OnApply();
                if (ok && m_sheet && reinterpret_cast<const PSHNOTIFY*>(m.lp)->lParam) m_sheet->m_okPressed = true;
                result = ok ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
                return true;
            }
            case PSN_RESET: OnReset(); result = 0; return true;
            case PSN_QUERYCANCEL: result = OnQueryCancel() ? FALSE : TRUE; return true;
            case PSN_WIZNEXT: result = OnWizardNext(); return true;
            case PSN_WIZBACK: result = OnWizardBack(); return true;
            case PSN_WIZFINISH: result = OnWizardFinish() ? FALSE : TRUE; return true;
            default: break;
            }
        }
    }
    // Pages have no OK or Cancel of their own: those buttons belong to the sheet.
    if (m.id == WM_COMMAND && (LOWORD(m.wp) == IDOK || LOWORD(m.wp) == IDCANCEL)) return false;
    return CDialog::Dispatch(m, result);
}

CPropertySheet::CPropertySheet(std::wstring caption, bool wizard)
    : m_caption(std::move(caption)), m_wizard(wizard) {}

CPropertySheet::~CPropertySheet() {
    if (m_hwnd) DestroyWindow(m_hwnd);
}

void CPropertySheet::AddPage(CPropertyPage* page) {
    page->m_sheet = this;
    m_pages.push_back(page);
}

int CALLBACK CPropertySheet::SheetCallback(HWND hwnd, UINT msg, LPARAM) {
    if (msg == PSCB_INITIALIZED && tCreating) tCreating->AttachHandle(hwnd);
    return 0;
}

std::vector<PROPSHEETPAGEW> CPropertySheet::PageTable() const {
    std::vector<PROPSHEETPAGEW> psp(m_pages.size());
    for (size_t i = 0; i < m_pages.size(); ++i) {
        PROPSHEETPAGEW& p = psp[i];
        p = PROPSHEETPAGEW{};
        p.dwSize = sizeof(p);
        p.dwFlags = PSP_DEFAULT;
        p.hInstance = CWinApp::ResourceInstance();
        p.pszTemplate = MAKEINTRESOURCEW(m_pages[i]->TemplateId());
        p.pfnDlgProc = &CPropertyPage::PageProc;
        p.lParam = reinterpret_cast<LPARAM>(m_pages[i]);
    }
    return psp;
}

INT_PTR CPropertySheet::DoModal(HWND parent) {
    if (!parent) parent = CWinApp::MainHwnd();
    std::vector<PROPSHEETPAGEW> psp = PageTable();
    PROPSHEETHEADERW h{};
    h.dwSize = sizeof(h);
    h.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_USECALLBACK | PSH_NOCONTEXTHELP |
                (m_wizard ? PSH_WIZARD : 0);
    h.hwndParent = parent;
    h.hInstance = CWinApp::ResourceInstance();
    h.pszCaption = m_caption.c_str();
    h.nPages = static_cast<UINT>(psp.size());
    h.ppsp = psp.data();
    h.pfnCallback = &CPropertySheet::SheetCallback;

    m_ended = false;
    m_okPressed = false;
    m_result = IDCANCEL;
    tCreating = this;
    const INT_PTR created = PropertySheetW(&h);
    tCreating = nullptr;
    HWND sheet = reinterpret_cast<HWND>(created);
    if (!created || !IsWindow(sheet)) return -1;
    if (!m_hwnd) AttachHandle(sheet);
    const bool disableParent = parent && IsWindowEnabled(parent);
    if (disableParent) EnableWindow(parent, FALSE);
    RunModalHook(sheet);
    // A sheet that has finished has no current page.
    RunModalLoop(
        sheet, &m_ended, [](HWND s) { return PropSheet_GetCurrentPageHwnd(s) != nullptr; },
        [](HWND s, MSG* msg) { return PropSheet_IsDialogMessage(s, msg) != FALSE; });
    if (disableParent) {
        EnableWindow(parent, TRUE);
        SetActiveWindow(parent);
    }
    if (IsWindow(sheet)) DestroyWindow(sheet);
    DetachHandle();
    if (!m_ended) m_result = m_okPressed ? IDOK : IDCANCEL;
    return m_result;
}

void CPropertySheet::EndSheet(INT_PTR result) {
    m_result = result;
    m_ended = true;
    if (m_hwnd) PostMessageW(m_hwnd, WM_NULL, 0, 0);
}

void CPropertySheet::SetActivePage(int index) const {
    if (m_hwnd) PropSheet_SetCurSel(m_hwnd, nullptr, index);
}

void CPropertySheet::SetActivePage(const CPropertyPage* page) const {
    for (size_t i = 0; i < m_pages.size(); ++i)
        if (m_pages[i] == page) SetActivePage(static_cast<int>(i));
}

int CPropertySheet::ActiveIndex() const {
    if (!m_hwnd) return -1;
    return static_cast<int>(SendMessageW(m_hwnd, PSM_HWNDTOINDEX,
                                         reinterpret_cast<WPARAM>(PropSheet_GetCurrentPageHwnd(m_hwnd)), 0));
}

void CPropertySheet::SetWizardButtons(DWORD flags) const {
    if (m_hwnd) PostOrSend(m_hwnd, PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(flags));
}

std::wstring CPropertySheet::HelpPage() const {
    const CWnd* page = m_hwnd ? FromHandle(PropSheet_GetCurrentPageHwnd(m_hwnd)) : nullptr;
    return page ? page->HelpPage() : std::wstring();
}

}  // namespace fw
