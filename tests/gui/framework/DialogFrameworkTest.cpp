// The framework's routing, modal loops, property sheets and field validation,
// checked once with probe windows.
#include "framework/CDialog.h"
#include "framework/CPropertySheet.h"
#include "framework/CControl.h"
#include "framework/DataExchange.h"
#include "framework/ModalHook.h"
#include "fakes/FakeSeams.h"
#include "gui/TestResources.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class ProbeDialog : public fw::CDialog {
public:
    ProbeDialog() : CDialog(IDD_TEST_PROBE) {}
    std::vector<std::string> seen;
    bool Dispatch(const fw::Msg& m, LRESULT& r) override;

private:
    using Self = ProbeDialog;
    LRESULT OnMenu(const fw::Msg&) { seen.push_back("menu"); return 0; }
    LRESULT OnRange(const fw::Msg& m) { seen.push_back("range" + std::to_string(LOWORD(m.wp))); return 0; }
    LRESULT OnEditChange(const fw::Msg&) { seen.push_back("change"); return 0; }
    LRESULT OnNotifyFirst(const fw::Msg&) { seen.push_back("notify-first"); return 7; }
    LRESULT OnNotifySecond(const fw::Msg&) { seen.push_back("notify-second"); return 8; }
    LRESULT OnPassOn(const fw::Msg& m) { seen.push_back("passon"); m.passOn = true; return 0; }
    static const fw::MapEntry<ProbeDialog> kMap[];
};

const fw::MapEntry<ProbeDialog> ProbeDialog::kMap[] = {
    fw::OnCommand(40001, &Self::OnMenu),
    fw::OnCommandRange(40010, 40020, &Self::OnRange),
    fw::OnCommand(IDC_TEST_EDIT, EN_CHANGE, &Self::OnEditChange),
    fw::OnNotify(500, LVN_ITEMCHANGED, &Self::OnNotifyFirst),
    fw::OnNotify(500, LVN_ITEMCHANGED, &Self::OnNotifySecond),
    fw::OnMessage(WM_APP + 5, &Self::OnPassOn),
};
bool ProbeDialog::Dispatch(const fw::Msg& m, LRESULT& r) {
    return fw::RunMap(*this, kMap, m, r) || CDialog::Dispatch(m, r);
}

LRESULT SendNotify(HWND dlg, UINT_PTR id, UINT code) {
    NMHDR h{nullptr, id, code};
    SendMessageW(dlg, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&h));
    return GetWindowLongPtrW(dlg, DWLP_MSGRESULT);
}

struct HookGuard {
    explicit HookGuard(fw::ModalHook h) { fw::SetModalHook(std::move(h)); }
    ~HookGuard() { fw::SetModalHook({}); }
};

}  // namespace

TEST(MessageMap, RoutesCommandsNotificationsAndRanges) {
    ProbeDialog d;
    ASSERT_TRUE(d.Create(nullptr));
    HWND h = d.Hwnd();
    SendMessageW(h, WM_COMMAND, MAKEWPARAM(40001, 0), 0);             // menu
    SendMessageW(h, WM_COMMAND, MAKEWPARAM(40001, 1), 0);             // accelerator
    SendMessageW(h, WM_COMMAND, MAKEWPARAM(40001, EN_CHANGE), 0);     // other code: no entry
    SendMessageW(h, WM_COMMAND, MAKEWPARAM(40015, 0), 0);
    SendMessageW(h, WM_COMMAND, MAKEWPARAM(40021, 0), 0);             // outside the range
    SetWindowTextW(GetDlgItem(h, IDC_TEST_EDIT), L"typed");           // EN_CHANGE from the edit
    EXPECT_EQ(SendNotify(h, 500, LVN_ITEMCHANGED), 7);                // negative code, first match wins
    EXPECT_EQ(SendMessageW(h, WM_APP + 5, 0, 0), 0);
    EXPECT_EQ(d.seen, (std::vector<std::string>{"menu", "menu", "range40015", "change", "notify-first", "passon"}));
    // A message without an entry reaches the default dialog processing.
    EXPECT_FALSE(fw::CDialog::DlgProc(h, WM_APP + 6, 0, 0));
}

