#include <gtest/gtest.h>
#include <sqlite3.h>
TEST(Smoke, SqliteIsThePinnedVersion) { EXPECT_STREQ(sqlite3_libversion(), "3.53.2"); }
