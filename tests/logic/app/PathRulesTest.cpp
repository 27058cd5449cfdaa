#include "app/PathRules.h"
#include <gtest/gtest.h>

using namespace paths;

TEST(PathRules, ProgramFolderIsCutAtTheLastBackslash) {
    struct Case { const wchar_t* module; const wchar_t* folder; };
    const Case cases[] = {
        {L"C:\\Program Files\\Tidemarker\\Tidemarker.exe", L"C:\\Program Files\\Tidemarker"},
        {L"C:\\Tidemarker.exe", L"C:\\"},                       // a bare drive keeps its root
        {L"\\\\server\\share\\tm\\Tidemarker.exe", L"\\\\server\\share\\tm"},
        {L"C:\\a.b\\c/Tidemarker.exe", L"C:\\a.b"},              // only "\" separates
        {L"\\Tidemarker.exe", L""},                             // the first character is not looked at
        {L"Tidemarker.exe", L""},
        {L"", L""},
    };
    for (const Case& c : cases) EXPECT_EQ(ProgramFolderFromModulePath(c.module), c.folder) << c.module;
}

TEST(PathRules, JoinPathPutsOneBackslashBetween) {
    EXPECT_EQ(JoinPath(L"C:\\tm", L"Data\\"), L"C:\\tm\\Data\\");
    EXPECT_EQ(JoinPath(L"C:\\", L"Tidemarker.ini"), L"C:\\Tidemarker.ini");
    EXPECT_EQ(JoinPath(L"", L"Tidemarker.ini"), L"Tidemarker.ini");
}

TEST(PathRules, RootLengthCoversTheVolumePart) {
    struct Case { const wchar_t* path; size_t root; };
    const Case cases[] = {
        {L"C:\\tm\\Data\\", 3},
        {L"c:", 2},
        {L"C:rel\\Data", 2},
        {L"\\\\server\\share\\tm\\Data\\", 15},
        {L"\\\\server\\share", 14},
        {L"\\\\?\\C:\\tm\\Data", 7},
        {L"\\\\?\\UNC\\server\\share\\tm", 21},
        {L"\\tm\\Data", 1},
        {L".\\Data\\", 0},
        {L"Data", 0},
        {L"", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(PathRootLength(c.path), c.root) << c.path;
}
