// Bookmark HTML in the shapes browsers and our own export write, read back into trees.
#include "logic/transfer/TreeBuilder.h"
#include "store/CFavorStore.h"
#include "store/TextConv.h"
#include "transfer/BookmarkHtml.h"
#include "transfer/BookmarkHtmlReader.h"
#include "transfer/CFavorTransfer.h"
#include "transfer/HtmlCharacterReferences.h"
#include "transfer/ImportedItems.h"
#include "edits/FavorEdits.h"
#include <gtest/gtest.h>

namespace {

const std::string kDoctype = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n";

std::wstring Read(const std::string& bytes, int* count = nullptr) {
    return DescribeParsed([](std::string_view b, FolderRecord& r, int& n) { return ParseBookmarkHtml(b, r, n); }, bytes, count);
}

}  // namespace

TEST(BookmarkHtmlReader, DecodesEveryKindOfCharacterReference) {
    const struct { const char* in; bool attribute; const char* out; } cases[] = {
        {"R&amp;D &lt;b&gt; &quot;q&quot; &#39;s&#39;", false, "R&D <b> \"q\" 's'"},
        {"caf&eacute;&nbsp;&#x1F600;&#128512", false, "caf\xC3\xA9\xC2\xA0\xF0\x9F\x98\x80\xF0\x9F\x98\x80"},
        {"&NotNestedGreaterGreater; &fjlig; &amp &copy2", false, "\xE2\xAA\xA2\xCC\xB8 fj & \xC2\xA9" "2"},
        {"&#0; &#xD800; &#x110000; &#; &bogus; & x", false, "\xEF\xBF\xBD \xEF\xBF\xBD \xEF\xBF\xBD &#; &bogus; & x"},
        {"?a=1&copy=2&amp=3&notit;", true, "?a=1&copy=2&amp=3&notit;"},
        {"&notit; &copy=", false, "\xC2\xACit; \xC2\xA9="},
    };
    for (const auto& c : cases) EXPECT_EQ(DecodeCharacterReferences(c.in, c.attribute), c.out) << c.in;
}

TEST(BookmarkHtmlReader, ReadsTheShapesBrowsersWrite) {
    const struct { const char* what; std::string html; std::wstring tree; } cases[] = {
        {"Firefox: one item a line, descriptions, separators",
         kDoctype + "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n<TITLE>Bookmarks</TITLE>\n"
                    "<H1>Bookmarks Menu</H1>\n\n<DL><p>\n    <DT><H3 ADD_DATE=\"1\">Dev &amp; Tools</H3>\n"
                    "    <DD>About tools\n    <DL><p>\n        <DT><A HREF=\"https://a.example/?x=1&amp;y=2\" "
                    "ADD_DATE=\"2\" ICON=\"data:x\">A &#39;one&#39;</A>\n        <HR>\n    </DL><p>\n"
                    "    <DT><A HREF=\"javascript:alert(1)\">Let</A>\n    <DD>a bookmarklet\n</DL>\n",
         L"{Let=javascript:alert(1);[Dev & Tools{A 'one'=https://a.example/?x=1&y=2;}]}"},
        {"Chrome: folders of the bar, several items a line, no </DT>",
         kDoctype + "<TITLE>Bookmarks</TITLE><H1>Bookmarks</H1><DL><p><DT><H3 PERSONAL_TOOLBAR_FOLDER=\"true\">"
                    "Bookmarks bar</H3><DL><p><DT><A HREF=\"file:///C:/x.txt\">x</A><DT><A HREF=\"http://d/\"></A>"
                    "<DT><A HREF=\"http://d/\">d</A></DL><p><DT><H3>Empty</H3><DT><A HREF='http://e/'>e</A></DL><p>",
         L"{e=http://e/;[Bookmarks bar{x=file:///C:/x.txt;=http://d/;d=http://d/;}][Empty{}]}"},
        {"lower case, odd spacing, items over several lines, entities",
         "\xEF\xBB\xBF  <!doctype   netscape-bookmark-file-1>\r\n<dl>\r\n<dt><a\r\n   href = \"http://b/\"\r\n"
         "   tags=\"x,y\">\r\n  caf&eacute; &nbsp;\r\n  ol&eacute;</a></dt>\r\n<dt><h3 >\u00c4rger</h3>\r\n<dl></dl>\r\n</dl>",
         L"{caf\u00e9 \u00a0 ol\u00e9=http://b/;[\u00c4rger{}]}"},
        {"a file cut short inside a link", kDoctype + "<DL><p><DT><H3>F</H3><DL><p><DT><A HREF=\"http://a/\">A</A>"
                                                     "<DT><A HREF=\"http://cut", L"{[F{A=http://a/;=http://cut;}]}"},
        {"a stray < in a name", kDoctype + "<DL><DT><A HREF=\"h\">1 < 2</A></DL>", L"{1 < 2=h;}"},
        {"no doctype", "<html><DL><DT><A HREF=\"h\">A</A></DL></html>", L"refused"},
        {"empty file", "", L"refused"},
    };
    for (const auto& c : cases) EXPECT_EQ(Read(c.html), c.tree) << c.what;
}

