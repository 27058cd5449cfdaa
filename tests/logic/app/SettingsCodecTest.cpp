#include "app/SettingsCodec.h"
#include <gtest/gtest.h>
#include <climits>

using namespace settings;

namespace {

void ExpectRect(const RectNumbers& r, int left, int top, int right, int bottom) {
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.bottom, bottom);
}

}  // namespace

TEST(SettingsCodec, ScansRectanglesLikeTheFourNumberFormat) {
    struct Case { const wchar_t* text; int l, t, r, b; };
    const Case cases[] = {
        {L"10:20:30:40", 10, 20, 30, 40},
        {L"10:20", 10, 20, 0, 0},                 // the rest stays 0
        {L"-5:-6:700:-800", -5, -6, 700, -800},
        {L" 1: +2:\t3:4", 1, 2, 3, 4},            // blanks and a sign before a number
        {L"1 :2:3:4", 1, 0, 0, 0},                // but not before a separator
        {L"1:x:3:4", 1, 0, 0, 0},                 // scanning stops at the first failure
        {L"1;2;3;4", 1, 0, 0, 0},
        {L"abc", 0, 0, 0, 0},
        {L"-:1", 0, 0, 0, 0},
        {L"12px:34:56:78", 12, 0, 0, 0},
        {L"1:2:3:4:5:6", 1, 2, 3, 4},
        {L"99999999999:-99999999999:2147483647:-2147483648", INT_MAX, INT_MIN, INT_MAX, INT_MIN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "text " << c.text);
        ExpectRect(ScanRectText(c.text), c.l, c.t, c.r, c.b);
    }
}

TEST(SettingsCodec, FormatsRectanglesAsTheyAreScanned) {
    const RectNumbers r{-12, 0, 1024, 2147483647};
    EXPECT_EQ(FormatRectText(r), L"-12:0:1024:2147483647");
    ExpectRect(ScanRectText(FormatRectText(r)), -12, 0, 1024, 2147483647);
}

TEST(SettingsCodec, EmptyTextGivesTheDefaultSizeCentred) {
    ExpectRect(WindowRectFromText(L"", true, 1280, 994), 275, 237, 1005, 757);
    ExpectRect(WindowRectFromText(L"", false, 1280, 994), 470, 297, 810, 697);
    ExpectRect(WindowRectFromText(L"", true, 1280, 994, 144), 92, 107, 1187, 887);  // 150 %: 1095 x 780
    // Odd differences round toward zero, also on screens smaller than the window.
    ExpectRect(WindowRectFromText(L"", true, 731, 521), 0, 0, 730, 520);
    ExpectRect(WindowRectFromText(L"", true, 727, 517), -1, -1, 729, 519);
    // A stored text is used as read, whatever the screen.
    ExpectRect(WindowRectFromText(L"5000:6000", true, 800, 600), 5000, 6000, 0, 0);
}

TEST(SettingsCodec, ARectangleOffEveryMonitorMovesOntoTheWorkArea) {
    const RectNumbers work{0, 0, 1280, 984};
    struct Case { RectNumbers window; int l, t, r, b; };
    const Case cases[] = {
        {{3000, 200, 3800, 760}, 480, 200, 1280, 760},      // right of the screen: to its right edge
        {{-900, -700, -100, -140}, 0, 0, 800, 560},         // above and left: to the corner
        {{100, 2000, 400, 2400}, 100, 584, 400, 984},       // below: only up
        {{-5000, 0, -1000, 3000}, 0, 0, 1280, 984},         // larger than the work area: cut to it
    };
    for (const Case& c : cases) ExpectRect(MovedOnto(c.window, work), c.l, c.t, c.r, c.b);
    ExpectRect(MovedOnto({-500, 10, -100, 310}, {-1920, 0, 0, 1040}), -500, 10, -100, 310);  // fits: unchanged
}

TEST(SettingsCodec, OnlyOneIsOn) {
    EXPECT_TRUE(IsFlagOn(1));
    for (int v : {0, 2, -1, 10}) EXPECT_FALSE(IsFlagOn(v)) << v;
    EXPECT_STREQ(FlagText(true), L"1");
    EXPECT_STREQ(FlagText(false), L"0");
}
