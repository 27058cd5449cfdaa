// Undo and Redo as the user meets them: Ctrl+Z and Ctrl+Y in the panes, the Edit menu
// naming the step, and an edit field keeping the keys for itself.
#include "gui/mainwnd/MainWindowHost.h"
#include "app/AppMessages.h"
#include "fakes/StoreRows.h"

namespace {

// A real key press with Ctrl held down.
void PressWithCtrl(WORD vk) {
    INPUT in[4]{};
    for (INPUT& i : in) i.type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[3].ki.wVk = VK_CONTROL;
    in[1].ki.wVk = in[2].ki.wVk = vk;
    in[2].ki.dwFlags = in[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, in, sizeof(INPUT));
}

std::wstring MenuEntry(HWND main, UINT id) {
    wchar_t text[128] = L"";
    GetMenuStringW(GetMenu(main), id, text, 128, MF_BYCOMMAND);
    const bool grey = GetMenuState(GetMenu(main), id, MF_BYCOMMAND) & MF_GRAYED;
    return text + std::wstring(grey ? L" (grey)" : L"");
}

}  // namespace

TEST_F(MainWindowTest, ADeletedFolderComesBackWithCtrlZAndGoesAgainWithRedo) {
    const int news = AddFolder(L"News", 0);
    const int world = AddFolder(L"World", news);
    AddFavor(L"Paper", L"http://paper.example/", news, L"daily");
    AddFavor(L"Globe", L"http://globe.example/", world);
    const std::string before = StoreRows(DbPath());
    std::string deleted, undone, typedOver;
    std::vector<std::wstring> menus, listed;
    const auto click = [this](HWND control, POINT at) {  // as Click does, with the run's own loop
        PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    };
    RunModal(true, {
        [&] {
            SendMessageW(Main(), WM_SHOWINSTANCE, 0, 0);
            menus.push_back(MenuEntry(Main(), IDM_EDIT_UNDO));
            click(Item(IDC_FOLDER_TREE), FolderPoint(news));
        },
        [&] {
            seams.QueueAnswer(IDYES);
            SendMessageW(Main(), WM_COMMAND, IDM_DELETE_FOLDER, 0);
        },
        [&] {
            deleted = StoreRows(DbPath());
            menus.push_back(MenuEntry(Main(), IDM_EDIT_UNDO));
            SetFocus(Item(IDC_FOLDER_TREE));
            PressWithCtrl('Z');
        },
        [&] {
            undone = StoreRows(DbPath());
            menus.push_back(MenuEntry(Main(), IDM_EDIT_REDO));
            click(Item(IDC_FOLDER_TREE), FolderPoint(news));
        },
        [&] {
            for (int row = 0; row < window->List().RowCount(); ++row) listed.push_back(RowName(row));
            SendMessageW(Main(), WM_COMMAND, IDM_EDIT_REDO, 0);  // from the Edit menu
        },
        [&] {
            menus.push_back(MenuEntry(Main(), IDM_EDIT_UNDO));
            SetFocus(Item(IDC_SEARCH_EDIT));
            PressKey('Q');
        },
        [&] { PressWithCtrl('Z'); },  // the search box's own undo
        [&] {
            typedOver = StoreRows(DbPath());
            menus.push_back(Text(IDC_SEARCH_EDIT));
        },
    });
    EXPECT_NE(deleted, before);
    EXPECT_EQ(undone, before);
    EXPECT_EQ(typedOver, deleted);
    EXPECT_EQ(listed, std::vector<std::wstring>{L"Paper"});
    EXPECT_EQ(menus, (std::vector<std::wstring>{L"&Undo\tCtrl+Z (grey)", L"&Undo Delete Folder\tCtrl+Z",
                                                L"&Redo Delete Folder\tCtrl+Y", L"&Undo Delete Folder\tCtrl+Z", L""}));
    EXPECT_EQ(window->Tree().FindFolder(world), nullptr);
}
