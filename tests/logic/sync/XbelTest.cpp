#include "sync/Xbel.h"
#include <gtest/gtest.h>

namespace {

// A file as floccus writes it: a separator, entities, non-Latin and empty titles.
const std::string kFloccusFile =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE xbel PUBLIC \"+//IDN python.org//DTD XML Bookmark Exchange Language 1.0//EN//XML\" "
    "\"http://pyxml.sourceforge.net/topics/dtds/xbel.dtd\">\n"
    "<xbel version=\"1.0\">\n"
    "<!--- highestId :41: for Floccus bookmark sync browser extension -->\n"
    "\n"
    "<folder id=\"3\">\n"
    "  <title>Nachrichten &amp; \xD0\x9C\xD0\xB8\xD1\x80 \xE6\x97\xA5\xE6\x9C\xAC</title>\n"
    "  <bookmark href=\"https://example.org/?a=1&amp;b=&quot;2&quot;\" id=\"7\">\n"
    "    <title>&lt;Tom&apos;s&gt; \xF0\x9F\x98\x80</title>\n"
    "  </bookmark>\n"
    "  <bookmark href=\"https://separator.floccus.org/?id=8\" id=\"8\">\n"
    "    <title>-----</title>\n"
    "  </bookmark>\n"
    "  <folder id=\"9\">\n"
    "    <title></title>\n"
    "  </folder>\n"
    "</folder>\n"
    "<bookmark href=\"https://example.com/\" id=\"41\">\n"
    "  <title>Top</title>\n"
    "</bookmark>\n"
    "</xbel>";

SyncTree Read(const std::string& bytes) {
    SyncTree tree;
    std::wstring reason;
    EXPECT_TRUE(ReadXbel(bytes, tree, reason)) << std::string(reason.begin(), reason.end());
    return tree;
}

}  // namespace

TEST(XbelTest, FloccusFileReadsWholeAndWritesBackByteForByte) {
    const SyncTree tree = Read(kFloccusFile);
    EXPECT_EQ(41u, tree.highestId);
    ASSERT_EQ(2u, tree.root.children.size());
    const SyncItem& news = tree.root.children[0];
    EXPECT_EQ("3", news.id);
    EXPECT_EQ(L"Nachrichten & \u041C\u0438\u0440 \u65E5\u672C", news.title);
    ASSERT_EQ(3u, news.children.size());
    EXPECT_EQ(L"https://example.org/?a=1&b=\"2\"", news.children[0].href);
    EXPECT_EQ(L"<Tom's> \U0001F600", news.children[0].title);
    EXPECT_EQ(SyncItem::Kind::Separator, news.children[1].kind);
    EXPECT_EQ(SyncItem::Kind::Folder, news.children[2].kind);
    EXPECT_EQ(L"", news.children[2].title);
    EXPECT_EQ(SyncItem::Kind::Bookmark, tree.root.children[1].kind);
    EXPECT_EQ(kFloccusFile, WriteXbel(tree));
}

TEST(XbelTest, ReadsAsFloccusReads) {
    // Titles trimmed, controls as spaces, the first <title> only, unknown elements left
    // out, ids that are no number dropped, highestId raised to the highest id present.
    const SyncTree tree = Read(
        "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xbel version=\"1.0\">\n"
        "<!--- highestId : 2 : for Floccus bookmark sync browser extension -->\n"
        "<folder id=\"x\"><title>\n    Old style\n  </title><title>second</title><desc>d</desc>"
        "<bookmark href=\"a&#9;b\" id=\"12\"><title><![CDATA[tab\there]]></title></bookmark>"
        "<separator/><alias ref=\"1\"/></folder></xbel>");
    EXPECT_EQ(12u, tree.highestId);
    ASSERT_EQ(1u, tree.root.children.size());
    const SyncItem& folder = tree.root.children[0];
    EXPECT_EQ("", folder.id);
    EXPECT_EQ(L"Old style", folder.title);
    ASSERT_EQ(1u, folder.children.size());
    EXPECT_EQ(L"a b", folder.children[0].href);
    EXPECT_EQ(L"tab here", folder.children[0].title);
}

TEST(XbelTest, WritesOnlyNamedEntitiesRawUtf8AndNoControlCharacters) {
    SyncTree tree;
    tree.highestId = 5;
    SyncItem b{SyncItem::Kind::Bookmark, "", L"a\x01" L"b\tc\x85" L"d \xD800 \xE9 &<>\"'", L"x\ny&z", {}};
    SyncItem f{SyncItem::Kind::Folder, "", L"F", L"", {b}};
    tree.root.children = {f, b};
    const std::string bytes = WriteXbel(tree);
    EXPECT_EQ(std::string::npos, bytes.find("&#"));
    for (unsigned char c : bytes) EXPECT_TRUE(c >= 0x20 || c == '\n') << int(c);
    EXPECT_NE(std::string::npos, bytes.find("<title>a b c d \xEF\xBF\xBD \xC3\xA9 &amp;&lt;&gt;&quot;&apos;</title>"));
    // New ids follow highestId in the file's order, and the comment counts them.
    const SyncTree back = Read(bytes);
    ASSERT_EQ(2u, back.root.children.size());
    EXPECT_EQ(8u, back.highestId);
    EXPECT_EQ("6", back.root.children[0].id);
    EXPECT_EQ("7", back.root.children[0].children[0].id);
    EXPECT_EQ("8", back.root.children[1].id);
    EXPECT_EQ(L"x y&z", back.root.children[1].href);
}

TEST(XbelTest, HostileFilesAreRefusedWithAReason) {
    const std::string head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xbel version=\"1.0\">\n"
                             "<!--- highestId :1: for Floccus bookmark sync browser extension -->\n";
    std::string deep = head, longTitle = head + "<folder><title>" + std::string(kMaxXbelTitle + 1, 'a');
    for (int i = 0; i <= kMaxXbelDepth; ++i) deep += "<folder id=\"1\"><title>t</title>";
    for (int i = 0; i <= kMaxXbelDepth; ++i) deep += "</folder>";
    longTitle += "</title></folder></xbel>";
    const std::string cases[] = {
        "",
        kFloccusFile.substr(0, kFloccusFile.size() / 2),                     // cut off
        (head + "<folder><title>" + std::string(60000, 'n')).substr(0, 20000),  // cut off in a long title
        kFloccusFile.substr(kFloccusFile.find('\n')),                        // no declaration
        head.substr(0, head.find("<!---")) + "<folder/></xbel>",             // no highestId comment
        head.substr(0, head.find(":1:")) + ":x: -->\n</xbel>",               // no number in it
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<html><!--- highestId :1: -->\n</html>",  // foreign XML
        head + "<folder><title>a</folder></xbel>",                           // mismatched tags
        deep + "</xbel>",
        longTitle,
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE xbel [<!ENTITY a \"aaaaaaaaaa\">"
        "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
        "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\"><!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">]>\n"
        "<xbel>\n<!--- highestId :1: -->\n<folder><title>&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;</title></folder></xbel>",
    };
    for (const std::string& bytes : cases) {
        SyncTree tree;
        tree.highestId = 99;
        std::wstring reason;
        EXPECT_FALSE(ReadXbel(bytes, tree, reason)) << bytes.substr(0, 300);
        EXPECT_FALSE(reason.empty());
        EXPECT_EQ(99u, tree.highestId);
        EXPECT_TRUE(tree.root.children.empty());
    }
}
