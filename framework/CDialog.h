// Dialogs from templates, modal (our own loop, so windows can look at messages
// before the dialog does) or modeless.
#pragma once
#include "framework/ColourScheme.h"
#include "framework/CWnd.h"

namespace fw {

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId) : m_templateId(templateId) {}
    ~CDialog() override;

    INT_PTR DoModal(HWND parent = nullptr);
    bool Create(HWND parent);  // modeless
    void EndDialog(INT_PTR result);
    bool IsModal() const { return m_modal; }
    UINT TemplateId() const { return m_templateId; }

    bool Dispatch(const Msg& m, LRESULT& result) override;

    static INT_PTR CALLBACK DlgProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

protected:
    // WM_INITDIALOG: return TRUE to let the system set the focus.
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // The colour scheme changed from `previous` (also called once after OnInitDialog, with
    // Light as the previous scheme): the dialog itself is already redrawn in the new one;
    // windows that draw with colours of their own set them here.
    virtual void OnSchemeChanged(Scheme previous) {}
    Scheme DrawnScheme() const { return m_scheme; }
    // Shared by dialogs and property pages once `this` is known.
    static INT_PTR Route(CDialog* self, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

private:
    void FollowScheme(bool opening);

    UINT m_templateId;
    Scheme m_scheme = Scheme::Light;
    bool m_modal = false;
    bool m_ended = false;
    INT_PTR m_result = IDCANCEL;
};

// Runs a modal loop until *done turns true or `running` says no more: F1 opens the help
// page of the window in front, windows on the path of each message get a first look
// (PreTranslateMessage), then the dialog's keyboard handling (`isDialogMessage`,
// IsDialogMessage unless given).
using DialogMessageFn = bool (*)(HWND dialog, MSG* msg);
void RunModalLoop(HWND dialog, const bool* done, bool (*running)(HWND dialog) = nullptr,
                  DialogMessageFn isDialogMessage = nullptr);

}  // namespace fw
