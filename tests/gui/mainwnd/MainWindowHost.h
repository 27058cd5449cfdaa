// The real main window on a store and a settings file of its own in a temporary
// folder, created modeless (as the program's modal run does, without the loop) and
// driven with window messages.
#pragma once
#include "app/CAppSettings.h"
#include "fakes/FakeSeams.h"
#include "framework/ModalHook.h"
#include "res/resource.h"
#include "store/CFavorStore.h"
#include "ui/CFavorMainDlg.h"
#include "ui/MainLayout.h"
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <string>

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_folder = std::wstring(temp) + L"tm-mainwnd-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                   std::to_wstring(++s_serial);
        CreateDirectoryW(m_folder.c_str(), nullptr);
        ASSERT_TRUE(store.Open(m_folder + L"\\favors.db"));
        settings.SetFilePath(IniPath());
    }
    void TearDown() override {
        fw::SetModalHook({});
        window.reset();
        Pump();
        DeleteFileW(IniPath().c_str());
        m_store.reset();  // closes the file before it is removed
        DeleteFileW((m_folder + L"\\favors.db").c_str());
        RemoveDirectoryW(m_folder.c_str());
    }

    std::wstring IniPath() const { return m_folder + L"\\Tidemarker.ini"; }

    int AddFolder(const wchar_t* name, int pid) {
        FolderRecord f;
        f.name = name;
        f.pid = pid;
        EXPECT_TRUE(store.AddFolder(f));
        return f.id;
    }
    int AddFavor(const wchar_t* name, const wchar_t* location, int pid, const wchar_t* tags = L"") {
        FavorRecord r;
        r.name = name;
        r.location = location;
        r.tags = tags;
        r.pid = pid;
        EXPECT_TRUE(store.AddFavor(r));
        return r.id;
    }

    // Creates the window in the given mode at known rectangles.
    void Open(bool browser = true) {
        settings.WriteBrowserMode(browser);
        settings.WriteWindowRect(true, kBrowserRect);
        settings.WriteWindowRect(false, kQuickPanelRect);
        window = std::make_unique<CFavorMainDlg>(store, settings);
        ASSERT_TRUE(window->Create(nullptr));
        Pump();
    }

    HWND Main() const { return window->Hwnd(); }
    HWND Item(int id) const { return GetDlgItem(Main(), id); }
    std::wstring Text(int id) const { return fw::WindowText(Item(id)); }
    bool Visible(int id) const { return IsWindowVisible(Item(id)) != FALSE; }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    void Command(UINT id, UINT code = 0) { SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(id, code), 0); Pump(); }

    layout::Box ClientBox(int id) const {
        RECT rc{};
        GetWindowRect(Item(id), &rc);
        MapWindowPoints(nullptr, Main(), reinterpret_cast<POINT*>(&rc), 2);
        return {rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top};
    }
    SIZE ClientSize() const {
        RECT rc{};
        GetClientRect(Main(), &rc);
        return {rc.right, rc.bottom};
    }
    RECT WindowRect() const {
        RECT rc{};
        GetWindowRect(Main(), &rc);
        return rc;
    }

    void SelectRows(std::initializer_list<int> rows) {
        HWND list = Item(IDC_FAVOR_LIST);
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
        for (int r : rows) ListView_SetItemState(list, r, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    std::wstring RowName(int row) const {
        const FavorRecord* r = window->List().RecordAt(row);
        return r ? r->name : L"";
    }

    static void Pump() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

    static constexpr RECT kBrowserRect{40, 30, 840, 590};      // 800 x 560
    static constexpr RECT kQuickPanelRect{900, 100, 1240, 560};  // 340 x 460

    FakeSeams seams;
    std::unique_ptr<CFavorStore> m_store = std::make_unique<CFavorStore>();
    CFavorStore& store = *m_store;
    CAppSettings settings;
    std::unique_ptr<CFavorMainDlg> window;

private:
    std::wstring m_folder;
    static inline int s_serial = 0;
};

// Answers the next modal dialog once: fills fields, then presses OK or Cancel.
struct DialogAnswer {
    explicit DialogAnswer(std::function<void(HWND)> fill) {
        fw::SetModalHook([fill](HWND dlg) {
            fw::SetModalHook({});
            fill(dlg);
        });
    }
    ~DialogAnswer() { fw::SetModalHook({}); }
};

inline void PressOk(HWND dlg) { PostMessageW(GetDlgItem(dlg, IDC_DLG_OK), BM_CLICK, 0, 0); }

inline int FavorCount(CFavorStore& store, int folderId) {
    std::vector<FavorRecord*> rows;
    store.LoadFavors(folderId, rows);
    const int n = static_cast<int>(rows.size());
    FreeFavorList(rows);
    return n;
}

// Picks the folder in the Quick Panel's folder list, as the user's choice there does.
inline void ChooseQuickPanelFolder(HWND main, int folderId) {
    HWND combo = GetDlgItem(main, IDC_FOLDER_COMBO);
    const int n = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i)
        if (static_cast<int>(SendMessageW(combo, CB_GETITEMDATA, i, 0)) == folderId) {
            SendMessageW(combo, CB_SETCURSEL, i, 0);
            SendMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_FOLDER_COMBO, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
        }
}

// What the favorite dialog shows.
struct ShownFavorDialog {
    std::wstring title, name, location;
    int folder = -1;  // the id of the folder chosen in its list
};

inline ShownFavorDialog ReadFavorDialog(HWND dlg) {
    ShownFavorDialog shown{fw::WindowText(dlg), fw::WindowText(GetDlgItem(dlg, IDC_DETAIL_NAME)),
                           fw::WindowText(GetDlgItem(dlg, IDC_DETAIL_LOCATION))};
    HWND combo = GetDlgItem(dlg, IDC_FOLDER_COMBO);
    const auto* f = reinterpret_cast<const FolderRecord*>(
        SendMessageW(combo, CB_GETITEMDATA, SendMessageW(combo, CB_GETCURSEL, 0, 0), 0));
    shown.folder = f ? f->id : -1;
    return shown;
}
