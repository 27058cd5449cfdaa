// Shortening names for menu entries, in single-byte and double-byte code pages.
#include "ui/MenuText.h"
#include "ui/widgets/CSystemTray.h"
#include <gtest/gtest.h>
#include <string>

namespace {
constexpr UINT kShiftJis = 932;
const wchar_t kHiragana = L'\x3042';  // two bytes in Shift-JIS
}

TEST(TruncateForMenu, KeepsShortNamesAndCutsLongOnesByBytes) {
    struct Case {
        std::wstring text;
        UINT codePage;
        std::wstring expected;
    };
    const std::wstring ascii60(60, L'a');
    const std::wstring kana30(30, kHiragana);
    const Case cases[] = {
        {std::wstring(25, L'x'), 1252, std::wstring(25, L'x')},          // 2 x 25 <= 50
        {std::wstring(50, L'x'), 1252, std::wstring(50, L'x')},          // 50 bytes fit
        {std::wstring(51, L'x'), 1252, std::wstring(48, L'x') + L"..."},
        {ascii60, 1252, std::wstring(48, L'a') + L"..."},
        {ascii60, kShiftJis, std::wstring(48, L'a') + L"..."},
        {std::wstring(25, kHiragana), kShiftJis, std::wstring(25, kHiragana)},  // 50 bytes fit
        {kana30, kShiftJis, std::wstring(24, kHiragana) + L"..."},
        // mixed: 1 + 2 x 23 = 47 bytes, the next character crosses 47
        {L"a" + kana30, kShiftJis, L"a" + std::wstring(24, kHiragana) + L"..."},
        {L"" , 1252, L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TruncateForMenuInCodePage(c.text, 50, L"...", c.codePage), c.expected)
            << "length " << c.text.size() << " code page " << c.codePage;
    }
    EXPECT_EQ(TruncateForMenu(ascii60, 50, L"..."), std::wstring(48, L'a') + L"...");
    EXPECT_EQ(TruncateForMenu(L"short", 50, L"..."), L"short");
}

TEST(TruncateForMenu, NeverSplitsASurrogatePair) {
    // 47 ASCII characters, then an emoji (a surrogate pair) across the cut.
    const std::wstring emoji = L"\xD83D\xDE00";
    const std::wstring text = std::wstring(47, L'b') + emoji + std::wstring(10, L'c');
    const std::wstring cut = TruncateForMenuInCodePage(text, 50, L"...", 1252);
    EXPECT_EQ(cut, std::wstring(47, L'b') + emoji + L"...");
}

TEST(CopyToField, CutsAtTheFieldAndAlwaysTerminates) {
    wchar_t buffer[12];
    for (wchar_t& c : buffer) c = L'#';
    EXPECT_EQ(CopyToField(buffer, 8, L"0123456789"), 7u);
    EXPECT_STREQ(buffer, L"0123456");
    EXPECT_EQ(buffer[8], L'#');  // nothing written past the field
    EXPECT_EQ(CopyToField(buffer, 8, L"abc"), 3u);
    EXPECT_STREQ(buffer, L"abc");
}
