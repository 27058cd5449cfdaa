// The Preferences sheet driven through its controls: apply and cancel paths, the
// range check, the hotkey pages' registration and their writes.
#include "fakes/FakeSeams.h"
#include "framework/ModalHook.h"
#include "gui/widgets/PrefsTestSupport.h"
#include "gui/widgets/WidgetTestSupport.h"
#include "res/resource.h"
#include "store/CFavorStore.h"
#include "ui/Hotkeys.h"
#include "sync/SyncPassword.h"
#include "ui/dialogs/CPreferencesSheet.h"
#include <gtest/gtest.h>
#include <functional>

namespace {

struct HookGuard {
    explicit HookGuard(fw::ModalHook h) { fw::SetModalHook(std::move(h)); }
    ~HookGuard() { fw::SetModalHook({}); }
};

// Runs the sheet; `drive` works the open sheet and must end it (OK or Cancel).
INT_PTR RunSheet(CPreferencesSheet& sheet, HWND owner, const std::function<void(HWND)>& drive) {
    HookGuard hook([&](HWND s) { drive(s); });
    return sheet.DoModal(owner);
}

// The user clicks the check box when it does not show the wanted state.
void SetChecked(HWND page, int id, bool on) {
    if ((IsDlgButtonChecked(page, id) == BST_CHECKED) != on) SendDlgItemMessageW(page, id, BM_CLICK, 0, 0);
}
bool SheetOpen(HWND sheet) { return IsWindow(sheet) && PropSheet_GetCurrentPageHwnd(sheet) != nullptr; }
WORD HotkeyValue(HWND page, int id) { return LOWORD(SendDlgItemMessageW(page, id, HKM_GETHOTKEY, 0, 0)); }
void SetHotkeyValue(HWND page, int id, WORD v) { SendDlgItemMessageW(page, id, HKM_SETHOTKEY, v, 0); }

wchar_t ModulePath[MAX_PATH];

}  // namespace

TEST(Preferences, GeneralApplyWritesSettingsRegistryAndTheSwitch) {
    FakeSeams seams;
    SavedAutoRun savedRun;
    TempSettings temp;
    temp.settings.WriteTopMost(false);
    temp.settings.WriteVisitListSizes(10, 10);
    CFavorStore store;
    WidgetProbe main;
    ASSERT_TRUE(main.Create(nullptr));
    GetModuleFileNameW(nullptr, ModulePath, MAX_PATH);

    bool topMost = false;
    {
        CPreferencesSheet sheet(main.Hwnd(), topMost, temp.settings, store);
        bool applyEnabledByEdit = false;
        EXPECT_EQ(RunSheet(sheet, main.Hwnd(), [&](HWND s) {
            HWND page = sheet.General().Hwnd();
            EXPECT_EQ(GetWindowTextLengthW(GetDlgItem(page, IDC_PREF_MOSTVISITED)), 2);
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(s, 0x3021)));  // Apply: nothing changed yet
            SetDlgItemTextW(page, IDC_PREF_MOSTVISITED, L"25");
            applyEnabledByEdit = IsWindowEnabled(GetDlgItem(s, 0x3021)) != FALSE;
            SetChecked(page, IDC_PREF_AUTORUN, true);
            SetChecked(page, IDC_PREF_TOPMOST, true);
            PostMessageW(s, PSM_PRESSBUTTON, PSBTN_OK, 0);
        }), IDOK);
        EXPECT_TRUE(applyEnabledByEdit);
    }
    EXPECT_TRUE(topMost);
    EXPECT_TRUE(temp.settings.ReadTopMost());
    int most = 0, latest = 0;
    temp.settings.ReadVisitListSizes(most, latest);
    EXPECT_EQ(most, 25);
    EXPECT_EQ(latest, 10);
    std::wstring run;
    ASSERT_TRUE(SavedAutoRun::Read(run));
    EXPECT_EQ(run, ModulePath);
    EXPECT_TRUE(seams.Messages().empty());

    // Unchecking both: the Run value goes, the switch and "TopMost" follow.
    {
        CPreferencesSheet sheet(main.Hwnd(), topMost, temp.settings, store);
        EXPECT_EQ(RunSheet(sheet, main.Hwnd(), [&](HWND s) {
            HWND page = sheet.General().Hwnd();
            EXPECT_EQ(IsDlgButtonChecked(page, IDC_PREF_AUTORUN), static_cast<UINT>(BST_CHECKED));
            SetChecked(page, IDC_PREF_AUTORUN, false);
            SetChecked(page, IDC_PREF_TOPMOST, false);
            PostMessageW(s, PSM_PRESSBUTTON, PSBTN_OK, 0);
        }), IDOK);
    }
    EXPECT_FALSE(SavedAutoRun::Read(run));
    EXPECT_FALSE(topMost);
    EXPECT_FALSE(temp.settings.ReadTopMost());
}

