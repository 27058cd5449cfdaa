#include "sync/SyncPassword.h"
#include <gtest/gtest.h>

TEST(SyncPasswordTest, KeptPerServerUrlReplacedAndDeleted) {
    const std::wstring a = L"https://dav.example.invalid/tm-test-a/", b = L"https://dav.example.invalid/tm-test-b/";
    ASSERT_TRUE(SaveSyncPassword(a, L"ann", L"s\u00E9cret:1"));
    ASSERT_TRUE(SaveSyncPassword(b, L"bob", L"other"));
    EXPECT_EQ(L"s\u00E9cret:1", LoadSyncPassword(a).value_or(L"-"));
    ASSERT_TRUE(SaveSyncPassword(a, L"ann", L"new"));
    EXPECT_EQ(L"new", LoadSyncPassword(a).value_or(L"-"));
    EXPECT_EQ(L"other", LoadSyncPassword(b).value_or(L"-"));
    EXPECT_TRUE(DeleteSyncPassword(a));
    EXPECT_TRUE(DeleteSyncPassword(a));
    EXPECT_FALSE(LoadSyncPassword(a).has_value());
    EXPECT_TRUE(DeleteSyncPassword(b));
}
