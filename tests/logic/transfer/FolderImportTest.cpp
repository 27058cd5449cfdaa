#include "logic/transfer/TransferTestFiles.h"
#include "logic/transfer/TreeBuilder.h"
#include "transfer/CFavorTransfer.h"
#include "transfer/ImportStatus.h"
#include "transfer/ShortcutFile.h"
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <wrl/client.h>
#include <vector>

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

// The tree the shell's own reading of every item gave, kept item for item: hidden
// files and folders, program shortcuts and files without a location stay out; names
// are the shell's, quotes and blanks come off the location.
TEST(FolderImport, GivesTheShellsTreeItemForItem) {
    ScratchFolder dir;
    const std::wstring fav = dir / L"Favorites";
    MakeFolder(fav);
    const struct { const wchar_t* path; const char* bytes; DWORD attributes; } files[] = {
        {L"Plain.url", "[InternetShortcut]\r\nURL=http://plain/\r\n", 0},
        {L"Quoted.url", "[InternetShortcut]\nURL = \"http://quoted/\"  \n", 0},
        {L"Upper.URL", "[INTERNETSHORTCUT]\r\nurl=http://upper/\r\n", 0},
        {L"Two.Dots.url", "[InternetShortcut]\r\nURL=http://dots/\r\n", 0},
        {L"Kept.url", "[InternetShortcut]\r\nURL=http://kept/\r\n", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM},
        {L"Hidden.url", "[InternetShortcut]\r\nURL=http://hidden/\r\n", FILE_ATTRIBUTE_HIDDEN},
        {L"NoUrl.url", "[InternetShortcut]\r\nIconIndex=1\r\n", 0},
        {L"Blank.url", "[InternetShortcut]\r\nURL=   \r\n", 0},
        {L"Other.url", "[Other]\r\nURL=http://other/\r\n", 0},
        {L"notes.txt", "[InternetShortcut]\r\nURL=http://text/\r\n", 0},
        {L"Sub\\Deep.url", "[InternetShortcut]\r\nURL=http://deep/\r\n", 0},
        {L"Dir.url\\In.url", "[InternetShortcut]\r\nURL=http://in/\r\n", 0},
        {L".Hidden\\Secret.url", "[InternetShortcut]\r\nURL=http://secret/\r\n", 0},
    };
    for (const wchar_t* folder : {L"Sub", L"Sub\\Empty", L"Dir.url", L".Hidden"}) MakeFolder(fav + L"\\" + folder);
    for (const auto& f : files) {
        const std::wstring path = fav + L"\\" + f.path;
        ASSERT_TRUE(WriteBytes(path, f.bytes));
        if (f.attributes) { ASSERT_TRUE(SetFileAttributesW(path.c_str(), f.attributes)); }
    }
    WriteShortcutUrl(fav + L"\\Wide.url", L"http://\u4f8b.jp/");
    // Paths of MAX_PATH characters and more are left out; one character less is read.
    for (const size_t length : {MAX_PATH - 1, MAX_PATH}) {
        const std::wstring stem = fav + L"\\Sub\\";
        ASSERT_TRUE(WriteBytes(L"\\\\?\\" + stem + std::wstring(length - stem.size() - 4, L'0' + length % 10) + L".url",
                               "[InternetShortcut]\r\nURL=http://long/\r\n"));
    }
    ASSERT_TRUE(SetFileAttributesW((fav + L"\\.Hidden").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW((fav + L"\\Sub").c_str(), FILE_ATTRIBUTE_READONLY));  // names asked one by one
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ASSERT_TRUE(MakeProgramShortcut(fav + L"\\Sub\\Editor.lnk"));
    if (SUCCEEDED(com)) CoUninitialize();

    OwnedTree tree;
    int count = -1;
    std::vector<int> reported;
    ASSERT_TRUE(CFavorTransfer().ReadFavoritesFolder(fav, tree.root, count, [&](int n) { reported.push_back(n); }));
    EXPECT_EQ(reported.at(0), 1);  // the first record is reported at once, later ones at most every 100 ms
    EXPECT_EQ(Describe(tree.root, true),
              L"{Kept=http://kept/;Plain=http://plain/;Quoted=http://quoted/;Two.Dots=http://dots/;"
              L"Upper=http://upper/;Wide=http://\u4f8b.jp/;[Dir.url{In=http://in/;}]"
              L"[Sub{" + std::wstring(MAX_PATH - 1 - (fav.size() + 5) - 4, L'9') + L"=http://long/;Deep=http://deep/;[Empty{}]}]}");
    EXPECT_EQ(count, 12);
}

TEST(FolderImport, ReadingStatusGroupsDigitsAsTheLocaleDoes) {  // the test prefix runs en-US
    EXPECT_EQ(FolderReadingStatus(1234567), L"Import status: Reading from favorites folder... 1,234,567");
    EXPECT_EQ(FolderReadingStatus(999), L"Import status: Reading from favorites folder... 999");
}
