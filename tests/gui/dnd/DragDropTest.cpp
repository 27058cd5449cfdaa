// The drop targets called as the OLE loop calls them, with data objects made here,
// and the favorites drag's data read back.
#include "dnd/CFavorDataSource.h"
#include "dnd/DropTargets.h"
#include "edits/FavorEdits.h"
#include "app/AppMessages.h"
#include "fakes/TempFolder.h"
#include "res/resource.h"
#include "store/CFavorStore.h"
#include "store/TextConv.h"
#include "ui/CFavorListCtrl.h"
#include "ui/CFolderTreeCtrl.h"
#include <gtest/gtest.h>
#include <commctrl.h>
#include <shlobj.h>
#include <cstring>

namespace {

// A hidden window with a real tree and list, linked as in the main window.
class Panes {
public:
    Panes() {
        m_frame = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr, nullptr, nullptr);
        m_tree.Subclass(CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_SHOWSELALWAYS,
                                        0, 0, 200, 400, m_frame, reinterpret_cast<HMENU>(IDC_FOLDER_TREE), nullptr, nullptr));
        m_list.Subclass(CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS,
                                        200, 0, 400, 400, m_frame, reinterpret_cast<HMENU>(IDC_FAVOR_LIST), nullptr, nullptr));
        m_list.InitColumns();
        m_tree.SetList(&m_list);
        m_list.SetTree(&m_tree);
        FolderRecord root;
        FavorStore().LoadFolderTree(root);
        m_tree.FillTree(root);
        m_edits.AddView(&m_tree);
        m_edits.AddView(&m_list);
    }
    ~Panes() { DestroyWindow(m_frame); }
    CFolderTreeCtrl& Tree() { return m_tree; }
    CFavorListCtrl& List() { return m_list; }
    FavorEdits& Edits() { return m_edits; }
    // Selects the folder and lists its favorites, as the main window does.
    void Show(int folderId) {
        m_tree.SelectFolder(folderId);
        std::vector<FavorRecord> rows;
        FavorStore().LoadFavors(folderId, rows);
        m_list.FillList(rows, folderId);
    }

private:
    HWND m_frame;
    FavorEdits m_edits{FavorStore()};
    CFolderTreeCtrl m_tree;
    CFavorListCtrl m_list;
};

template <class T>
fw::ComPtr<T> Make(T* p) {
    fw::ComPtr<T> c;
    c.attach(p);
    return c;
}

// A data object offering a CF_HDROP list of these paths.
fw::ComPtr<fw::COleDataSource> FileDrop(const std::vector<std::wstring>& paths) {
    std::vector<unsigned char> block(sizeof(DROPFILES), 0);
    auto* df = reinterpret_cast<DROPFILES*>(block.data());
    df->pFiles = sizeof(DROPFILES);
    df->fWide = TRUE;
    for (const std::wstring& p : paths) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(p.c_str());
        block.insert(block.end(), bytes, bytes + (p.size() + 1) * sizeof(wchar_t));
    }
    block.insert(block.end(), {0, 0});
    auto data = Make(new fw::COleDataSource);
    data->CacheGlobalData(CF_HDROP, fw::GlobalFromBytes(block.data(), block.size()));
    return data;
}

fw::ComPtr<fw::COleDataSource> LinkDrag(std::initializer_list<const wchar_t*> names, const wchar_t* url) {
    std::vector<unsigned char> block(4 + 592 * names.size(), 0);
    const UINT n = static_cast<UINT>(names.size());
    std::memcpy(block.data(), &n, 4);
    size_t i = 0;
    for (const wchar_t* name : names) {
        FILEDESCRIPTORW fd{};
        lstrcpynW(fd.cFileName, name, MAX_PATH);
        std::memcpy(block.data() + 4 + 592 * i++, &fd, sizeof fd);
    }
    auto data = Make(new fw::COleDataSource);
    data->CacheGlobalData(DropFormats::Get().fileGroupDescriptorW, fw::GlobalFromBytes(block.data(), block.size()));
    if (url) data->CacheGlobalData(DropFormats::Get().urlW, fw::GlobalFromBytes(url, (wcslen(url) + 1) * 2));
    return data;
}

