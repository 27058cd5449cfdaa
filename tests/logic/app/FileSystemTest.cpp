#include "app/FileSystem.h"
#include "app/PathRules.h"
#include "logic/transfer/TransferTestFiles.h"
#include <gtest/gtest.h>

TEST(EnsureFolder, MakesEveryMissingParent) {
    ScratchFolder scratch;
    const wchar_t* tails[] = {L"a\\b\\c\\Data\\", L"x\\y\\z", L"a\\b\\c\\Data\\"};  // last: exists
    for (const wchar_t* tail : tails) {
        const std::wstring path = scratch / tail;
        EXPECT_TRUE(EnsureFolder(path)) << path;
        EXPECT_TRUE(FolderExists(path)) << path;
    }
    EXPECT_TRUE(FolderExists(scratch / L"a\\b"));
}

TEST(EnsureFolder, FailsWhenAFileIsInTheWay) {
    ScratchFolder scratch;
    ASSERT_TRUE(WriteBytes(scratch / L"Data", "not a folder"));
    EXPECT_FALSE(EnsureFolder(scratch / L"Data\\sub\\"));
    EXPECT_FALSE(EnsureFolder(scratch / L"Data"));
    EXPECT_FALSE(FolderExists(scratch / L"Data"));
}

TEST(EnsureFolder, RefusesPathsOverItsLimitWithoutMakingAnything) {
    ScratchFolder scratch;
    const std::wstring start = scratch / L"long\\";
    const std::wstring overLong = start + std::wstring(paths::kMaxFolderPath + 1 - start.size(), L'd');
    ASSERT_EQ(overLong.size(), paths::kMaxFolderPath + 1);
    EXPECT_FALSE(EnsureFolder(overLong));
    EXPECT_FALSE(FolderExists(scratch / L"long"));
    EXPECT_FALSE(EnsureFolder(start + std::wstring(5000, L'd')));
    EXPECT_FALSE(EnsureFolder(L""));
}

TEST(EnsureFolder, AcceptsRelativePaths) {
    ScratchFolder scratch;
    wchar_t previous[MAX_PATH];
    ASSERT_NE(GetCurrentDirectoryW(MAX_PATH, previous), 0u);
    ASSERT_TRUE(SetCurrentDirectoryW(scratch.Path().c_str()));
    const bool made = EnsureFolder(L".\\Data\\");
    SetCurrentDirectoryW(previous);
    EXPECT_TRUE(made);
    EXPECT_TRUE(FolderExists(scratch / L"Data"));
}
