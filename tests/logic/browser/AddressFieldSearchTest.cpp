// Finding the address field in accessible trees shaped like the browsers' own.
#include "browser/AddressFieldSearch.h"
#include <windows.h>
#include <oleacc.h>
#include <gtest/gtest.h>

namespace {

struct Row {
    int parent;  // -1 for the root, which comes first
    long role;
    const wchar_t *name, *value;
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

TEST(AddressFieldSearch, TheBrowsersOwnFieldIsFoundAndAPagesFieldsAreNot) {
    constexpr long kPane = ROLE_SYSTEM_PANE, kBar = ROLE_SYSTEM_TOOLBAR, kText = ROLE_SYSTEM_TEXT;
    constexpr long kPage = ROLE_SYSTEM_DOCUMENT;
    const wchar_t* named = L"Address and search bar";
    const struct {
        const char* shape;
        std::vector<Row> rows;
        const wchar_t* address;  // "-": none
    } cases[] = {
        {"named field in a toolbar, a page with a look-alike before it",
         {{-1, kPane, L"", L""}, {0, kPage, L"", L""}, {1, kText, named, L"page.example"}, {0, kBar, L"", L""},
          {3, ROLE_SYSTEM_GROUPING, L"", L""}, {4, kText, named, L"example.com/a"}},
         L"https://example.com/a"},
        {"localized: the toolbar's field that holds an address",
         {{-1, kPane, L"", L""}, {0, kText, L"Suchen", L"find.example"}, {0, kBar, L"", L""},
          {2, kText, L"Adressleiste", L"hello world"}, {2, kText, L"Adressleiste", L"example.com/b"}},
         L"https://example.com/b"},
        {"a toolbar drawn as a page",
         {{-1, kPane, L"", L""}, {0, kPage, L"", L""}, {1, kBar, L"", L""}, {2, kText, L"", L"vivaldi.com"}},
         L"https://vivaldi.com"},
        {"the named field holds a search text: no page is searched",
         {{-1, kPane, L"", L""}, {0, kBar, L"", L""}, {1, kText, named, L"cheap flights"}, {0, kPage, L"", L""},
          {3, kBar, L"", L""}, {4, kText, L"", L"page.example"}},
         L"-"},
    };
    for (const auto& c : cases) {
        TableTree tree(c.rows);
        EXPECT_EQ(FindAddressInTree(tree).value_or(L"-"), c.address) << c.shape;
    }
}

}  // namespace
