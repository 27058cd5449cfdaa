// The link label on real static controls inside a parent that reflects the
// control's notifications to it, as the About box does.
#include "browser/CLinkLabel.h"
#include "fakes/FakeSeams.h"
#include "fakes/ScratchClassesRoot.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    if (CLinkLabel::ReflectToLabel(msg, wp, lp, result)) return result;
    return DefWindowProcW(hwnd, msg, wp, lp);
}

class LinkLabel : public testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &ParentProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TmLinkLabelTestParent";
        RegisterClassW(&wc);  // fails harmlessly when already registered
        m_parent = CreateWindowExW(0, wc.lpszClassName, L"About", WS_POPUP, 100, 100, 400, 200,
                                   nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(m_parent, nullptr);
    }
    void TearDown() override {
        if (m_parent) DestroyWindow(m_parent);
    }
    HWND Static(const wchar_t* text, DWORD style = 0, int x = 10, int width = 300) {
        return CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | style, x, 10, width, 40,
                               m_parent, nullptr, nullptr, nullptr);
    }
    RECT PlaceInParent(HWND control) {
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, m_parent, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    // What the parent's WM_CTLCOLORSTATIC hands back, and the text colour it set.
    COLORREF TextColour(HWND control, HBRUSH* brush = nullptr) {
        HDC dc = GetDC(control);
        const LRESULT r = SendMessageW(m_parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(control));
        const COLORREF colour = GetTextColor(dc);
        ReleaseDC(control, dc);
        if (brush) *brush = reinterpret_cast<HBRUSH>(r);
        return colour;
    }
    static bool Underlined(HWND control) {
        LOGFONTW lf{};
        HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
        return font && GetObjectW(font, sizeof(lf), &lf) && lf.lfUnderline;
    }
    void Click(HWND control) {
        SendMessageW(m_parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), STN_CLICKED),
                     reinterpret_cast<LPARAM>(control));
    }
    HWND m_parent = nullptr;
};

TEST_F(LinkLabel, AttachingTakesUrlOrTextFromTheOtherAndFitsTheText) {
    CLinkLabel fromUrl;
    fromUrl.SetURL(L"mailto:someone@example.org");
    HWND mail = Static(L"");
    ASSERT_TRUE(fromUrl.Attach(mail));
    wchar_t text[64] = {};
    GetWindowTextW(mail, text, 64);
    EXPECT_STREQ(text, L"mailto:someone@example.org");
    EXPECT_TRUE(GetWindowLongPtrW(mail, GWL_STYLE) & SS_NOTIFY);
    EXPECT_FALSE(fromUrl.Attach(mail)) << "one control per label";

    const DWORD styles[] = {SS_LEFT, SS_RIGHT, SS_CENTER};
    for (DWORD style : styles) {
        HWND control = Static(L"Short", style, 20, 300);
        const RECT before = PlaceInParent(control);
        CLinkLabel label;
        ASSERT_TRUE(label.Attach(control));
        EXPECT_EQ(label.URL(), L"Short");
        const RECT after = PlaceInParent(control);
        EXPECT_GT(after.right - after.left, 0);
        EXPECT_LT(after.right - after.left, 300);
        EXPECT_EQ(after.top, before.top);
        const int centreShift = std::abs((after.left + after.right) - (before.left + before.right));
        EXPECT_EQ(after.left == before.left, style == SS_LEFT) << style;
        EXPECT_EQ(after.right == before.right, style == SS_RIGHT) << style;
        EXPECT_EQ(centreShift <= 1, style == SS_CENTER) << style;
    }
}

TEST_F(LinkLabel, AClickOpensTheLinkAndMarksItVisited) {
    FakeSeams seams;
    CLinkLabel label;
    HWND control = Static(L"https://tidemarker.org/");
    ASSERT_TRUE(label.Attach(control));
    HBRUSH brush = nullptr;
    EXPECT_EQ(TextColour(control, &brush), RGB(0, 0, 238));
    EXPECT_EQ(brush, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));

    Click(control);
    EXPECT_EQ(seams.Opened(), std::vector<std::wstring>{L"https://tidemarker.org/"});
    EXPECT_TRUE(label.IsVisited());
    EXPECT_TRUE(seams.Messages().empty());
    EXPECT_EQ(TextColour(control), RGB(85, 26, 139));
}

