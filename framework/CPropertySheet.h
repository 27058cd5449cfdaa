// Property sheets and their pages, in normal and in wizard mode. The sheet runs
// modeless under our own modal loop, like the dialogs, so the test hook and the
// windows' PreTranslateMessage work the same way.
#pragma once
#include "framework/CDialog.h"
#include <prsht.h>
#include <string>
#include <vector>

namespace fw {

class CPropertySheet;

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId) : CDialog(templateId) {}

    CPropertySheet* Sheet() const { return m_sheet; }
    HWND SheetHwnd() const { return m_hwnd ? GetParent(m_hwnd) : nullptr; }
    // Enables the sheet's Apply button.
    void SetModified(bool changed = true);
    bool IsCreated() const { return m_hwnd != nullptr; }

    bool Dispatch(const Msg& m, LRESULT& result) override;

protected:
    virtual bool OnSetActive() { return true; }         // false: the page refuses activation
    virtual bool OnKillActive() { return true; }        // false: stay on the page (validation)
    virtual bool OnApply() { return true; }             // false: the sheet stays open
    virtual void OnReset() {}                           // Cancel
    virtual bool OnQueryCancel() { return true; }       // false: refuse to close
    virtual LRESULT OnWizardNext() { return 0; }        // 0 next page, -1 stay, or a template id
    virtual LRESULT OnWizardBack() { return 0; }
    virtual bool OnWizardFinish() { return true; }

private:
    friend class CPropertySheet;
    static INT_PTR CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    CPropertySheet* m_sheet = nullptr;
};

class CPropertySheet : public CWnd {
public:
    CPropertySheet(std::wstring caption, bool wizard);
    ~CPropertySheet() override;

    void AddPage(CPropertyPage* page);  // not owned
    // Runs the sheet modally over `parent` (which is disabled meanwhile); without one,
    // over the application's main window. IDOK when it was closed by OK, otherwise
    // IDCANCEL or the value given to EndSheet.
    INT_PTR DoModal(HWND parent = nullptr);
    void EndSheet(INT_PTR result);

    void SetActivePage(int index) const;
    void SetActivePage(const CPropertyPage* page) const;
    int ActiveIndex() const;
    // Posted (sent if the post is refused), as the pages may ask from a worker thread.
    void SetWizardButtons(DWORD flags) const;
    bool IsWizard() const { return m_wizard; }
    // The help page of the page shown.
    std::wstring HelpPage() const override;
    size_t PageCount() const { return m_pages.size(); }

private:
    friend class CPropertyPage;
    static int CALLBACK SheetCallback(HWND hwnd, UINT msg, LPARAM lp);
    std::vector<PROPSHEETPAGEW> PageTable() const;

    std::wstring m_caption;
    bool m_wizard;
    std::vector<CPropertyPage*> m_pages;
    bool m_ended = false;
    bool m_okPressed = false;
    INT_PTR m_result = IDCANCEL;
};

}  // namespace fw
