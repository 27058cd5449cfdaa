// The About box: its two links carry the program's addresses and open them.
#include "browser/ProductLinks.h"
#include "fakes/FakeSeams.h"
#include "res/resource.h"
#include "ui/dialogs/CAboutDlg.h"
#include <gtest/gtest.h>

TEST(AboutBox, LinksShowAndOpenTheProgramsAddresses) {
    FakeSeams seams;
    CAboutDlg about;
    ASSERT_TRUE(about.Create(nullptr));
    EXPECT_EQ(about.ItemText(IDC_ABOUT_WEBSITE), kProductWebsite);
    EXPECT_EQ(about.ItemText(IDC_ABOUT_EMAIL), kSupportAddress);
    EXPECT_EQ(about.WebsiteLink().URL(), kProductWebsite);
    EXPECT_EQ(about.SupportLink().URL(), kSupportMailto);
    EXPECT_EQ(about.ItemText(IDC_ABOUT_VERSION).rfind(L"Tidemarker Version 1.", 0), 0u);

    for (int id : {IDC_ABOUT_WEBSITE, IDC_ABOUT_EMAIL})
        SendMessageW(about.Hwnd(), WM_COMMAND, MAKEWPARAM(id, STN_CLICKED), reinterpret_cast<LPARAM>(about.Item(id)));
    const auto opened = seams.Opened();
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], kProductWebsite);
    EXPECT_EQ(opened[1], kSupportMailto);
    EXPECT_TRUE(about.WebsiteLink().IsVisited());
    EXPECT_TRUE(seams.Messages().empty());
}
