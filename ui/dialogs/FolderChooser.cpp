#include "ui/dialogs/FolderChooser.h"
#include "ui/FolderTreeLogic.h"
#include "ui/dialogs/CFavorDlg.h"

namespace {

void AppendEntry(HWND combo, const std::wstring& text, const FolderRecord* folder) {
    // An explicit position: the template gives the list the sorted style, and the
    // entries must keep the tree's order.
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    const LRESULT at = SendMessageW(combo, CB_INSERTSTRING, static_cast<WPARAM>(count < 0 ? 0 : count),
                                    reinterpret_cast<LPARAM>(text.c_str()));
    if (at >= 0) SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(folder));
}

const FolderRecord* EntryFolder(HWND combo, LRESULT index) {
    const LRESULT data = SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    return data == CB_ERR ? nullptr : reinterpret_cast<const FolderRecord*>(data);
}

}  // namespace

void FillFolderList(HWND combo, const FolderRecord& folder, int level, int excludedId) {
    for (const FolderListEntry& e : FolderListEntries(folder, level, excludedId)) AppendEntry(combo, e.text, e.folder);
}

void SelectFolderById(HWND combo, int folderId) {
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const FolderRecord* f = EntryFolder(combo, i);
        if (f && f->id == folderId) {
            SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
            return;
        }
    }
}

void PrepareFolderChooser(HWND combo, const FolderRecord* root, int excludedId, int pid) {
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    AppendEntry(combo, L"Root", root);
    if (root) FillFolderList(combo, *root, 1, excludedId);
    SelectFolderById(combo, pid);
    // A parent that is no folder of the tree: the dialog shows, and OK uses, Root.
    if (SendMessageW(combo, CB_GETCURSEL, 0, 0) == CB_ERR) SendMessageW(combo, CB_SETCURSEL, 0, 0);
}

int ChosenFolderId(HWND combo) {
    const LRESULT sel = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    const FolderRecord* f = sel == CB_ERR ? nullptr : EntryFolder(combo, sel);
    return f ? f->id : 0;
}
