#include "transfer/ShortcutFile.h"
#include "logic/transfer/TransferTestFiles.h"
#include <gtest/gtest.h>

TEST(ShortcutFile, ContentsAreTheExactBytes) {
    const std::string abc = ShortcutFileContents(L"abc");
    EXPECT_EQ(abc, std::string("[InternetShortcut]\r\nURL = abc\r\n"));
    EXPECT_EQ(abc.size(), 31u);
    EXPECT_EQ(ShortcutFileContents(L"http://caf\u00e9.example/"),
              "[InternetShortcut]\r\nURL = http://caf\xe9.example/\r\n");
    // Not representable: the ANSI line with the default character, then the lossless form.
    const std::string cjk = ShortcutFileContents(L"http://\u4f8b.example/");
    EXPECT_EQ(cjk.rfind("[InternetShortcut]\r\nURL = http://?.example/\r\n[InternetShortcut.W]\r\nURL = ", 0), 0u);
    EXPECT_EQ(cjk.substr(cjk.size() - 2), "\r\n");
}

TEST(ShortcutFile, NameFromPath) {
    const struct { const wchar_t* path; const wchar_t* name; } cases[] = {
        {L"C:\\Links\\Site.URL", L"Site"},
        {L"C:\\Links\\My site.url", L"My site"},
        {L"C:\\Links\\a.b.uRl", L"a.b"},
        {L"C:\\Links\\x.url", L"x"},
        {L"C:\\Links\\.url", nullptr},     // only the extension
        {L"C:\\Links\\Site.lnk", nullptr},
        {L"Site.url", nullptr},            // no backslash
        {L"C:\\Links\\url", nullptr},
        {L"C:\\Links.url\\", nullptr},
    };
    for (const auto& c : cases) {
        const auto name = ShortcutNameFromPath(c.path);
        if (c.name) {
            ASSERT_TRUE(name.has_value()) << c.path;
            EXPECT_EQ(*name, c.name);
        } else {
            EXPECT_FALSE(name.has_value()) << c.path;
        }
    }
    EXPECT_EQ(ShortcutPathFor(L"C:\\Fav", L"Site"), L"C:\\Fav\\Site.url");
}

TEST(ShortcutFile, ReadsWhatOthersWrite) {
    ScratchFolder dir;
    const std::string longUrl = "http://example.com/" + std::string(700, 'q');
    const struct { const char* bytes; std::string url; } cases[] = {
        {"[InternetShortcut]\r\nURL=http://a.example/\r\n", "http://a.example/"},
        {"[InternetShortcut]\r\nURL = http://b.example/ \r\n", "http://b.example/"},
        {"[DEFAULT]\r\nBASEURL=http://other/\r\n[InternetShortcut]\r\nIconIndex=1\r\nURL=http://c/\r\nIconFile=x.ico\r\n", "http://c/"},
        {"[internetshortcut]\nurl=http://lower/\n", "http://lower/"},
        {"[Other]\r\nURL=http://not-this/\r\n", ""},
        {"[InternetShortcut]\r\nIconIndex=0\r\n", ""},
        {"", ""},
    };
    int i = 0;
    for (const auto& c : cases) {
        const std::wstring path = dir / (L"case" + std::to_wstring(i++) + L".url");
        ASSERT_TRUE(WriteBytes(path, c.bytes));
        EXPECT_EQ(ReadShortcutUrl(path), std::wstring(c.url.begin(), c.url.end())) << c.bytes;
    }
    const std::wstring longPath = dir / L"long.url";
    ASSERT_TRUE(WriteBytes(longPath, "[InternetShortcut]\r\nURL=" + longUrl + "\r\n"));
    EXPECT_EQ(ReadShortcutUrl(longPath), std::wstring(longUrl.begin(), longUrl.end()));
    EXPECT_EQ(ReadShortcutUrl(dir / L"missing.url"), L"");
}

