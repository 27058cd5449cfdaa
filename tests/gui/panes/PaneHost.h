// A hidden dialog that hosts a pane under test, counts what the pane tells its
// parent and reflects notifications back as the main window does; plus a small
// folder hierarchy to fill panes and dialogs with.
#pragma once
#include "app/AppMessages.h"
#include "framework/CDialog.h"
#include "gui/TestResources.h"
#include "store/Records.h"
#include <string>
#include <vector>

class PaneHost : public fw::CDialog {
public:
    PaneHost() : CDialog(IDD_TEST_HOST) {}
    int foldersChanged = 0;
    int selectionChanges = 0;
    std::vector<WPARAM> commands;

    // A child control of the given class filling most of the host.
    HWND CreateChild(const wchar_t* cls, DWORD style, int id) {
        return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | style, 0, 0, 560, 360,
                               m_hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                               nullptr);
    }

    bool Dispatch(const fw::Msg& m, LRESULT& r) override {
        if (m.id == WM_FOLDERS_CHANGED) {
            ++foldersChanged;
            r = 0;
            return true;
        }
        if (m.id == WM_NOTIFY && reinterpret_cast<const NMHDR*>(m.lp)->code == TVN_SELCHANGEDW) ++selectionChanges;
        if (m.id == WM_COMMAND && m.lp == 0) {
            commands.push_back(m.wp);
            return true;
        }
        return CDialog::Dispatch(m, r);
    }
};

// Root
//  1 News / 2 World / 3 Europe / 7 Paris
//         / 4 Sports
//  5 Tech / 6 Linux
inline FolderRecord* AddTestFolder(FolderRecord& parent, int id, const wchar_t* name) {
    FolderRecord& f = parent.AddSubfolder();
    f.id = id;
    f.pid = parent.id;
    f.name = name;
    return &f;
}

inline void BuildTestHierarchy(FolderRecord& root) {
    FolderRecord* news = AddTestFolder(root, 1, L"News");
    FolderRecord* world = AddTestFolder(*news, 2, L"World");
    AddTestFolder(*AddTestFolder(*world, 3, L"Europe"), 7, L"Paris");
    AddTestFolder(*news, 4, L"Sports");
    AddTestFolder(*AddTestFolder(root, 5, L"Tech"), 6, L"Linux");
}
