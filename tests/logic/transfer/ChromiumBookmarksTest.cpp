// Chromium-family Bookmarks files and Local State profile lists, as the browsers write them.
#include "fakes/FakeSeams.h"
#include "logic/transfer/TransferTestFiles.h"
#include "logic/transfer/TreeBuilder.h"
#include "transfer/BookmarkHtmlReader.h"
#include "transfer/ChromiumBookmarks.h"
#include "transfer/ChromiumProfiles.h"
#include "transfer/ImportedItems.h"
#include <gtest/gtest.h>
#include <shlobj.h>

namespace {

std::string JsonUrl(const std::string& name, const std::string& url) {
    return R"({"date_added": "1", "guid": "g", "id": "7", "meta_info": {"k": "v"}, "name": ")" + name +
           R"(", "type": "url", "url": ")" + url + "\"}";
}
std::string JsonFolder(const std::string& name, const std::string& children) {
    return R"({"children": [)" + children + R"(], "date_modified": "0", "id": "3", "name": ")" + name +
           R"(", "type": "folder"})";
}
std::string Bookmarks(const std::string& bar, const std::string& other, const std::string& synced) {
    return R"({"checksum": "abc", "roots": {"bookmark_bar": )" + bar + R"(, "other": )" + other +
           R"(, "synced": )" + synced + R"(}, "version": 1})";
}

std::wstring Read(const std::string& bytes, int* count = nullptr) {
    return DescribeParsed([](std::string_view b, FolderRecord& r, int& n) { return ParseChromiumBookmarks(b, r, n); }, bytes, count);
}

}  // namespace

TEST(ChromiumBookmarks, ReadsTheThreeRootsInFileOrder) {
    const std::string file = Bookmarks(
        JsonFolder("Bookmarks bar", JsonUrl("", "https://a.example/") + "," +
                                    JsonFolder("Dev", JsonFolder("Deeper", JsonUrl("Doc", "file:///C:/doc.txt"))) + "," +
                                    JsonUrl("Let", "javascript:void(document.title)") + "," + JsonUrl("Dup", "https://a.example/")),
        JsonFolder("Other bookmarks", JsonUrl("\u65b0\u805e \\u00e9\\\"q\\\"", "https://news.example/")),
        JsonFolder("Mobile bookmarks", ""));
    int count = 0;
    EXPECT_EQ(Read(file, &count),
              L"{[Bookmarks bar{=https://a.example/;Let=javascript:void(document.title);Dup=https://a.example/;"
              L"[Dev{[Deeper{Doc=file:///C:/doc.txt;}]}]}][Other bookmarks{\u65b0\u805e \u00e9\"q\"=https://news.example/;}]}");
    EXPECT_EQ(count, 9);
    // Roots without a name get the browser's; an empty or missing root is left out.
    EXPECT_EQ(Read(R"({"roots": {"synced": {"children": [)" + JsonUrl("M", "m:") + R"(]}, "other": {"children": []}}})"),
              L"{[Mobile bookmarks{M=m:;}]}");
}