// The file is read once and parsed here; every answer must be the profile functions'.
TEST(ShortcutFile, ReadsAsTheProfileFunctionsDo) {
    ScratchFolder dir;
    const std::wstring utf16 = L"\xFEFF[InternetShortcut]\nURL=http://utf16/\n";
    const std::string cases[] = {
        "[InternetShortcut]\r\nURL=\"http://quoted/\"\r\n",
        "[InternetShortcut]\r\nURL=  'http://single/'  \r\n",
        "[InternetShortcut]\r\nURL=\"http://half/\r\n",
        "[InternetShortcut]\r\nURL=\"\r\n",
        "\t[InternetShortcut] trailing\n\t URL\t=\thttp://tabs/\t\n",
        "[InternetShortcut]\rURL=http://cr-only/\r",
        "[InternetShortcut]\r\nURL\r\nURL=http://second-key/\r\n",
        "[InternetShortcut]\r\nURL=http://first/\r\nURL=http://second/\r\n",
        "[InternetShortcut]\r\nIconIndex=1\r\n[InternetShortcut]\r\nURL=http://later/\r\n",
        "[ InternetShortcut ]\r\nURL=http://spaced-name/\r\n",
        "[InternetShortcut\r\nURL=http://unclosed/\r\n",
        "URL=http://no-section/\r\n[InternetShortcut]\r\n",
        "[InternetShortcut]\r\n;URL=http://comment/\r\nURL=a=b c\r\n",
        "[InternetShortcut]\r\nURL=http://caf\xe9/\x1a\r\n",
        "\xEF\xBB\xBF[InternetShortcut]\r\nURL=http://bom/\r\n",
        std::string(reinterpret_cast<const char*>(utf16.data()), utf16.size() * sizeof(wchar_t)),
    };
    int i = 0;
    for (const std::string& c : cases) {
        const std::wstring path = dir / (L"p" + std::to_wstring(i++) + L".url");
        ASSERT_TRUE(WriteBytes(path, c));
        wchar_t expected[256] = {};
        GetPrivateProfileStringW(L"InternetShortcut", L"URL", L"", expected, 256, path.c_str());
        EXPECT_EQ(ReadShortcutUrl(path), expected) << c;
    }
}

TEST(ShortcutFile, WriteCreatesAnsiFileAndReplacesOnlyUrl) {
    ScratchFolder dir;
    const std::wstring path = ShortcutPathFor(dir.Path(), L"Site");
    EXPECT_TRUE(WriteShortcutUrl(path, L"http://first.example/"));
    WriteShortcutUrl(path, L"http://caf\u00e9.example/");
    const std::string created = ReadBytes(path);
    EXPECT_NE(created.find("[InternetShortcut]\r\n"), std::string::npos);
    EXPECT_NE(created.find("URL=http://caf\xe9.example/\r\n"), std::string::npos) << created;
    EXPECT_EQ(created.find("first"), std::string::npos);
    EXPECT_EQ(created.find(".W]"), std::string::npos);  // representable: no second section

    const std::wstring other = dir / L"Other.url";
    ASSERT_TRUE(WriteBytes(other, "[DEFAULT]\r\nBASEURL=http://base/\r\n[InternetShortcut]\r\n"
                                  "URL = http://old/\r\nIconIndex=3\r\n[{000214A0-0000-0000-C000-000000000046}]\r\nProp3=19,2\r\n"));
    WriteShortcutUrl(other, L"http://new/");
    const std::string kept = ReadBytes(other);
    for (const char* part : {"BASEURL=http://base/", "IconIndex=3", "Prop3=19,2", "[DEFAULT]"}) {
        EXPECT_NE(kept.find(part), std::string::npos) << part;
    }
    EXPECT_EQ(kept.find("http://old/"), std::string::npos);
    EXPECT_EQ(ReadShortcutUrl(other), L"http://new/");
    EXPECT_FALSE(WriteShortcutUrl(dir / L"bad:name?.url", L"http://x/"));
}

TEST(ShortcutFile, LongAndNonAnsiLocationsRoundTrip) {
    ScratchFolder dir;
    const std::wstring cases[] = {
        L"http://example.com/?q=" + std::wstring(300, L'x'),
        L"http://\u4f8b\u3048.jp/\u30c6\u30b9\u30c8?a=1+2&b=%20",
        L"http://\u03b1\u03b2\u03b3.gr/" + std::wstring(400, L'\u03b4'),
        L"http://emoji.example/\U0001F600",
        L"http://plus+minus-.example/~a+-b",
    };
    int i = 0;
    for (const std::wstring& url : cases) {
        const std::wstring path = dir / (L"s" + std::to_wstring(i++) + L".url");
        WriteShortcutUrl(path, url);
        EXPECT_EQ(ReadShortcutUrl(path), url);
        // The contents for dragging read back the same way once they are a file.
        const std::wstring dragged = dir / (L"d" + std::to_wstring(i) + L".url");
        ASSERT_TRUE(WriteBytes(dragged, ShortcutFileContents(url)));
        EXPECT_EQ(ReadShortcutUrl(dragged), url);
    }
    // A later representable location removes the stale lossless value.
    const std::wstring path = dir / L"s1.url";
    WriteShortcutUrl(path, L"http://plain.example/");
    EXPECT_EQ(ReadShortcutUrl(path), L"http://plain.example/");
}

TEST(ShortcutFile, Utf7IsTheShellsForm) {
    EXPECT_EQ(ToUtf7(L"http://\u4f8b.jp/"), "http://+T4s-.jp/");
    EXPECT_EQ(FromUtf7("http://+T4s-.jp/"), std::optional<std::wstring>(L"http://\u4f8b.jp/"));
    EXPECT_FALSE(FromUtf7("http://\xe9/").has_value());
}
