// The Chromium and bookmark HTML imports: a Bookmarks file and a bookmark HTML file of
// 100,000 bookmarks in 2,000 folders, each read and saved into a fresh store, next to the
// floor of 100,000 plain inserts in one transaction measured in the same run.
#include "bench/Bench.h"
#include <windows.h>
#include "bench/BenchFiles.h"
#include "store/TextConv.h"
#include "transfer/BookmarkHtmlReader.h"
#include "transfer/ChromiumBookmarks.h"
#include <string>

namespace {

using namespace benchfiles;

std::string Quoted(const std::wstring& text) {
    std::string out = "\"";
    for (const char c : ToUtf8(text)) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

// As Chrome writes it: keys in order, two blanks of indentation per level.
void AppendJson(std::string& out, const FolderRecord& folder, const std::string& indent, int& id) {
    out += indent + "{\n" + indent + "   \"children\": [ ";
    bool first = true;
    for (const FavorRecord& f : folder.favors) {
        out += (first ? "" : ", ") + std::string("{\n") + indent + "      \"date_added\": \"13345678901234567\",\n" +
               indent + "      \"guid\": \"0f1e2d3c-4b5a-6978-8796-a5b4c3d2e1f0\",\n" + indent + "      \"id\": \"" +
               std::to_string(++id) + "\",\n" + indent + "      \"name\": " + Quoted(f.name) + ",\n" + indent +
               "      \"type\": \"url\",\n" + indent + "      \"url\": " + Quoted(f.location) + "\n" + indent + "   }";
        first = false;
    }
    for (const auto& sub : folder.subfolders) {
        out += first ? "\n" : ",\n";
        AppendJson(out, *sub, indent + "   ", id);
        first = false;
    }
    out += " ],\n" + indent + "   \"date_added\": \"13345678901234567\",\n" + indent + "   \"id\": \"" +
           std::to_string(++id) + "\",\n" + indent + "   \"name\": " + Quoted(folder.name) + ",\n" + indent +
           "   \"type\": \"folder\"\n" + indent + "}";
}

std::string EscapedUtf8(const std::wstring& text) {
    std::string out;
    for (const char c : ToUtf8(text)) {
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c == '"') out += "&quot;";
        else out += c;
    }
    return out;
}

// As Chrome exports it: one item a line, dates on every item, four blanks per level.
void AppendHtml(std::string& out, const FolderRecord& folder, const std::string& indent) {
    out += indent + "<DL><p>\n";
    for (const FavorRecord& f : folder.favors)
        out += indent + "    <DT><A HREF=\"" + EscapedUtf8(f.location) + "\" ADD_DATE=\"1700000000\">" +
               EscapedUtf8(f.name) + "</A>\n";
    for (const auto& sub : folder.subfolders) {
        out += indent + "    <DT><H3 ADD_DATE=\"1700000000\" LAST_MODIFIED=\"1700000001\">" + EscapedUtf8(sub->name) +
               "</H3>\n";
        AppendHtml(out, *sub, indent + "    ");
    }
    out += indent + "</DL><p>\n";
}

void RunBrowserImports(const BenchOptions& options) {
    const int runs = std::min(options.runs, kHeavyRuns);
    FolderRecord tree;
    BuildExportTree(tree, kBookmarks, kFolders);
    tree.name = L"Bookmarks bar";
    std::string json = "{\n   \"checksum\": \"0123456789abcdef\",\n   \"roots\": {\n      \"bookmark_bar\": ";
    int id = 0;
    AppendJson(json, tree, "      ", id);
    json += ",\n      \"other\": { \"children\": [  ], \"name\": \"Other bookmarks\", \"type\": \"folder\" },\n"
            "      \"synced\": { \"children\": [  ], \"name\": \"Mobile bookmarks\", \"type\": \"folder\" }\n"
            "   },\n   \"version\": 1\n}\n";
    std::string html = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
                       "charset=UTF-8\">\n<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks</H1>\n";
    AppendHtml(html, tree, "");
    const std::wstring jsonPath = TempPath(L"tm-bench-Bookmarks"), htmlPath = TempPath(L"tm-bench-bookmarks.html");
    WriteWhole(jsonPath, json);
    WriteWhole(htmlPath, html);

    const auto chromium = Import(runs, L"Favorites From Chrome", kBookmarks + kFolders + 1,
                                 [&](FolderRecord& root, int& count) { ReadChromiumBookmarks(jsonPath, root, count); });
    const auto fromHtml = Import(runs, L"Favorites From HTML", kBookmarks + kFolders,
                                 [&](FolderRecord& root, int& count) { ReadBookmarkHtmlFile(htmlPath, root, count); });
    const double floor = RawInsertFloor(runs);
    DeleteFileW(jsonPath.c_str());
    DeleteFileW(htmlPath.c_str());

    bench::Table table({"operation", "import", "floor"});
    table.Row("Chromium Bookmarks import, 100,000 bookmarks in 2,000 folders (" + std::to_string(json.size() >> 20) +
                  " MiB) (read + save) vs 100,000 raw inserts",
              {chromium.first + chromium.second, floor});
    table.Row("  read phase (ReadChromiumBookmarks)", {chromium.first});
    table.Row("  save phase (one transaction) vs 100,000 raw inserts", {chromium.second, floor});
    table.Row("Bookmark HTML import, 100,000 bookmarks in 2,000 folders (" + std::to_string(html.size() >> 20) +
                  " MiB) (read + save) vs 100,000 raw inserts",
              {fromHtml.first + fromHtml.second, floor});
    table.Row("  read phase (ReadBookmarkHtmlFile)", {fromHtml.first});
    table.Row("  save phase (one transaction) vs 100,000 raw inserts", {fromHtml.second, floor});
    table.Print();
}

const BenchSection kBrowserImportSection("browser-import",
                                         "Chromium Bookmarks and bookmark HTML imports vs raw inserts",
                                         RunBrowserImports);

}  // namespace
