// Dialogs from templates, modal (our own loop, so windows can look at messages
// before the dialog does) or modeless.
#pragma once
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
    // Shared by dialogs and property pages once `this` is known.
    static INT_PTR Route(CDialog* self, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

private:
    UINT m_templateId;
    bool m_modal = false;
    bool m_ended = false;
    INT_PTR m_result = IDCANCEL;
};

// Runs a modal loop until *done turns true or `running` says no more: windows on the
// path of each message get a first look (PreTranslateMessage), then the dialog's
// keyboard handling (`isDialogMessage`, IsDialogMessage unless given).
using DialogMessageFn = bool (*)(HWND dialog, MSG* msg);
void RunModalLoop(HWND dialog, const bool* done, bool (*running)(HWND dialog) = nullptr,
                  DialogMessageFn isDialogMessage = nullptr);

}  // namespace fw
