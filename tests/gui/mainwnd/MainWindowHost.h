// The real main window on a store and a settings file of its own in a temporary
// folder, created modeless (as the program's modal run does, without the loop) and
// driven with window messages.
#pragma once
#include "app/CAppSettings.h"
#include "fakes/FakeSeams.h"
#include "fakes/TempFolder.h"
#include "framework/ModalHook.h"
#include "res/resource.h"
#include "store/CFavorStore.h"
#include "ui/CFavorMainDlg.h"
#include "ui/MainLayout.h"
#include <gtest/gtest.h>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_folder = std::wstring(temp) + L"tm-mainwnd-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                   std::to_wstring(++s_serial);
        CreateDirectoryW(m_folder.c_str(), nullptr);
        DeleteFileW((m_folder + L"\\favors.db").c_str());  // left by a run that was stopped
        ASSERT_TRUE(store.Open(m_folder + L"\\favors.db"));
        settings.SetFilePath(IniPath());
    }
    void TearDown() override {
        fw::SetModalHook({});
        window.reset();
        Pump();
        DeleteFileW(IniPath().c_str());
        m_store.reset();  // closes the file before it is removed
        RemoveFolderTree(m_folder);  // the backup copies too
    }

    std::wstring IniPath() const { return m_folder + L"\\Tidemarker.ini"; }
    std::wstring DbPath() const { return m_folder + L"\\favors.db"; }
    std::wstring BackupsPath() const { return m_folder + L"\\Backups"; }

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
        window = NewWindow(browser);
        ASSERT_TRUE(window->Create(nullptr));
        Pump();
    }
    std::unique_ptr<CFavorMainDlg> NewWindow(bool browser) {
        settings.WriteBrowserMode(browser);
        settings.WriteWindowRect(true, kBrowserRect);
        settings.WriteWindowRect(false, kQuickPanelRect);
        return std::make_unique<CFavorMainDlg>(store, settings);
    }

    // Runs the window as the program does, in its own modal loop, and takes the steps one
    // by one, each once the loop has handled everything the one before caused (a timer's
    // message comes after all others). Steps must not pump messages themselves. The exit
    // command ends the run after the last step.
    void RunModal(bool browser, std::vector<std::function<void()>> steps) {
        window = NewWindow(browser);
        steps.push_back([this] { SendMessageW(Main(), WM_COMMAND, IDM_FILE_CLOSE, 0); });
        s_steps = &steps;
        s_nextStep = 0;
        const UINT_PTR timer = SetTimer(nullptr, 0, 1, &TakeStep);
        window->DoModal(nullptr);
        KillTimer(nullptr, timer);
        s_steps = nullptr;
    }
    // A real key press, to the window in the foreground.
    static void PressKey(WORD vk) {
        INPUT in[2]{};
        in[0].type = INPUT_KEYBOARD;
        in[0].ki.wVk = vk;
        in[1] = in[0];
        in[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof(INPUT));
    }

    // Real key presses of a chord: the modifiers go down first and come up last.
    static void PressKeys(std::initializer_list<WORD> keys) {
        std::vector<INPUT> in;
        for (WORD vk : keys) {
            INPUT i{};
            i.type = INPUT_KEYBOARD;
            i.ki.wVk = vk;
            in.push_back(i);
        }
        for (auto k = keys.end(); k != keys.begin();) {
            INPUT i{};
            i.type = INPUT_KEYBOARD;
            i.ki.wVk = *--k;
            i.ki.dwFlags = KEYEVENTF_KEYUP;
            in.push_back(i);
        }
        SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
    }
    // A real left click at a point of a control, without waiting for it (for RunModal's steps).
    static void PressMouse(HWND control, POINT at) {
        ClientToScreen(control, &at);
        SendMouse(at, MOUSEEVENTF_LEFTDOWN);
        SendMouse(at, MOUSEEVENTF_LEFTUP);
        SendMouse({GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2}, 0);
    }
    int RowNamed(const wchar_t* name) const {
        for (int row = 0; row < window->List().RowCount(); ++row)
            if (RowName(row) == name) return row;
        return -1;
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

    // A left click at a point of a control. The button-up is queued first: controls that
    // wait for it inside their button-down handling (to tell a click from a drag) find it.
    static void Click(HWND control, POINT at, WPARAM keys = 0) {
        PostMessageW(control, WM_LBUTTONUP, keys, MAKELPARAM(at.x, at.y));
        SendMessageW(control, WM_LBUTTONDOWN, keys | MK_LBUTTON, MAKELPARAM(at.x, at.y));
        Pump();
    }
    // A real right click at a point of a control: the pointer moves there, the button goes
    // down and up (the pop-up menus open where it was), and the pointer goes back to the
    // middle of the screen, where the display starts it and later tests expect it.
    static void RightClick(HWND control, POINT at) {
        POINT there = at;
        ClientToScreen(control, &there);
        SendMouse(there, MOUSEEVENTF_RIGHTDOWN);
        SendMouse(there, MOUSEEVENTF_RIGHTUP);
        Pump();
        SendMouse({GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2}, 0);
        Pump();
    }
    static void SendMouse(POINT screen, DWORD button) {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        in.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        in.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | button;
        SendInput(1, &in, sizeof in);
    }
    static POINT Centre(const RECT& rc) { return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}; }
    // Rows selected as the user selects them: a click on the first, Ctrl+clicks on the
    // others; none: a click below the last row.
    void SelectRows(std::initializer_list<int> rows) {
        HWND list = Item(IDC_FAVOR_LIST);
        if (rows.size() == 0) {
            RECT rc{};
            GetClientRect(list, &rc);
            return Click(list, {rc.right / 2, rc.bottom - 4});
        }
        WPARAM keys = 0;
        for (int r : rows) {
            Click(list, RowPoint(r), keys);
            keys = MK_CONTROL;
        }
    }
    // Where a row's name or a folder's name is shown.
    POINT RowPoint(int row) const {
        RECT rc{};
        ListView_GetItemRect(Item(IDC_FAVOR_LIST), row, &rc, LVIR_LABEL);
        return Centre(rc);
    }
    POINT FolderPoint(int id) const {
        RECT rc{};
        const HTREEITEM item = window->Tree().ItemOf(id);
        std::memcpy(&rc, &item, sizeof item);  // the item goes in, its rectangle comes out
        SendMessageW(Item(IDC_FOLDER_TREE), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rc));
        return Centre(rc);
    }
    void ClickFolder(int id) { Click(Item(IDC_FOLDER_TREE), FolderPoint(id)); }
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
    static void CALLBACK TakeStep(HWND, UINT, UINT_PTR, DWORD) {
        if (s_steps && s_nextStep < s_steps->size()) (*s_steps)[s_nextStep++]();
    }

    std::wstring m_folder;
    static inline int s_serial = 0;
    static inline std::vector<std::function<void()>>* s_steps = nullptr;
    static inline size_t s_nextStep = 0;
};

