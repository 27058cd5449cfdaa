// Trimming and refusal of the texts typed into the edit dialogs.
#include "ui/dialogs/EditDraft.h"
#include <gtest/gtest.h>

TEST(EditDraft, TrimRemovesWhiteSpaceAtBothEndsOnly) {
    struct Case { const wchar_t* in; const wchar_t* out; } cases[] = {
        {L"", L""}, {L" \t\r\n\v\f", L""}, {L"  a  b  ", L"a  b"}, {L"\tname\r\n", L"name"}, {L"x", L"x"},
    };
    for (const Case& c : cases) EXPECT_EQ(TrimWhiteSpace(c.in), c.out) << c.in;
}

TEST(EditDraft, FavorTextsAreTrimmedExceptTags) {
    FavorRecord r;
    r.id = 9;
    r.hits = 4;
    EXPECT_EQ(ApplyFavorTexts(r, L"  Docs ", L"\thttp://x/\r\nIcon ", L" a, b "), L"");  // a pasted line break goes
    EXPECT_EQ(r.name, L"Docs");
    EXPECT_EQ(r.location, L"http://x/Icon");
    EXPECT_EQ(r.tags, L" a, b ");
    EXPECT_EQ(r.hits, 4);
    EXPECT_EQ(r.id, 9);
}

TEST(EditDraft, EmptyTextsAreRefusedWithTheirMessage) {
    FavorRecord r;
    r.name = L"old";
    EXPECT_EQ(ApplyFavorTexts(r, L"   ", L"http://x/", L""), L"Favorite name can not be empty.");
    EXPECT_EQ(ApplyFavorTexts(r, L"n", L" \t ", L""), L"Location(URL) can not be empty.");
    EXPECT_EQ(r.name, L"old");  // a refused edit leaves the record alone

    FolderRecord f;
    EXPECT_EQ(ApplyFolderName(f, L" \r\n"), L"Folder name can not be empty.");
    EXPECT_EQ(ApplyFolderName(f, L"  Work "), L"");
    EXPECT_EQ(f.name, L"Work");
}
