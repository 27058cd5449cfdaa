// Finding the address field in accessible trees shaped like the browsers' own.
#include "browser/AddressFieldSearch.h"
#include <windows.h>
#include <oleacc.h>
#include <gtest/gtest.h>

namespace {

struct Row {
    int parent;  // -1 for the root, which comes first
    long role;
    const wchar_t* name;
    const wchar_t* value;
};

class TableTree : public IAccessibleWalk {
public:
    explicit TableTree(std::vector<Row> rows) : m_rows(std::move(rows)) {}
    long Role(size_t n) override { return m_rows[n].role; }
    std::wstring Name(size_t n) override { return m_rows[n].name; }
    std::wstring Value(size_t n) override { return m_rows[n].value; }
    std::vector<size_t> Children(size_t n) override {
        std::vector<size_t> ids;
        for (size_t i = 0; i < m_rows.size(); ++i)
            if (m_rows[i].parent == static_cast<int>(n)) ids.push_back(i);
        return ids;
    }

private:
    std::vector<Row> m_rows;
};

constexpr long kPane = ROLE_SYSTEM_PANE, kBar = ROLE_SYSTEM_TOOLBAR, kText = ROLE_SYSTEM_TEXT;
constexpr long kPage = ROLE_SYSTEM_DOCUMENT, kGroup = ROLE_SYSTEM_GROUPING;

TEST(AddressFieldSearch, TheBrowsersOwnFieldIsFoundAndAPagesFieldsAreNot) {
    const struct {
        const char* shape;
        std::vector<Row> rows;
        const wchar_t* address;  // null: none
    } cases[] = {
        {"named field in the toolbar, a page with a look-alike before it",
         {{-1, kPane, L"", L""}, {0, kPage, L"", L""}, {1, kText, L"Address and search bar", L"page.example"},
          {0, kBar, L"", L""}, {3, kGroup, L"", L""}, {4, kText, L"Address and search bar", L"example.com/path?q=1"}},
         L"https://example.com/path?q=1"},
        {"localized name: the toolbar's field that holds an address",
         {{-1, kPane, L"", L""}, {0, kText, L"Suchen", L"find.example"}, {0, kBar, L"", L""},
          {2, kText, L"Adress- und Suchleiste", L"hello world"}, {2, kText, L"Adress- und Suchleiste", L"example.com/x"}},
         L"https://example.com/x"},
        {"named field outside any toolbar",
         {{-1, kPane, L"", L""}, {0, kText, L"Search with Google or enter address", L"https://example.com/"}},
         L"https://example.com/"},
        {"a toolbar drawn as a page",
         {{-1, kPane, L"", L""}, {0, kPage, L"", L""}, {1, kBar, L"", L""}, {2, kText, L"", L"vivaldi.com"}},
         L"https://vivaldi.com"},
        {"the named field holds a search text: no page is searched",
         {{-1, kPane, L"", L""}, {0, kBar, L"", L""}, {1, kText, L"Address and search bar", L"cheap flights"},
          {0, kPage, L"", L""}, {3, kBar, L"", L""}, {4, kText, L"", L"page.example"}},
         nullptr},
    };
    for (const auto& c : cases) {
        TableTree tree(c.rows);
        EXPECT_EQ(FindAddressInTree(tree).value_or(L"-"), c.address ? c.address : L"-") << c.shape;
    }
}

TEST(AddressFieldSearch, StopsAfterTheNodeLimit) {
    std::vector<Row> chain{{-1, kBar, L"", L""}};
    for (int i = 0; i < 10; ++i) chain.push_back({i, kGroup, L"", L""});
    chain.push_back({10, kText, L"", L"example.com"});
    TableTree tree(chain);
    EXPECT_TRUE(FindAddressInTree(tree, 12).has_value());
    EXPECT_FALSE(FindAddressInTree(tree, 11).has_value());
}

}  // namespace