// The pop-up menus opened on this thread while it lives: once a menu is up and waiting
// for the user, its entries are read (a greyed one as "&Edit (grey)") and the menu is
// closed, as by a user who looks at it and presses Esc.
class MenuWatch {
public:
    MenuWatch() : m_hook(SetWindowsHookExW(WH_CALLWNDPROC, &Watch, nullptr, GetCurrentThreadId())) { s_watch = this; }
    ~MenuWatch() {
        UnhookWindowsHookEx(m_hook);
        s_watch = nullptr;
    }
    std::vector<std::vector<std::wstring>> shown;  // each menu's entries, without separators

private:
    static LRESULT CALLBACK Watch(int code, WPARAM wp, LPARAM lp) {
        const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
        if (code == HC_ACTION && s_watch && m->message == WM_INITMENUPOPUP) s_watch->m_menu = HMENU(m->wParam);
        if (code == HC_ACTION && s_watch && m->message == WM_ENTERIDLE && m->wParam == MSGF_MENU && s_watch->m_menu) {
            std::vector<std::wstring>& entries = s_watch->shown.emplace_back();
            for (int i = 0; i < GetMenuItemCount(s_watch->m_menu); ++i) {
                const UINT state = GetMenuState(s_watch->m_menu, i, MF_BYPOSITION);
                wchar_t text[128] = L"";
                GetMenuStringW(s_watch->m_menu, i, text, 128, MF_BYPOSITION);
                if (!(state & MF_SEPARATOR)) entries.push_back(text + std::wstring(state & MF_GRAYED ? L" (grey)" : L""));
            }
            s_watch->m_menu = nullptr;
            EndMenu();
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    HHOOK m_hook;
    HMENU m_menu = nullptr;
    static inline MenuWatch* s_watch = nullptr;
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
    std::vector<FavorRecord> rows;
    store.LoadFavors(folderId, rows);
    const int n = static_cast<int>(rows.size());
    return n;
}

// The names of a folder's favorites as the store holds them, in its order.
inline std::vector<std::wstring> StoredNames(CFavorStore& store, int folderId) {
    std::vector<FavorRecord> rows;
    store.LoadFavors(folderId, rows);
    std::vector<std::wstring> names;
    for (const FavorRecord& r : rows) names.push_back(r.name);
    return names;
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
