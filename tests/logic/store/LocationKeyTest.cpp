#include "StoreTestSupport.h"
#include "store/LocationKey.h"
#include "store/TextConv.h"
#include <gtest/gtest.h>

namespace {

struct KeyCase {
    const wchar_t* a;
    const wchar_t* b;
    bool same;
};

const KeyCase kCases[] = {
    {L"HTTP://Example.COM/Path", L"http://example.com/Path", true},
    {L"http://example.com/Path", L"http://example.com/path", false},  // the path keeps its case
    {L"http://example.com:80/a", L"http://example.com/a", true},
    {L"https://example.com:443/a", L"https://example.com/a", true},
    {L"http://example.com:0080/a", L"http://example.com/a", true},
    {L"http://example.com:/a", L"http://example.com/a", true},
    {L"http://example.com:443/a", L"http://example.com/a", false},  // not http's default
    {L"http://example.com:8080/a", L"http://example.com:08080/a", true},
    {L"http://example.com", L"http://example.com/", true},
    {L"http://example.com?q=1", L"http://example.com/?q=1", true},
    {L"http://example.com/%7Euser/%41", L"http://example.com/~user/A", true},
    {L"http://example.com/a%2fb", L"http://example.com/a%2Fb", true},
    {L"http://example.com/a%2Fb", L"http://example.com/a/b", false},  // a reserved escape stays
    {L"http://example.com/?q=%7E", L"http://example.com/?q=~", false},  // the query as typed
    {L"http://example.com/?Q=1", L"http://example.com/?q=1", false},
    {L"http://example.com/#Top", L"http://example.com/#top", false},  // the fragment kept
    {L"http://example.com/#Top", L"http://example.com/", false},
    {L"http://example.com/", L"https://example.com/", false},
    {L"http://www.example.com/", L"http://example.com/", false},
    {L"http://User@Example.com/", L"http://User@example.com/", true},
    {L"http://user@example.com/", L"http://User@example.com/", false},
    {L"http://[::1]:80/", L"http://[::1]/", true},
    {L"http://[FE80::1]/", L"http://[fe80::1]/", true},
    {L"http://example.com:abc/", L"http://example.com:abc/", true},
    {L"http://%41.example.com/", L"http://a.example.com/", true},
    {L"http://ÄRGER.example/", L"http://ärger.example/", true},
    {L"http://example.com/100%", L"http://example.com/100%", true},  // a lone "%" stays
    // Beyond a web address's scheme and host, case counts.
    {L"C:\\Users\\Me\\Notes.txt", L"c:\\Users\\Me\\Notes.txt", true},
    {L"C:\\Users\\Me\\Notes.txt", L"C:\\users\\me\\notes.txt", false},
    {L"file:///C:/Docs/A.txt", L"FILE:///C:/Docs/A.txt", true},
    {L"file:///C:/Docs/A.txt", L"file:///c:/docs/a.txt", false},
    {L"JavaScript:alert('A')", L"javascript:alert('A')", true},
    {L"javascript:alert('A')", L"javascript:alert('a')", false},
    {L"data:text/plain,A", L"DATA:text/plain,a", false},
    {L"mailto:Me@Example.com", L"mailto:me@example.com", false},
    {L"example.com/Wiki/Page", L"example.com/wiki/page", false},
    {L"\\\\Server\\Share", L"\\\\server\\share", false},
    {L"", L"", true},
    {L"http:", L"HTTP:", true},
    {L"http://", L"http:///", true},
    {L"http://example.com:80", L"http://example.com/", true},
    {L"http://example.com#x", L"http://example.com/#x", true},
    {L"http://example.com.evil/", L"http://example.com/", false},
    {L"http://exa/", L"http://example.com/", false},
    {L"http://ab@example.com/", L"http://ab/", false},
};

TEST(LocationKeyTest, SameLocationAfterNormalising) {
    std::string scratch;
    for (const KeyCase& c : kCases) {
        EXPECT_EQ(LocationKey(c.a) == LocationKey(c.b), c.same) << c.a << L" / " << c.b << L": " << LocationKey(c.a);
        // The quick comparison agrees with the keys, both ways round.
        for (const auto& [x, y] : {std::pair(c.a, c.b), std::pair(c.b, c.a)})
            EXPECT_EQ(HasLocationKey(ToUtf8(x), LocationKeyUtf8(ToUtf8(y)), scratch), c.same) << x << L" / " << y;
    }
}

class CleanupStoreTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(store.Open(L":memory:")); }
    CFavorStore store;
};

TEST_F(CleanupStoreTest, DuplicatesComeInGroupsLargestFirstAndTheCheckFindsTheFirst) {
    const int a1 = AddTestFavor(store, L"a1", 0, L"http://b.example/x");
    AddTestFavor(store, L"lone", 0, L"http://lone.example/");
    const int b1 = AddTestFavor(store, L"b1", 0, L"http://a.example/");
    const int a2 = AddTestFavor(store, L"a2", 0, L"HTTP://B.example:80/x");
    const int b2 = AddTestFavor(store, L"b2", 0, L"http://a.example");
    const int c1 = AddTestFavor(store, L"c1", 0, L"http://c.example/%7E");
    const int c2 = AddTestFavor(store, L"c2", 0, L"http://c.example/~");
    const int c3 = AddTestFavor(store, L"c3", 0, L"http://C.example/~");
    OwnedFavors found;
    std::vector<size_t> sizes;
    ASSERT_TRUE(store.FindDuplicates(found.list, sizes));
    EXPECT_EQ(sizes, (std::vector<size_t>{3, 2, 2}));
    std::vector<int> ids;
    for (const FavorRecord& f : found.list) ids.push_back(f.id);
    EXPECT_EQ(ids, (std::vector<int>{c1, c2, c3, b1, b2, a1, a2}));  // then by key: a.example before b.example

    OwnedFavors same;
    ASSERT_TRUE(store.FindSameLocation(L"http://b.example:80/x", same.list));
    EXPECT_EQ(same.Names(), (std::vector<std::wstring>{L"a1"}));
    OwnedFavors none;
    ASSERT_TRUE(store.FindSameLocation(L"http://b.example/X", none.list));
    EXPECT_TRUE(none.list.empty());
}

}  // namespace