TEST(ModalDialog, HookAnswersAndResultComesBack) {
    FakeSeams seams;
    ProbeDialog d;
    std::wstring textAtOk;
    HookGuard hook([&](HWND dlg) {
        SetDlgItemTextW(dlg, IDC_TEST_EDIT, L"hello");
        textAtOk = fw::WindowText(GetDlgItem(dlg, IDC_TEST_EDIT));
        PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(40012, 0), 0);
        PostMessageW(GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(d.DoModal(nullptr), IDOK);
    EXPECT_EQ(textAtOk, L"hello");
    EXPECT_EQ(d.seen.back(), "range40012");
    EXPECT_EQ(d.Hwnd(), nullptr);  // the window is gone after the loop
}

TEST(ModalDialog, EscapeCancels) {
    ProbeDialog d;
    HookGuard hook([](HWND dlg) { PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(d.DoModal(nullptr), IDCANCEL);
}

TEST(DataExchange, IntegerParsingAndStandardMessages) {
    EXPECT_EQ(fw::ParseIntField(L"42"), 42);
    EXPECT_EQ(fw::ParseIntField(L" -7 "), -7);
    EXPECT_FALSE(fw::ParseIntField(L""));
    EXPECT_FALSE(fw::ParseIntField(L"1x"));
    EXPECT_FALSE(fw::ParseIntField(L"99999999999"));
    EXPECT_EQ(fw::IntRangeMessage(1, 100), L"Please enter an integer between 1 and 100.");

    FakeSeams seams;
    ProbeDialog d;
    ASSERT_TRUE(d.Create(nullptr));
    int value = 5;
    SetDlgItemTextW(d.Hwnd(), IDC_TEST_NUMBER, L"abc");
    EXPECT_FALSE(fw::DdxIntFromField(d.Hwnd(), IDC_TEST_NUMBER, 1, 100, value));
    SetDlgItemTextW(d.Hwnd(), IDC_TEST_NUMBER, L"101");
    EXPECT_FALSE(fw::DdxIntFromField(d.Hwnd(), IDC_TEST_NUMBER, 1, 100, value));
    SetDlgItemTextW(d.Hwnd(), IDC_TEST_NUMBER, L"100");
    EXPECT_TRUE(fw::DdxIntFromField(d.Hwnd(), IDC_TEST_NUMBER, 1, 100, value));
    EXPECT_EQ(value, 100);
    const auto shown = seams.Messages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, L"Please enter an integer.");
    EXPECT_EQ(shown[1].text, L"Please enter an integer between 1 and 100.");
}

namespace {

class NumberPage : public fw::CPropertyPage {
public:
    NumberPage() : CPropertyPage(IDD_TEST_PAGE1) {}
    int value = 3;
    int applied = 0;

protected:
    BOOL OnInitDialog() override {
        fw::DdxIntToField(m_hwnd, IDC_TEST_NUMBER, value);
        return TRUE;
    }
    bool OnKillActive() override { return fw::DdxIntFromField(m_hwnd, IDC_TEST_NUMBER, 1, 100, value); }
    bool OnApply() override {
        ++applied;
        return true;
    }
};

class SecondPage : public fw::CPropertyPage {
public:
    SecondPage() : CPropertyPage(IDD_TEST_PAGE2) {}
    bool refuseCancel = false;

protected:
    bool OnQueryCancel() override { return !refuseCancel; }
};

}  // namespace

TEST(Sheets, ApplyRunsValidationAndOkEndsWithIdok) {
    FakeSeams seams;
    NumberPage first;
    SecondPage second;
    fw::CPropertySheet sheet(L"Preferences", false);
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    HookGuard hook([&](HWND s) {
        SetDlgItemTextW(first.Hwnd(), IDC_TEST_NUMBER, L"0");
        SendMessageW(s, PSM_PRESSBUTTON, PSBTN_OK, 0);  // refused: out of range
        SetDlgItemTextW(first.Hwnd(), IDC_TEST_NUMBER, L"12");
        PostMessageW(s, PSM_PRESSBUTTON, PSBTN_OK, 0);
    });
    EXPECT_EQ(sheet.DoModal(nullptr), IDOK);
    EXPECT_EQ(first.value, 12);
    EXPECT_EQ(first.applied, 1);
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text, L"Please enter an integer between 1 and 100.");
}

TEST(Sheets, WizardMovesBetweenPagesAndCancelCanBeRefused) {
    NumberPage first;
    SecondPage second;
    second.refuseCancel = true;
    fw::CPropertySheet sheet(L"Wizard", true);
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    int indexAfterNext = -1;
    bool stillOpenAfterCancel = false;
    HookGuard hook([&](HWND s) {
        SendMessageW(s, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
        indexAfterNext = sheet.ActiveIndex();
        SendMessageW(s, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        stillOpenAfterCancel = PropSheet_GetCurrentPageHwnd(s) != nullptr;
        sheet.EndSheet(0);
    });
    EXPECT_EQ(sheet.DoModal(nullptr), 0);
    EXPECT_EQ(indexAfterNext, 1);
    EXPECT_TRUE(stillOpenAfterCancel);
    EXPECT_TRUE(second.IsCreated() == false);  // windows are gone after the run
}

namespace {

// An edit whose object counts what it sees and swallows WM_APP.
class ProbeEdit : public fw::CControl {
public:
    int apps = 0, reflected = 0;
    bool Dispatch(const fw::Msg& m, LRESULT& r) override {
        if (m.id == WM_APP) { ++apps; r = 42; return true; }
        if (m.id == fw::kReflectBase + WM_COMMAND) ++reflected;
        return false;
    }
};

WNDPROC g_below = nullptr;
int g_aboveSeen = 0;
LRESULT CALLBACK AboveProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP + 1) ++g_aboveSeen;
    return CallWindowProcW(g_below, hwnd, msg, wp, lp);
}

}  // namespace

TEST(ControlSubclass, ObjectFirstThenTheControlAndLettingGoUnderAnotherProcedure) {
    ProbeDialog d;
    ASSERT_TRUE(d.Create(nullptr));
    const HWND edit = GetDlgItem(d.Hwnd(), IDC_TEST_EDIT);
    const LONG_PTR original = GetWindowLongPtrW(edit, GWLP_WNDPROC);
    {
        ProbeEdit probe;
        ASSERT_TRUE(probe.SubclassDlgItem(d.Hwnd(), IDC_TEST_EDIT));
        EXPECT_FALSE(ProbeEdit().Subclass(edit));  // one object per window
        EXPECT_EQ(fw::CWnd::FromHandle(edit), &probe);
        EXPECT_EQ(SendMessageW(edit, WM_APP, 0, 0), 42);
        SetWindowTextW(edit, L"through");  // the edit's own processing
        EXPECT_EQ(fw::WindowText(edit), L"through");
        EXPECT_EQ(probe.reflected, 1);     // EN_CHANGE came back from the dialog
        probe.Unsubclass();
        EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), original);
        EXPECT_EQ(fw::CWnd::FromHandle(edit), nullptr);

        // Someone installs a procedure above ours; our object then goes first.
        ASSERT_TRUE(probe.Subclass(edit));
        g_below = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AboveProc)));
        ASSERT_NE(g_below, nullptr);
    }
    // The chain still reaches the edit, without the object that went.
    EXPECT_EQ(SendMessageW(edit, WM_APP, 0, 0), 0);
    SendMessageW(edit, WM_APP + 1, 0, 0);
    EXPECT_EQ(g_aboveSeen, 1);
    SetWindowTextW(edit, L"still an edit");
    EXPECT_EQ(fw::WindowText(edit), L"still an edit");
    EXPECT_TRUE(DestroyWindow(edit));
}