DWORD DropOn(fw::COleDropTarget& target, IDataObject* data, POINT screen = {0, 0}) {
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target.DragEnter(data, MK_LBUTTON, POINTL{screen.x, screen.y}, &effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target.DragOver(MK_LBUTTON, POINTL{screen.x, screen.y}, &effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target.Drop(data, 0, POINTL{screen.x, screen.y}, &effect);
    return effect;
}

POINT ItemCenterOnScreen(HWND tree, HTREEITEM item) {
    RECT rc{};
    std::memcpy(&rc, &item, sizeof item);  // the item goes in, its rectangle comes out
    SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rc));
    POINT p{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    ClientToScreen(tree, &p);
    return p;
}

class DragDropTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(FavorStore().Open(m_dir.Path() + L"\\favors.db")); }
    int AddFolder(const wchar_t* name, int pid) {
        FolderRecord f;
        f.name = name;
        f.pid = pid;
        FavorStore().AddFolder(f);
        return f.id;
    }
    std::vector<FavorRecord> FavorsIn(int folderId) {
        std::vector<FavorRecord> out;
        FavorStore().LoadFavors(folderId, out);
        return out;
    }
    TempFolder m_dir;
};

}  // namespace

TEST_F(DragDropTest, ShortcutFilesDroppedOnTheListGoIntoTheSelectedFolder) {
    const int news = AddFolder(L"News", 0);
    std::vector<std::wstring> paths;
    for (const wchar_t* name : {L"One", L"Two", L"Three"}) {
        paths.push_back(m_dir.Path() + L"\\" + name + L".url");
        WritePrivateProfileStringW(L"InternetShortcut", L"URL", (std::wstring(L"http://") + name + L"/").c_str(),
                                   paths.back().c_str());
    }
    paths.insert(paths.begin() + 1, m_dir.Path() + L"\\notes.txt");
    Panes panes;
    panes.Show(news);
    auto target = Make(new CFavorListDropTarget(panes.Edits(), panes.List()));
    EXPECT_EQ(DropOn(*target, FileDrop(paths).get()), static_cast<DWORD>(DROPEFFECT_COPY));
    auto stored = FavorsIn(news);
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0].name, L"One");
    EXPECT_EQ(stored[2].location, L"http://Three/");
    EXPECT_EQ(panes.List().RowCount(), 3);

    // The program's own drag in progress: the list takes nothing.
    target->dragMode = 1;
    EXPECT_EQ(DropOn(*target, FileDrop(paths).get()), static_cast<DWORD>(DROPEFFECT_NONE));
}

TEST_F(DragDropTest, ADraggedLinkNeedsOneDescriptorAndAnAddress) {
    Panes panes;
    panes.Show(0);
    auto target = Make(new CFavorListDropTarget(panes.Edits(), panes.List()));
    EXPECT_EQ(DropOn(*target, LinkDrag({L"a.url", L"b.url"}, L"http://x/").get()), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(DropOn(*target, LinkDrag({L"Page.url"}, nullptr).get()), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(DropOn(*target, LinkDrag({L"Page.url"}, L"http://page/").get()), static_cast<DWORD>(DROPEFFECT_COPY));
    auto stored = FavorsIn(0);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].name, L"Page");
    EXPECT_EQ(stored[0].location, L"http://page/");
}

