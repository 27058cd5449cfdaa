// The Quick Panel's folder list and the main window's texts.
#include "ui/FolderEntries.h"
#include "ui/MainTexts.h"
#include <gtest/gtest.h>

namespace {

FolderRecord* Child(FolderRecord& parent, int id, const wchar_t* name) {
    FolderRecord& f = parent.AddSubfolder();
    f.id = id;
    f.pid = parent.id;
    f.name = name;
    return &f;
}

}  // namespace

TEST(FolderEntries, RootFirstThenDepthFirstWithThreeBlanksPerLevel) {
    FolderRecord root;
    FolderRecord* news = Child(root, 5, L"News");
    FolderRecord* local = Child(*news, 9, L"Local");
    Child(*local, 12, L"Town");
    Child(root, 2, L"Art");  // list order, not id order
    const std::vector<FolderEntry> e = FolderEntries(root);
    ASSERT_EQ(e.size(), 5u);
    const wchar_t* expected[] = {L"Root", L"   News", L"      Local", L"         Town", L"   Art"};
    for (size_t i = 0; i < e.size(); ++i) EXPECT_EQ(e[i].text, expected[i]) << i;
    EXPECT_EQ(e[0].folder, &root);
    EXPECT_EQ(e[2].folder, local);
    EXPECT_EQ(FolderEntryIndex(e, 12), 3u);
    EXPECT_EQ(FolderEntryIndex(e, 0), 0u);
    EXPECT_EQ(FolderEntryIndex(e, 77), 0u);  // unknown folder: "Root"
}

TEST(MainTexts, StatusAndQuestions) {
    EXPECT_EQ(texts::FolderStatus(L"Root", 12), L" Folder : Root,    Favorites : 12");
    EXPECT_EQ(texts::SearchStatus(0), L" Search mode, results : 0");
    EXPECT_EQ(texts::DeleteFolderQuestion(L"News"), L"Are you sure to delete folder [News] and the favorites under it?");
    EXPECT_EQ(texts::DeleteFavorQuestion(1), L"Are you sure to delete selected favorite?");
    EXPECT_EQ(texts::DeleteFavorQuestion(3), L"Are you sure to delete all selected favorites?");
}
