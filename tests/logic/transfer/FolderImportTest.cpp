#include "logic/transfer/TransferTestFiles.h"
#include "logic/transfer/TreeBuilder.h"
#include "transfer/CFavorTransfer.h"
#include "transfer/ShortcutFile.h"
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <wrl/client.h>

namespace {

// A real program shortcut (.lnk) made by the shell.
bool MakeProgramShortcut(const std::wstring& path) {
    Microsoft::WRL::ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)))) return false;
    link->SetPath(L"C:\\windows\\notepad.exe");
    Microsoft::WRL::ComPtr<IPersistFile> file;
    return SUCCEEDED(link.As(&file)) && SUCCEEDED(file->Save(path.c_str(), TRUE));
}

}  // namespace

TEST(FolderImport, ReadsShortcutsAndFoldersOnly) {
    ScratchFolder dir;
    const std::wstring fav = dir / L"Favorites";
    MakeFolder(fav);
    WriteShortcutUrl(fav + L"\\Top.url", L"http://top/");
    WriteShortcutUrl(fav + L"\\Long.url", L"http://long/" + std::wstring(400, L'x'));
    WriteShortcutUrl(fav + L"\\\u65e5\u672c.url", L"http://\u4f8b.jp/\u30c6");
    ASSERT_TRUE(WriteBytes(fav + L"\\Spaced.url", "[DEFAULT]\r\nBASEURL=x\r\n[InternetShortcut]\r\nURL = http://spaced/ \r\n"));
    ASSERT_TRUE(WriteBytes(fav + L"\\notes.txt", "not a shortcut"));
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ASSERT_TRUE(MakeProgramShortcut(fav + L"\\Editor.lnk"));
    if (SUCCEEDED(com)) CoUninitialize();
    MakeFolder(fav + L"\\News");
    WriteShortcutUrl(fav + L"\\News\\Daily.url", L"http://daily/");
    MakeFolder(fav + L"\\News\\Empty");
    MakeFolder(fav + L"\\Links");
    WriteShortcutUrl(fav + L"\\Links\\Daily.url", L"http://other-daily/");
    const std::wstring hidden = fav + L"\\.Hidden";
    MakeFolder(hidden);
    ASSERT_TRUE(SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
    WriteShortcutUrl(hidden + L"\\Secret.url", L"http://secret/");

    OwnedTree tree;
    int count = -1;
    CFavorTransfer transfer;
    ASSERT_TRUE(transfer.ReadFavoritesFolder(fav, tree.root, count));
    EXPECT_EQ(Describe(tree.root, true),
              L"{Long=http://long/" + std::wstring(400, L'x') + L";Spaced=http://spaced/;Top=http://top/;"
              L"\u65e5\u672c=http://\u4f8b.jp/\u30c6;"
              L"[Links{Daily=http://other-daily/;}][News{Daily=http://daily/;[Empty{}]}]}");
    EXPECT_EQ(count, 9);
}

TEST(FolderImport, FailsForWhatIsNoFolder) {
    ScratchFolder dir;
    ASSERT_TRUE(WriteBytes(dir / L"file.url", "[InternetShortcut]\r\nURL=http://x/\r\n"));
    MakeFolder(dir / L"empty");
    CFavorTransfer transfer;
    for (const std::wstring& path : {std::wstring(), dir / L"missing", dir / L"file.url"}) {
        OwnedTree tree;
        int count = -1;
        EXPECT_FALSE(transfer.ReadFavoritesFolder(path, tree.root, count)) << path;
        EXPECT_EQ(count, 0);
    }
    OwnedTree tree;
    int count = -1;
    EXPECT_TRUE(transfer.ReadFavoritesFolder(dir / L"empty", tree.root, count));
    EXPECT_EQ(count, 0);
}

TEST(FolderImport, ExportedFolderReadsBackAsTheSameTree) {
    ScratchFolder dir;
    OwnedTree tree;
    AddFav(tree.root, L"Alpha", L"http://alpha/?q=1&r=2");
    AddFav(tree.root, L"Caf\u00e9 \u4f8b", L"http://\u4f8b.jp/" + std::wstring(300, L'p'));
    FolderRecord& news = AddSub(tree.root, L"News");
    AddFav(news, L"Daily", L"http://daily/");
    AddSub(news, L"Empty");
    AddFav(AddSub(AddSub(tree.root, L"\u65e5\u672c"), L"Deep"), L"Bottom", L"http://bottom/");
    CFavorTransfer transfer;
    ASSERT_TRUE(transfer.ExportToFolder(nullptr, dir.Path(), tree.root));
    OwnedTree back;
    int count = 0;
    ASSERT_TRUE(transfer.ReadFavoritesFolder(dir.Path(), back.root, count));
    EXPECT_EQ(Describe(back.root, true), Describe(tree.root, true));
    EXPECT_EQ(count, 8);
}