TEST(ChromiumBookmarks, BadFilesAreRefusedAndOddOnesReadSafely) {
    const std::string good = Bookmarks(JsonFolder("B", JsonUrl("A", "http://a/")), JsonFolder("O", ""), JsonFolder("S", ""));
    const struct { const char* what; std::string json; } refused[] = {
        {"empty", ""}, {"truncated", good.substr(0, good.size() / 2)}, {"not JSON", "<html>"},
        {"JSON without roots", R"({"checksum": "x", "version": 1})"}, {"an array", "[1, 2]"},
        {"invalid UTF-8", Bookmarks(JsonFolder("B", JsonUrl("\xC3\x28", "http://a/")), "{}", "{}")},
    };
    for (const auto& c : refused) EXPECT_EQ(Read(c.json), L"refused") << c.what;

    std::string deep;
    for (int i = 0; i < 10000; ++i) deep += R"({"type": "folder", "name": "F", "children": [)";
    deep += JsonUrl("Deep", "http://deep/");
    for (int i = 0; i < 10000; ++i) deep += "]}";
    OwnedTree tree;
    int count = 0;
    ASSERT_TRUE(ParseChromiumBookmarks(Bookmarks(deep, "{}", "{}"), tree.root, count));
    const FolderRecord* at = &tree.root;
    int depth = 0;
    for (; !at->subfolders.empty(); ++depth) at = at->subfolders[0].get();
    EXPECT_EQ(depth, kMaxImportDepth);  // the root's folder and the file's folders below it
    EXPECT_EQ(at->favors.size(), 1u);

    // A long name is cut to what a name keeps; a long location is kept whole.
    const std::string name(100000, 'n'), url = "http://long.example/" + std::string(3000, 'u');
    EXPECT_EQ(Read(Bookmarks(JsonFolder("B", JsonUrl(name, url)), "{}", "{}")),
              L"{[B{" + std::wstring(kMaxNameChars, L'n') + L"=" + std::wstring(url.begin(), url.end()) + L";}]}");
}

TEST(ChromiumProfiles, FindsTheProfilesThatHoldBookmarks) {
    EXPECT_EQ(ProfileFolders(R"({"profile": {"info_cache": {"Default": {"name": "Me"}, "Profile 1": {}}}})"),
              (std::vector<std::wstring>{L"Default", L"Profile 1"}));
    EXPECT_EQ(ProfileFolders("not json"), std::vector<std::wstring>{L"Default"});

    ScratchFolder local, roaming;
    FakeSeams seams;
    seams.SetShellFolder(CSIDL_LOCAL_APPDATA, local.Path());
    seams.SetShellFolder(CSIDL_APPDATA, roaming.Path());
    for (const wchar_t* dir : {L"Google", L"Google\\Chrome", L"Google\\Chrome\\User Data",
                               L"Google\\Chrome\\User Data\\Default", L"Google\\Chrome\\User Data\\Profile 1",
                               L"Microsoft", L"Microsoft\\Edge", L"Microsoft\\Edge\\User Data",
                               L"Microsoft\\Edge\\User Data\\Default"})
        MakeFolder(local / dir);
    MakeFolder(roaming / L"Opera Software");
    MakeFolder(roaming / L"Opera Software\\Opera Stable");
    WriteBytes(local / L"Google\\Chrome\\User Data\\Local State",
               R"({"profile": {"info_cache": {"Profile 1": {}, "Profile 2": {}, "..\\..": {}}}})");
    for (const std::wstring& f : {local / L"Google\\Chrome\\User Data\\Profile 1\\Bookmarks",
                                  local / L"Microsoft\\Edge\\User Data\\Default\\Bookmarks",  // no Local State
                                  roaming / L"Opera Software\\Opera Stable\\Bookmarks"})
        WriteBytes(f, "{}");
    std::vector<std::wstring> labels;
    for (const ChromiumProfile& p : FindChromiumProfiles()) labels.push_back(p.label + L"|" + p.bookmarksPath);
    EXPECT_EQ(labels, (std::vector<std::wstring>{
                          L"Google Chrome \u2014 Profile 1|" + local / L"Google\\Chrome\\User Data\\Profile 1\\Bookmarks",
                          L"Microsoft Edge \u2014 Default|" + local / L"Microsoft\\Edge\\User Data\\Default\\Bookmarks",
                          L"Opera \u2014 Opera Stable|" + roaming / L"Opera Software\\Opera Stable\\Bookmarks"}));
    EXPECT_EQ(ChromiumBrowserName(local / L"MICROSOFT\\Edge\\User Data\\Default\\Bookmarks"), L"Edge");
    EXPECT_EQ(ChromiumBrowserName(local / L"Microsoft\\Edge\\User Data2\\Bookmarks"), L"Chromium");
}
