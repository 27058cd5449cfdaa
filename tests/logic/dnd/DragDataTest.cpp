// The bytes a favorites drag offers, and the reading of what other programs drop.
#include "dnd/DroppedLinks.h"
#include "dnd/FavorDragData.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <cstring>

namespace {

FavorRecord Favor(const wchar_t* name, const wchar_t* location) {
    FavorRecord f;
    f.name = name;
    f.location = location;
    return f;
}

FILEDESCRIPTORW DescriptorAt(const FavorDragData& d, size_t i) {
    FILEDESCRIPTORW fd;
    std::memcpy(&fd, d.descriptor.data() + 4 + i * sizeof fd, sizeof fd);
    return fd;
}

std::vector<unsigned char> DescriptorBlock(std::initializer_list<const wchar_t*> names, bool terminate = true) {
    std::vector<unsigned char> block(4 + 592 * names.size(), 0);
    const UINT n = static_cast<UINT>(names.size());
    std::memcpy(block.data(), &n, 4);
    size_t i = 0;
    for (const wchar_t* name : names) {
        FILEDESCRIPTORW fd{};
        if (terminate) lstrcpynW(fd.cFileName, name, MAX_PATH);
        else for (wchar_t& c : fd.cFileName) c = L'a';
        std::memcpy(block.data() + 4 + 592 * i++, &fd, sizeof fd);
    }
    return block;
}

}  // namespace

TEST(FavorDragData, OneFavoriteIsOneShortcutFileByteForByte) {
    const FavorRecord f = Favor(L"Site", L"abc");
    const FavorDragData d = BuildFavorDragData({&f});
    ASSERT_EQ(d.descriptor.size(), 4u + 592u);
    EXPECT_EQ(*reinterpret_cast<const UINT*>(d.descriptor.data()), 1u);
    const FILEDESCRIPTORW fd = DescriptorAt(d, 0);
    EXPECT_EQ(fd.dwFlags, 0x44u);
    EXPECT_EQ(fd.dwFileAttributes, 0x80u);
    EXPECT_EQ(fd.nFileSizeHigh, 0u);
    EXPECT_EQ(fd.nFileSizeLow, 31u);
    EXPECT_STREQ(fd.cFileName, L"Site.url");
    EXPECT_EQ(d.contents, std::string("[InternetShortcut]\r\nURL = abc\r\n"));
    EXPECT_EQ(d.url, L"abc");
}

TEST(FavorDragData, SeveralFavoritesLieBackToBackAndTheFirstAddressCounts) {
    const FavorRecord a = Favor(L"A", L""), b = Favor(L"B", L"http://b/"), c = Favor(L"C", L"http://cc/");
    const FavorDragData d = BuildFavorDragData({&a, &b, &c});
    ASSERT_EQ(d.descriptor.size(), 4u + 3 * 592u);
    ASSERT_EQ(d.files.size(), 3u);
    std::string joined;
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(DescriptorAt(d, i).nFileSizeLow, d.files[i].size());
        joined += d.files[i];
    }
    EXPECT_EQ(d.contents, joined);
    EXPECT_EQ(d.url, L"http://b/");  // the first non-empty location

    const FavorDragData empty = BuildFavorDragData({&a});
    EXPECT_EQ(empty.url, L"");
}

TEST(FavorDragData, FileNamesStayInsideTheFieldAndTheFolder) {
    EXPECT_EQ(DragFileName(L"a/b:c"), L"a_b_c.url");
    EXPECT_EQ(DragFileName(L".."), L"...url");  // a plain name inside the folder
    EXPECT_EQ(DragFileName(L"a\\..\\b"), L"a_.._b.url");
    const std::wstring longName(400, L'x');
    const std::wstring name = DragFileName(longName);
    EXPECT_EQ(name.size(), 259u);  // with the terminator: exactly the 260 of cFileName
    EXPECT_EQ(name.substr(name.size() - 4), L".url");
    std::wstring pairAtCut(254, L'y');
    pairAtCut += L"\xD83D\xDE00tail";  // a surrogate pair straddling the cut
    const std::wstring cut = DragFileName(pairAtCut);
    EXPECT_FALSE(IS_HIGH_SURROGATE(cut[cut.size() - 5]));
    // The cut leaves a device name, which gains a "_" in front: still within the field.
    const std::wstring device = DragFileName(L"CON" + std::wstring(252, L' ') + L"xyz");
    EXPECT_LE(device.size(), 259u);
    EXPECT_EQ(device.substr(0, 4), L"_CON");
}

TEST(DroppedLinks, DescriptorRules) {
    EXPECT_EQ(LinkNameFromDescriptor(DescriptorBlock({L"News Site.URL"})), std::wstring(L"News Site"));
    EXPECT_FALSE(LinkNameFromDescriptor(DescriptorBlock({L"a.url", L"b.url"})));  // two items
    EXPECT_FALSE(LinkNameFromDescriptor(DescriptorBlock({L".url"})));             // empty name
    EXPECT_FALSE(LinkNameFromDescriptor(DescriptorBlock({L"page.htm"})));
    EXPECT_FALSE(LinkNameFromDescriptor(DescriptorBlock({L"x"}, false)));         // no terminator, no ".url"
    EXPECT_FALSE(LinkNameFromDescriptor(std::vector<unsigned char>(10, 0)));      // short block
}

TEST(DroppedLinks, TextBlocksEndAtTheirNulOrTheirEnd) {
    const wchar_t wide[] = L"http://w/";
    std::vector<unsigned char> w(reinterpret_cast<const unsigned char*>(wide),
                                 reinterpret_cast<const unsigned char*>(wide) + sizeof wide);
    EXPECT_EQ(TextFromUtf16Block(w), L"http://w/");
    w.resize(w.size() - 2);  // no terminator
    EXPECT_EQ(TextFromUtf16Block(w), L"http://w/");
    const std::vector<unsigned char> a{'h', 't', 0, 'x'};
    EXPECT_EQ(TextFromAnsiBlock(a), L"ht");
    EXPECT_EQ(TextFromAnsiBlock({'a', 'b'}), L"ab");
}