TEST_F(LinkLabel, AFailedOpenIsReportedAndLeavesTheDialogOpen) {
    ScratchClassesRoot noBrowser;
    ASSERT_TRUE(noBrowser.Ready());
    FakeSeams seams;
    seams.SetShellResult(26);
    CLinkLabel label;
    HWND control = Static(L"https://tidemarker.org/");
    ASSERT_TRUE(label.Attach(control));
    Click(control);
    const auto shown = seams.Messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, L"Unable to open hyperlink:\n\nA sharing violation occurred. ");
    EXPECT_EQ(shown[0].caption, L"Tidemarker");
    EXPECT_EQ(shown[0].flags, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(shown[0].owner, m_parent);
    EXPECT_FALSE(label.IsVisited());
    EXPECT_TRUE(IsWindow(m_parent));
    EXPECT_EQ(TextColour(control), RGB(0, 0, 238));
}

TEST_F(LinkLabel, HoveringUnderlinesUntilTheMouseLeaves) {
    CLinkLabel label;
    HWND control = Static(L"https://tidemarker.org/");
    ASSERT_TRUE(label.Attach(control));
    ShowWindow(m_parent, SW_SHOWNOACTIVATE);
    RECT r{};
    GetWindowRect(control, &r);
    SetCursorPos(r.left + 2, r.top + 2);
    SendMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_TRUE(label.IsHovering());
    EXPECT_TRUE(Underlined(control));
    EXPECT_EQ(TextColour(control), RGB(255, 0, 0));

    // A hover tick while the mouse is still over the label changes nothing.
    PostMessageW(control, WM_TIMER, 100, 0);
    MSG msg;
    while (PeekMessageW(&msg, control, WM_TIMER, WM_TIMER, PM_REMOVE)) DispatchMessageW(&msg);
    EXPECT_TRUE(label.IsHovering());

    // The X server moves the pointer on its own time: give the move a bounded
    // number of hover ticks to arrive, waking on input rather than sleeping blindly.
    SetCursorPos(r.right + 200, r.bottom + 200);
    POINT now{};
    GetCursorPos(&now);
    if (now.x != r.right + 200 || now.y != r.bottom + 200)
        GTEST_SKIP() << "this display does not move the pointer on request";
    for (int tick = 0; tick < 200 && label.IsHovering(); ++tick) {
        PostMessageW(control, WM_TIMER, 100, 0);
        while (PeekMessageW(&msg, control, WM_TIMER, WM_TIMER, PM_REMOVE)) DispatchMessageW(&msg);
        if (label.IsHovering()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    EXPECT_FALSE(label.IsHovering());
    EXPECT_FALSE(Underlined(control));
    EXPECT_EQ(TextColour(control), RGB(0, 0, 238));
}

TEST_F(LinkLabel, WithoutAHandCursorAndOnDetachTheControlKeepsItsOwnWays) {
    // The test prefix has no winhlp32.exe, so the control keeps its class cursor.
    HWND control = Static(L"https://tidemarker.org/");
    const LRESULT ownFont = SendMessageW(control, WM_GETFONT, 0, 0);
    {
        CLinkLabel label;
        ASSERT_TRUE(label.Attach(control));
        const LRESULT handled = SendMessageW(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control),
                                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(handled != 0, label.HandCursor() != nullptr);
    }
    EXPECT_EQ(CLinkLabel::FromHwnd(control), nullptr);
    EXPECT_EQ(SendMessageW(control, WM_GETFONT, 0, 0), ownFont);

    auto label = std::make_unique<CLinkLabel>();
    ASSERT_TRUE(label->Attach(control));
    DestroyWindow(m_parent);
    m_parent = nullptr;
    EXPECT_EQ(label->Hwnd(), nullptr) << "the label lets go with its window";
    label.reset();
}

}  // namespace