TEST(BookmarkHtmlReader, TagsAndVisitTimesReachTheStore) {
    OwnedTree tree;
    int count = 0;
    ASSERT_TRUE(ParseBookmarkHtml(kDoctype + "<DL><DT><A HREF=\"h\" TAGS=\"news,&amp;more\" LAST_VISIT=\"1700000000\">A</A>"
                                             "<DT><A HREF=\"i\" LAST_VISIT=\"bad\">B</A></DL>",
                                  tree.root, count));
    ASSERT_EQ(count, 2);
    EXPECT_EQ(tree.root.favors[0].tags, L"news,&more");
    EXPECT_EQ(tree.root.favors[0].lastHit.substr(0, 8), L"2023-11-");  // local time of 2023-11-14 22:13 UTC
    CFavorStore store;
    ASSERT_TRUE(store.Open(L":memory:"));
    const std::wstring visited = tree.root.favors[0].lastHit;
    EditStep stored;
    ASSERT_TRUE(FavorEdits(store).StoreImport(tree.root, L"Favorites From HTML", {}, stored));
    std::vector<FavorRecord> rows;
    ASSERT_TRUE(store.LoadFavors(tree.root.id, rows));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].lastHit, visited);  // kept; the one without a valid time gets now
    EXPECT_EQ(rows[0].tags, L"news,&more");
    EXPECT_EQ(rows[1].lastHit.size(), 19u);
}

TEST(BookmarkHtmlReader, OurExportReadsBackAsTheSameTree) {
    OwnedTree tree;
    FolderRecord& news = AddSub(tree.root, L"News & \"Views\" <1>");
    AddFav(news, L"\u65b0\u805e \u00e9t\u00e9 & <b>", L"http://x.example/?a=1&b=\"2\"");
    AddSub(AddSub(news, L"\u0420\u0443\u0441"), L"Empty");
    AddFav(tree.root, L"  padded  name ", L"http://y/");
    const std::string html = ToUtf8(BookmarkHtmlHeader()) + ToUtf8(CFavorTransfer::BuildBookmarkHtml({}, tree.root, false));
    int count = 0;
    EXPECT_EQ(Read(html, &count), Describe(tree.root));
    EXPECT_EQ(count, 5);
}

TEST(BookmarkHtmlReader, DeepNestingLongNamesAndBadBytesAreSafe) {
    std::string deep = kDoctype + "<DL>";
    for (int i = 0; i < 10000; ++i) deep += "<DT><H3>F</H3><DL><p>";
    deep += "<DT><A HREF=\"http://deep/\">Deep</A>";  // the file ends without closing its lists
    OwnedTree tree;
    int count = 0;
    ASSERT_TRUE(ParseBookmarkHtml(deep, tree.root, count));
    const FolderRecord* at = &tree.root;
    int depth = 0;
    for (; !at->subfolders.empty(); ++depth) at = at->subfolders[0].get();
    EXPECT_EQ(depth, kMaxImportDepth);
    ASSERT_EQ(at->favors.size(), 1u);  // what lies deeper is kept in the deepest folder
    EXPECT_EQ(count, kMaxImportDepth + 1);

    const std::string name(1000, 'n'), url = "http://long.example/" + std::string(3000, 'u');
    const std::wstring read = Read(kDoctype + "<DL><DT><A HREF=\"" + url + "\">" + name + "\xFF\xC3</A></DL>");
    EXPECT_EQ(read, L"{" + FromUtf8(name) + L"\uFFFD\uFFFD=" + FromUtf8(url) + L";}");
    EXPECT_EQ(Read(kDoctype + "<DL><DT><A HREF=\"h\">" + std::string(100000, 'n') + "</A></DL>"),
              L"{" + std::wstring(kMaxNameChars, L'n') + L"=h;}");  // a name keeps so much
}