TEST(Preferences, OutOfRangeNumbersKeepTheSheetOpen) {
    for (const wchar_t* bad : {L"0", L"101"}) {
        FakeSeams seams;
        TempSettings temp;
        temp.settings.WriteVisitListSizes(10, 10);
        const std::wstring before = temp.FileText();
        CFavorStore store;
        WidgetProbe main;
        ASSERT_TRUE(main.Create(nullptr));
        bool topMost = false;
        bool openAfterOk = false;
        CPreferencesSheet sheet(main.Hwnd(), topMost, temp.settings, store);
        EXPECT_EQ(RunSheet(sheet, main.Hwnd(), [&](HWND s) {
            SetDlgItemTextW(sheet.General().Hwnd(), IDC_PREF_LATESTVISITED, bad);
            SendMessageW(s, PSM_PRESSBUTTON, PSBTN_OK, 0);
            openAfterOk = SheetOpen(s);
            PostMessageW(s, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        }), IDCANCEL);
        EXPECT_TRUE(openAfterOk) << bad;
        const auto shown = seams.Messages();
        ASSERT_EQ(shown.size(), 1u) << bad;
        EXPECT_EQ(shown[0].text, L"Please enter an integer between 1 and 100.");
        EXPECT_EQ(temp.FileText(), before) << bad;  // nothing applied
    }
}

TEST(Preferences, DefaultHotkeysThenCancelChangesNothing) {
    FakeSeams seams;
    SavedAutoRun savedRun;
    TempSettings temp;
    temp.SetHotkeys(kTestActivate, kTestAddFavor);
    temp.settings.WriteTopMost(false);
    const std::wstring before = temp.FileText();
    CFavorStore store;
    WidgetProbe main;
    ASSERT_TRUE(main.Create(nullptr));
    ASSERT_TRUE(RegisterHotkeysAtStart(main.Hwnd(), temp.settings));
    const int activateId = temp.settings.m_activateHotkeyId;
    bool topMost = false;
    WORD shownAtStart = 0, activateAfterDefault = 0, addAfterDefault = 0;
    CPreferencesSheet sheet(main.Hwnd(), topMost, temp.settings, store);
    EXPECT_EQ(RunSheet(sheet, main.Hwnd(), [&](HWND s) {
        SetChecked(sheet.General().Hwnd(), IDC_PREF_TOPMOST, true);
        sheet.SetActivePage(1);
        HWND page = sheet.Hotkeys().Hwnd();
        shownAtStart = HotkeyValue(page, IDC_HOTKEY_ACTIVATE);
        SendMessageW(GetDlgItem(page, IDC_HOTKEY_DEFAULT), BM_CLICK, 0, 0);
        activateAfterDefault = HotkeyValue(page, IDC_HOTKEY_ACTIVATE);
        addAfterDefault = HotkeyValue(page, IDC_HOTKEY_ADDFAVOR);
        PostMessageW(s, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    }), IDCANCEL);
    EXPECT_EQ(shownAtStart, ToHotkeyControlValue(kTestActivate));
    EXPECT_EQ(activateAfterDefault, 0x022F);
    EXPECT_EQ(addAfterDefault, 0x034E);
    EXPECT_EQ(temp.FileText(), before);
    EXPECT_FALSE(topMost);
    EXPECT_EQ(temp.settings.m_activateHotkeyId, activateId);
    EXPECT_FALSE(HotkeyHolder(kTestActivate).Holds());  // still registered on the main window
    EXPECT_TRUE(seams.Messages().empty());
    UnregisterHotkeyAtom(main.Hwnd(), temp.settings.m_activateHotkeyId);
    UnregisterHotkeyAtom(main.Hwnd(), temp.settings.m_addFavorHotkeyId);
}

TEST(Preferences, HotkeysApplyRegistersStoresAndReportsTakenKeys) {
    FakeSeams seams;
    SavedAutoRun savedRun;  // the General page applies too
    TempSettings temp;
    temp.SetHotkeys({0, 0}, {0, 0});
    CFavorStore store;
    WidgetProbe main;
    ASSERT_TRUE(main.Create(nullptr));
    bool topMost = false;

    // New keys, one of them without a modifier: stored, only the other registered.
    {
        CPreferencesSheet sheet(main.Hwnd(), topMost, temp.settings, store);
        EXPECT_EQ(RunSheet(sheet, main.Hwnd(), [&](HWND s) {
            sheet.SetActivePage(1);
            SetHotkeyValue(sheet.Hotkeys().Hwnd(), IDC_HOTKEY_ACTIVATE, ToHotkeyControlValue(kTestActivate));
            SetHotkeyValue(sheet.Hotkeys().Hwnd(), IDC_HOTKEY_ADDFAVOR, VK_F11);
            PostMessageW(s, PSM_PRESSBUTTON, PSBTN_OK, 0);
        }), IDOK);
    }
    StoredHotkey activate, addFavor;
    temp.Hotkeys(activate, addFavor);
    EXPECT_EQ(activate, kTestActivate);
    EXPECT_EQ(addFavor, (StoredHotkey{VK_F11, 0}));
    EXPECT_NE(temp.settings.m_activateHotkeyId, 0);
    EXPECT_EQ(temp.settings.m_addFavorHotkeyId, 0);

    // The activate key is taken by someone else: "Notice", the sheet stays open,
    // nothing is written and no hotkey stays registered.
    HotkeyHolder holder(kTestAddFavor);
    ASSERT_TRUE(holder.Holds());
    const std::wstring before = temp.FileText();
    {
        CPreferencesSheet sheet(main.Hwnd(), topMost, temp.settings, store);
        bool openAfterOk = false;
        // (The General page applied fine, so the sheet may report OK after Cancel.)
        RunSheet(sheet, main.Hwnd(), [&](HWND s) {
            sheet.SetActivePage(1);
            SetHotkeyValue(sheet.Hotkeys().Hwnd(), IDC_HOTKEY_ACTIVATE, ToHotkeyControlValue(kTestAddFavor));
            SetHotkeyValue(sheet.Hotkeys().Hwnd(), IDC_HOTKEY_ADDFAVOR, ToHotkeyControlValue(kTestActivate));
            SendMessageW(s, PSM_PRESSBUTTON, PSBTN_OK, 0);
            openAfterOk = SheetOpen(s);
            PostMessageW(s, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        });
        EXPECT_TRUE(openAfterOk);
    }
    auto shown = seams.Messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, kActivateHotkeyTaken);
    EXPECT_EQ(shown[0].caption, L"Notice");
    EXPECT_EQ(temp.FileText(), before);
    EXPECT_EQ(temp.settings.m_activateHotkeyId, 0);
    EXPECT_EQ(temp.settings.m_addFavorHotkeyId, 0);
    EXPECT_EQ(GlobalFindAtomW(kActivateHotkeyAtom), 0);

    // The add-favorite key is taken: the activate key is registered and written first.
    seams.Clear();
    {
        CPreferencesSheet sheet(main.Hwnd(), topMost, temp.settings, store);
        bool openAfterOk = false;
        RunSheet(sheet, main.Hwnd(), [&](HWND s) {
            sheet.SetActivePage(1);
            SetHotkeyValue(sheet.Hotkeys().Hwnd(), IDC_HOTKEY_ACTIVATE, ToHotkeyControlValue(kTestActivate));
            SetHotkeyValue(sheet.Hotkeys().Hwnd(), IDC_HOTKEY_ADDFAVOR, ToHotkeyControlValue(kTestAddFavor));
            SendMessageW(s, PSM_PRESSBUTTON, PSBTN_OK, 0);
            openAfterOk = SheetOpen(s);
            PostMessageW(s, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        });
        EXPECT_TRUE(openAfterOk);
    }
    shown = seams.Messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, kAddFavorHotkeyTaken);
    temp.Hotkeys(activate, addFavor);
    EXPECT_EQ(activate, kTestActivate);
    EXPECT_EQ(addFavor, kTestAddFavor);
    EXPECT_NE(temp.settings.m_activateHotkeyId, 0);
    EXPECT_EQ(temp.settings.m_addFavorHotkeyId, 0);
    UnregisterHotkeyAtom(main.Hwnd(), temp.settings.m_activateHotkeyId);
}

namespace {

struct SyncControlProbe : ISyncControl {
    int syncs = 0, changes = 0;
    void SyncNow() override { ++syncs; }
    std::wstring LastResult() const override { return L"Not synced yet"; }
    void SettingsChanged() override { ++changes; }
    void SetResultListener(std::function<void(const std::wstring&)>) override {}
};

}  // namespace

TEST(Preferences, SyncPageAsksBeforeAPlainHttpPasswordAndKeepsThePasswordOutOfTheFile) {
    FakeSeams seams;
    SavedAutoRun savedRun;  // the General page applies too
    TempSettings temp;
    CFavorStore store;
    WidgetProbe main;
    ASSERT_TRUE(main.Create(nullptr));
    SyncControlProbe sync;
    FolderRecord root;
    bool topMost = false;
    const std::wstring url = L"http://nas.example/dav/", password = L"s3cret-for-the-test";
    bool openAfterNo = false;
    seams.QueueAnswer(IDNO);
    seams.QueueAnswer(IDYES);
    CPreferencesSheet sheet(main.Hwnd(), topMost, temp.settings, store, sync, root);
    EXPECT_EQ(RunSheet(sheet, main.Hwnd(), [&](HWND s) {
        sheet.SetActivePage(2);
        HWND page = sheet.Sync()->Hwnd();
        EXPECT_EQ(fw::WindowText(GetDlgItem(page, IDC_SYNC_FILE)), L"bookmarks.xbel");
        EXPECT_EQ(fw::WindowText(GetDlgItem(page, IDC_SYNC_MINUTES)), L"15");
        SetDlgItemTextW(page, IDC_SYNC_URL, url.c_str());
        SetDlgItemTextW(page, IDC_SYNC_USER, L"ann");
        SetDlgItemTextW(page, IDC_SYNC_PASSWORD, password.c_str());
        SendMessageW(s, PSM_PRESSBUTTON, PSBTN_OK, 0);  // No: refused, the sheet stays
        openAfterNo = SheetOpen(s);
        PostMessageW(s, PSM_PRESSBUTTON, PSBTN_OK, 0);  // Yes
    }), IDOK);
    EXPECT_TRUE(openAfterNo);
    ASSERT_EQ(2u, seams.Messages().size());
    EXPECT_NE(std::wstring::npos, seams.Messages()[0].text.find(L"unencrypted"));
    EXPECT_EQ(url, temp.settings.ReadSyncSettings().url);
    EXPECT_EQ(1, sync.changes);
    EXPECT_EQ(password, LoadSyncPassword(url).value_or(L""));
    EXPECT_EQ(std::wstring::npos, temp.FileText().find(password));
    DeleteSyncPassword(url);
}