TEST_F(DragDropTest, FolderMovesRefuseSelfAndDescendantsAndReachRoot) {
    const int a = AddFolder(L"A", 0);
    const int b = AddFolder(L"B", a);
    const int c = AddFolder(L"C", 0);
    Panes panes;
    HWND tree = panes.Tree().Hwnd();
    auto target = Make(new CFolderTreeDropTarget(panes.Edits(), panes.Tree()));
    target->dragMode = DragFolder;
    auto empty = Make(new fw::COleDataSource);
    auto dragOnto = [&](int dragged, int onto) {
        panes.Tree().SelectFolder(dragged);
        return DropOn(*target, empty.get(), ItemCenterOnScreen(tree, panes.Tree().ItemOf(onto)));
    };
    EXPECT_EQ(dragOnto(a, a), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(dragOnto(a, b), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(dragOnto(a, c), static_cast<DWORD>(DROPEFFECT_MOVE));
    EXPECT_EQ(panes.Tree().FindFolder(a)->pid, c);
    EXPECT_EQ(dragOnto(b, 0), static_cast<DWORD>(DROPEFFECT_MOVE));  // onto Root: top level
    FolderRecord root;
    FavorStore().LoadFolderTree(root);
    ASSERT_EQ(root.subfolders.size(), 2u);  // B, and C holding A
    EXPECT_EQ(root.subfolders[0]->id, b);
    ASSERT_EQ(root.subfolders[1]->subfolders.size(), 1u);
    EXPECT_EQ(root.subfolders[1]->subfolders[0]->id, a);
}

TEST_F(DragDropTest, FavoritesMoveToAnotherFolderButNotOntoTheirOwn) {
    const int a = AddFolder(L"A", 0);
    const int c = AddFolder(L"C", 0);
    FavorRecord f;
    f.pid = a;
    f.name = L"F";
    f.location = L"http://f/";
    FavorStore().AddFavor(f);
    Panes panes;
    HWND tree = panes.Tree().Hwnd();
    panes.Show(a);
    auto target = Make(new CFolderTreeDropTarget(panes.Edits(), panes.Tree()));
    target->dragMode = DragFavors;
    auto empty = Make(new fw::COleDataSource);
    panes.List().SelectAll();
    EXPECT_EQ(DropOn(*target, empty.get(), ItemCenterOnScreen(tree, panes.Tree().ItemOf(a))),
              static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(panes.List().RowCount(), 1);
    EXPECT_EQ(DropOn(*target, empty.get(), ItemCenterOnScreen(tree, panes.Tree().ItemOf(c))),
              static_cast<DWORD>(DROPEFFECT_MOVE));
    EXPECT_EQ(panes.List().RowCount(), 0);
    auto moved = FavorsIn(c);
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0].name, L"F");
}

TEST_F(DragDropTest, MagicAddPostsTheFirstLinkToTheMainWindow) {
    HWND main = CreateWindowExW(0, L"STATIC", L"main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    FavorEdits edits(FavorStore());
    auto target = Make(new CMagicAddDropTarget(edits, main));
    EXPECT_EQ(DropOn(*target, LinkDrag({L"Page.url"}, L"http://page/").get()), static_cast<DWORD>(DROPEFFECT_COPY));
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, main, WM_FAVOR_CAPTURED, WM_FAVOR_CAPTURED, PM_REMOVE));
    std::unique_ptr<FavorRecord> record(reinterpret_cast<FavorRecord*>(msg.wParam));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->name, L"Page");
    EXPECT_EQ(record->location, L"http://page/");
    EXPECT_TRUE(FavorsIn(0).empty());  // nothing is stored by the button
    DestroyWindow(main);
}

TEST(FavorDataSource, ServesTheSixFormatsAndEachFileByIndex) {
    FavorRecord a, b;
    a.name = L"A";
    a.location = L"http://a/";
    b.name = L"B";
    b.location = L"http://bb/";
    auto source = Make(new CFavorDataSource);
    ASSERT_TRUE(source->SetFavors({&a, &b}));
    EXPECT_EQ(source->FormatCount(), 6u);
    const DropFormats& f = DropFormats::Get();
    const auto all = fw::GetGlobalBytes(source.get(), f.fileContents);
    const auto second = fw::GetGlobalBytes(source.get(), f.fileContents, 1);
    ASSERT_TRUE(all && second);
    const std::string one = "[InternetShortcut]\r\nURL = http://a/\r\n", two = "[InternetShortcut]\r\nURL = http://bb/\r\n";
    EXPECT_EQ(std::string(all->begin(), all->end()), one + two);
    EXPECT_EQ(std::string(second->begin(), second->end()), two);
    const auto text = fw::GetGlobalBytes(source.get(), CF_TEXT);
    ASSERT_TRUE(text);
    EXPECT_STREQ(reinterpret_cast<const char*>(text->data()), "http://a/");
    const auto wide = fw::GetGlobalBytes(source.get(), f.urlW);
    ASSERT_TRUE(wide);
    EXPECT_STREQ(reinterpret_cast<const wchar_t*>(wide->data()), L"http://a/");
}

