// Pasted text becomes favorites only when every line of it is a location.
#include "ui/PastedText.h"
#include <gtest/gtest.h>

TEST(PastedText, EveryLineMustBeALocation) {
    using Locations = std::vector<std::wstring>;
    const struct {
        const wchar_t* text;
        Locations added;  // empty: refused
    } cases[] = {
        {L"https://example.org/a?b=c", {L"https://example.org/a?b=c"}},
        {L"  http://one.example/ \r\n\r\nftp://two.example/f\n", {L"http://one.example/", L"ftp://two.example/f"}},
        {L"mailto:someone@example.org", {L"mailto:someone@example.org"}},
        {L"file:///C:/notes/today.html", {L"file:///C:/notes/today.html"}},
        {L"hello world", {}},
        {L"note: remember this", {}},
        {L"www.example.org", {}},
        {L"http://", {}},
        {L"http://ok.example/\r\nnot a link", {}},
        {L"http://a.example/x y", {}},
        {L" \r\n ", {}},
    };
    for (const auto& c : cases) {
        const auto links = LinksFromPastedText(c.text);
        Locations added;
        if (links)
            for (const DroppedLink& l : *links) {
                EXPECT_EQ(l.name, l.location);
                added.push_back(l.location);
            }
        EXPECT_EQ(added, c.added) << c.text;
    }
}
