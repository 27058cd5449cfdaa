#include "logic/transfer/TransferTestFiles.h"
#include "logic/transfer/TreeBuilder.h"
#include "transfer/CFavorTransfer.h"
#include "transfer/ShortcutFile.h"
#include <gtest/gtest.h>

namespace {

const std::string kHeader =
    "<!DOCTYPE NETSCAPE-Bookmark-file-1>\r\n"
    "<!-- This is an automatically generated file.\r\n"
    "     It will be read and overwritten.\r\n"
    "     DO NOT EDIT! -->\r\n"
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\r\n"
    "<TITLE>Bookmarks</TITLE>\r\n"
    "<H1>Bookmarks Menu</H1>\r\n";

struct StepCounter {
    int steps = 0;
    CFavorTransfer::Step Fn() { return [this] { ++steps; }; }
};

}  // namespace

TEST(HtmlExport, WritesTheExactDocument) {
    ScratchFolder dir;
    CFavorTransfer transfer;
    const struct {
        const char* what;
        void (*fill)(FolderRecord&);
        std::string body;
        int steps;
    } cases[] = {
        {"empty root", [](FolderRecord&) {}, "<DL><p>\r\n</DL><p>\r\n", 0},
        {"one favorite, one empty folder",
         [](FolderRecord& r) { AddFav(r, L"A", L"L"); AddSub(r, L"S"); },
         "<DL><p>\r\n<DT><A HREF=\"L\">A</A>\r\n<DT><H3>S</H3>\r\n<DL><p>\r\n</DL><p>\r\n</DL><p>\r\n", 2},
        {"favorites before folders, depth first",
         [](FolderRecord& r) {
             FolderRecord& s = AddSub(r, L"S");
             AddFav(AddSub(s, L"T"), L"t", L"http://t/");
             AddFav(r, L"a", L"http://a/");
         },
         "<DL><p>\r\n<DT><A HREF=\"http://a/\">a</A>\r\n<DT><H3>S</H3>\r\n<DL><p>\r\n<DT><H3>T</H3>\r\n"
         "<DL><p>\r\n<DT><A HREF=\"http://t/\">t</A>\r\n</DL><p>\r\n</DL><p>\r\n</DL><p>\r\n", 4},
        {"non-Latin names as UTF-8",
         [](FolderRecord& r) { AddFav(AddSub(r, L"\u65e5\u672c"), L"Caf\u00e9 \u0416", L"http://\u4f8b.jp/"); },
         "<DL><p>\r\n<DT><H3>\xe6\x97\xa5\xe6\x9c\xac</H3>\r\n<DL><p>\r\n<DT><A HREF=\"http://\xe4\xbe\x8b.jp/\">"
         "Caf\xc3\xa9 \xd0\x96</A>\r\n</DL><p>\r\n</DL><p>\r\n", 2},
        {"markup characters escaped",
         [](FolderRecord& r) {
             AddFav(r, L"Tom & Jerry <b>\"x\"</b>", L"http://e/?a=1&b=\"2\"<>");
             AddSub(r, L"R&D <old>");
         },
         "<DL><p>\r\n<DT><A HREF=\"http://e/?a=1&amp;b=&quot;2&quot;&lt;&gt;\">Tom &amp; Jerry &lt;b&gt;&quot;x&quot;&lt;/b&gt;</A>\r\n"
         "<DT><H3>R&amp;D &lt;old&gt;</H3>\r\n<DL><p>\r\n</DL><p>\r\n</DL><p>\r\n", 2},
    };
    for (const auto& c : cases) {
        OwnedTree tree;
        tree.root.name = L"chosen folder, never written";
        c.fill(tree.root);
        StepCounter counter;
        const std::wstring path = dir / L"out.html";
        ASSERT_TRUE(transfer.ExportToHtml(counter.Fn(), path, tree.root)) << c.what;
        EXPECT_EQ(ReadBytes(path), kHeader + c.body) << c.what;  // replaced each time, no BOM
        EXPECT_EQ(counter.steps, c.steps) << c.what;
    }
}

