// Writes a bookmark HTML export of a stored tree, and the tree itself as JSON, for
// tests/peer/check_bookmark_html.py, which reads the HTML with an independent parser.
// Runs only when that script asks for it (TM_PEER_OUT names the output folder).
#include "logic/transfer/TreeBuilder.h"
#include "store/CFavorStore.h"
#include "store/TextConv.h"
#include "transfer/CFavorTransfer.h"
#include "edits/FavorEdits.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <cstdio>
#include <cstdlib>

namespace {

std::string Json(const std::wstring& text) {
    std::string out = "\"";
    for (const char c : ToUtf8(text)) {
        if (c == '"' || c == '\\') out += '\\';
        if (static_cast<unsigned char>(c) < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
            out += buffer;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string Json(const FolderRecord& folder) {
    std::string out = "{\"name\": " + Json(folder.name) + ", \"favors\": [";
    for (size_t i = 0; i < folder.favors.size(); ++i) {
        out += (i ? ", [" : "[") + Json(folder.favors[i].name) + ", " + Json(folder.favors[i].location) + "]";
    }
    out += "], \"folders\": [";
    for (size_t i = 0; i < folder.subfolders.size(); ++i) out += (i ? ", " : "") + Json(*folder.subfolders[i]);
    return out + "]}";
}

}  // namespace

TEST(HtmlPeer, WritesTheSampleForTheParser) {
    const char* out = std::getenv("TM_PEER_OUT");
    if (!out || !*out) GTEST_SKIP() << "run by tests/peer/check_bookmark_html.py";
    const std::wstring dir = FromUtf8(out);
    CreateDirectoryW(dir.c_str(), nullptr);
    const std::wstring db = dir + L"\\favors.db";
    DeleteFileW(db.c_str());
    CFavorStore store;
    ASSERT_TRUE(store.Open(db));
    OwnedTree tree;
    AddFav(tree.root, L"Tom & Jerry <b>\"bold\"</b> 'single'", L"http://e.example/?a=1&b=\"2\"&c=<3>");
    AddFav(tree.root, L"Literal &amp; entity", L"http://e.example/?x=&amp;&lt;");
    AddFav(tree.root, L"Caf\u00e9 \u65e5\u672c \u041c\u043e\u0441\u043a\u0432\u0430 \U0001F600", L"http://\u4f8b.jp/\u30c6");
    AddFav(tree.root, L"Same", L"http://same/");
    AddFav(tree.root, L"Same", L"http://same/");
    FolderRecord& news = AddSub(tree.root, L"R&D <news>");
    AddFav(news, L"Daily", L"https://daily.example/path?q=a+b#frag");
    AddSub(news, L"Empty");
    AddFav(AddSub(AddSub(tree.root, L"\u00c4rger \"quoted\""), L"Deep"), L"Bottom", L"ftp://bottom.example/");
    AddSub(tree.root, L"Same");
    AddSub(tree.root, L"Same");
    EditStep imported;
    ASSERT_TRUE(FavorEdits(store).StoreImport(tree.root, L"Peer > check", nullptr, imported));

    OwnedTree stored;
    int count = 0;
    stored.root.id = tree.root.id;
    ASSERT_TRUE(store.LoadAll(stored.root, count));
    CFavorTransfer transfer;
    ASSERT_TRUE(transfer.ExportToHtml(nullptr, dir + L"\\export.html", stored.root));
    FILE* json = _wfopen((dir + L"\\expected.json").c_str(), L"wb");
    ASSERT_NE(json, nullptr);
    const std::string text = Json(stored.root);
    std::fwrite(text.data(), 1, text.size(), json);
    std::fclose(json);
}
