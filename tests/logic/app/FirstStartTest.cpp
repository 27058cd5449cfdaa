#include "app/AutoRun.h"
#include "app/CAppSettings.h"
#include "app/FirstStart.h"
#include "fakes/SavedRegistryValue.h"
#include <gtest/gtest.h>

namespace {

const wchar_t* const kTestKey = L"Software\\Tidemarker-FirstStartTest";

}  // namespace

TEST(FirstStart, WorkRunsOnceAndOnlyCountsWhenItSucceeded) {
    SavedRegistryValue cleanup(HKEY_CURRENT_USER, kTestKey, firststart::kMarkerValue, true);
    int runs = 0;
    bool succeed = false;
    auto work = [&] { ++runs; return succeed; };
    EXPECT_FALSE(firststart::RunOnce(HKEY_CURRENT_USER, kTestKey, work));  // failed: not marked
    succeed = true;
    EXPECT_TRUE(firststart::RunOnce(HKEY_CURRENT_USER, kTestKey, work));
    EXPECT_FALSE(firststart::RunOnce(HKEY_CURRENT_USER, kTestKey, work));
    EXPECT_EQ(runs, 2);
}

TEST(FirstStart, AutoRunIsSwitchedOnOnlyTheFirstTime) {
    SavedRegistryValue run(HKEY_LOCAL_MACHINE, autorun::kRunKey, autorun::kValueName);
    SavedRegistryValue marker(HKEY_LOCAL_MACHINE, firststart::kMarkerKey, firststart::kMarkerValue, true);
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, firststart::kMarkerKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueW(key, firststart::kMarkerValue);
        RegCloseKey(key);
    }
    CAppSettings settings;
    settings.SetAutoRun(false);

    EXPECT_TRUE(TurnOnAutoRunAtFirstStart(settings));
    EXPECT_TRUE(settings.IsAutoRunOn());
    settings.SetAutoRun(false);  // the user turns it off in the preferences
    EXPECT_FALSE(TurnOnAutoRunAtFirstStart(settings));
    EXPECT_FALSE(settings.IsAutoRunOn());
}