TEST_F(DragDropTest, ADropNearTheEdgeOfAScrolledTreeGoesToTheHighlightedFolder) {
    for (int i = 0; i < 40; ++i) AddFolder((L"F" + std::to_wstring(i)).c_str(), 0);
    Panes panes;
    HWND tree = panes.Tree().Hwnd();
    for (int i = 0; i < 10; ++i) SendMessageW(tree, WM_VSCROLL, SB_LINEDOWN, 0);
    for (int y : {3, 397}) {  // the top and the bottom edge
        SCOPED_TRACE(y);
        POINT p{20, y};
        ClientToScreen(tree, &p);
        const POINTL at{p.x, p.y};
        auto link = LinkDrag({L"Page.url"}, L"http://page/");
        auto target = Make(new CFolderTreeDropTarget(panes.Edits(), panes.Tree()));
        DWORD effect = DROPEFFECT_COPY;
        target->DragEnter(link.get(), MK_LBUTTON, at, &effect);
        target->DragOver(MK_LBUTTON, at, &effect);
        const FolderRecord* shown = CFolderTreeCtrl::RecordOf(tree, TreeView_GetDropHilight(tree));
        ASSERT_TRUE(shown);
        const int highlighted = shown->id;
        target->Drop(link.get(), 0, at, &effect);
        auto stored = FavorsIn(highlighted);
        EXPECT_EQ(stored.size(), 1u);
    }
}

TEST_F(DragDropTest, AnExternalDropOnTheTreeWithNothingUsableChangesNothing) {
    const int a = AddFolder(L"A", 0);
    const int b = AddFolder(L"B", 0);
    Panes panes;
    HWND tree = panes.Tree().Hwnd();
    panes.Tree().SelectFolder(a);
    auto target = Make(new CFolderTreeDropTarget(panes.Edits(), panes.Tree()));
    const POINT onB = ItemCenterOnScreen(tree, panes.Tree().ItemOf(b));
    EXPECT_EQ(DropOn(*target, FileDrop({m_dir.Path() + L"\\notes.txt"}).get(), onB),
              static_cast<DWORD>(DROPEFFECT_COPY));  // the file list was read
    EXPECT_EQ(DropOn(*target, LinkDrag({L"a.url", L"b.url"}, L"http://x/").get(), onB),
              static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(panes.Tree().GetSelectedFolder()->id, a);
    EXPECT_EQ(TreeView_GetDropHilight(tree), nullptr);
    EXPECT_TRUE(FavorsIn(b).empty());
}

// A store that cannot write takes no drop; one whose write fails (another program holds
// the lock) leaves the moved rows where the file has them, and the window says why.
TEST_F(DragDropTest, DropsOnAStoreThatCannotWriteChangeNothing) {
    const int a = AddFolder(L"A", 0);
    const int c = AddFolder(L"C", 0);
    FavorRecord f;
    f.pid = a;
    FavorStore().AddFavor(f);
    for (bool readOnly : {true, false}) {
        ASSERT_TRUE(FavorStore().Open(m_dir.Path() + L"\\favors.db", readOnly));
        FavorStore().CheckWritable();
        CppSQLite3Connection other;
        other.Open(ToUtf8(m_dir.Path() + L"\\favors.db").c_str());
        other.Execute(readOnly ? "begin;" : "begin immediate;");
        Panes panes;
        HWND tree = panes.Tree().Hwnd();
        panes.Show(a);
        panes.List().SelectAll();
        const POINT onC = ItemCenterOnScreen(tree, panes.Tree().ItemOf(c));
        auto onList = Make(new CFavorListDropTarget(panes.Edits(), panes.List()));
        auto onMagic = Make(new CMagicAddDropTarget(panes.Edits(), tree));
        auto onTree = Make(new CFolderTreeDropTarget(panes.Edits(), panes.Tree()));
        const std::vector<fw::COleDropTarget*> targets = {onList.get(), onMagic.get(), onTree.get()};
        for (fw::COleDropTarget* t : readOnly ? targets : std::vector<fw::COleDropTarget*>{})
            EXPECT_EQ(DropOn(*t, LinkDrag({L"Page.url"}, L"http://p/").get(), onC), DWORD(DROPEFFECT_NONE));
        onTree->dragMode = DragFavors;
        EXPECT_EQ(DropOn(*onTree, Make(new fw::COleDataSource).get(), onC), DWORD(DROPEFFECT_NONE));
        EXPECT_EQ(panes.List().RecordAt(0)->pid, a);
        MSG told{};
        EXPECT_EQ(PeekMessageW(&told, GetParent(tree), WM_SAVE_FAILED, WM_SAVE_FAILED, PM_REMOVE), !readOnly);
        delete reinterpret_cast<std::wstring*>(told.lParam);
        other.Execute("rollback;");
        EXPECT_TRUE(FavorsIn(c).empty() && FavorsIn(0).empty());
    }
}