TEST(HtmlExport, OpensByTheUnicodePathAndReportsFailure) {
    ScratchFolder dir;
    CFavorTransfer transfer;
    OwnedTree tree;
    AddFav(tree.root, L"a", L"http://a/");
    const std::wstring path = dir / L"\u4f8b\u3048.html";
    ASSERT_TRUE(transfer.ExportToHtml(nullptr, path, tree.root));
    EXPECT_TRUE(IsFile(path));
    EXPECT_EQ(CountEntries(dir.Path()), 1);  // no "??.html" beside it
    EXPECT_FALSE(transfer.ExportToHtml(nullptr, dir / L"missing\\out.html", tree.root));
}

TEST(FolderExport, WritesFilesAndFoldersInsideTheDestination) {
    ScratchFolder dir;
    const std::wstring dest = dir / L"dest";
    MakeFolder(dest);
    ASSERT_TRUE(WriteBytes(dest + L"\\Keep.url", "[InternetShortcut]\r\nURL=http://old/\r\nIconIndex=7\r\n"
                                                 "[Other]\r\nX=1\r\n"));
    OwnedTree tree;
    AddFav(tree.root, L"Keep", L"http://new/");
    AddFav(tree.root, L"Twice", L"http://first/");
    AddFav(tree.root, L"Twice", L"http://second/");
    AddFav(tree.root, L"..\\..\\escape", L"http://escape/");
    AddFav(tree.root, L"a/b: c?*", L"http://unsafe/");
    AddFav(tree.root, L"CON", L"http://device/");
    AddFav(AddSub(tree.root, L".."), L"up", L"http://up/");
    AddFav(AddSub(tree.root, L"Same"), L"one", L"http://one/");
    AddFav(AddSub(tree.root, L"Same"), L"two", L"http://two/");
    AddFav(AddSub(tree.root, L"x:\\y"), L"deep", L"http://deep/");
    StepCounter counter;
    CFavorTransfer transfer;
    EXPECT_TRUE(transfer.ExportToFolder(counter.Fn(), dest + L"\\", tree.root));
    EXPECT_EQ(counter.steps, 14);

    EXPECT_EQ(ReadShortcutUrl(dest + L"\\Keep.url"), L"http://new/");
    const std::string kept = ReadBytes(dest + L"\\Keep.url");
    EXPECT_NE(kept.find("IconIndex=7"), std::string::npos);
    EXPECT_NE(kept.find("[Other]"), std::string::npos);
    EXPECT_EQ(ReadShortcutUrl(dest + L"\\Twice.url"), L"http://first/");  // each keeps its own file
    EXPECT_EQ(ReadShortcutUrl(dest + L"\\Twice (2).url"), L"http://second/");
    EXPECT_EQ(ReadShortcutUrl(dest + L"\\.._.._escape.url"), L"http://escape/");
    EXPECT_EQ(ReadShortcutUrl(dest + L"\\a_b_ c__.url"), L"http://unsafe/");
    EXPECT_EQ(ReadShortcutUrl(dest + L"\\_CON.url"), L"http://device/");
    EXPECT_EQ(ReadShortcutUrl(dest + L"\\__\\up.url"), L"http://up/");
    EXPECT_EQ(ReadShortcutUrl(dest + L"\\Same\\one.url"), L"http://one/");
    EXPECT_EQ(ReadShortcutUrl(dest + L"\\Same\\two.url"), L"http://two/");
    EXPECT_EQ(ReadShortcutUrl(dest + L"\\x__y\\deep.url"), L"http://deep/");
    // Nothing outside the destination: the scratch folder holds only it.
    EXPECT_EQ(CountEntries(dir.Path()), 1 + CountEntries(dest));
    EXPECT_EQ(CountEntries(dest), 13);
}

TEST(FolderExport, RefusesOverlongPathsAndGoesOn) {
    ScratchFolder dir;
    OwnedTree tree;
    FolderRecord& deep = AddSub(tree.root, std::wstring(120, L'd'));
    AddFav(AddSub(deep, std::wstring(150, L'e')), L"lost", L"http://lost/");
    AddFav(deep, std::wstring(200, L'f'), L"http://long-name/");
    AddFav(tree.root, L"after", L"http://after/");
    StepCounter counter;
    CFavorTransfer transfer;
    EXPECT_FALSE(transfer.ExportToFolder(counter.Fn(), dir.Path(), tree.root));
    EXPECT_EQ(counter.steps, 5);
    EXPECT_EQ(ReadShortcutUrl(dir / L"after.url"), L"http://after/");
    EXPECT_TRUE(IsFolder(dir / std::wstring(120, L'd')));
    EXPECT_EQ(CountEntries(dir.Path()), 2);
}
