// The stored and the hotkey-control forms of a hotkey.
#include "ui/HotkeyCodec.h"
#include <commctrl.h>
#include <gtest/gtest.h>

TEST(HotkeyCodec, ModifiersConvertBothWays) {
    struct Case {
        int stored;
        int control;
    };
    const Case cases[] = {
        {0, 0}, {MOD_ALT, HOTKEYF_ALT}, {MOD_CONTROL, HOTKEYF_CONTROL}, {MOD_SHIFT, HOTKEYF_SHIFT},
        {MOD_CONTROL | MOD_SHIFT, HOTKEYF_CONTROL | HOTKEYF_SHIFT},
        {MOD_ALT | MOD_CONTROL | MOD_SHIFT, HOTKEYF_ALT | HOTKEYF_CONTROL | HOTKEYF_SHIFT},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StoredToControlModifiers(c.stored), c.control) << c.stored;
        EXPECT_EQ(ControlToStoredModifiers(c.control), c.stored) << c.control;
    }
    // The Windows key shows as the extended flag, which never comes back.
    EXPECT_EQ(StoredToControlModifiers(MOD_WIN | MOD_ALT), HOTKEYF_EXT | HOTKEYF_ALT);
    EXPECT_EQ(ControlToStoredModifiers(HOTKEYF_EXT | HOTKEYF_ALT), MOD_ALT);
}

TEST(HotkeyCodec, ControlValuesOfTheDefaults) {
    EXPECT_EQ(ToHotkeyControlValue(kDefaultActivateHotkey), 0x022F);
    EXPECT_EQ(ToHotkeyControlValue(kDefaultAddFavorHotkey), 0x034E);
    EXPECT_EQ(FromHotkeyControlValue(0x022F), kDefaultActivateHotkey);
    EXPECT_EQ(FromHotkeyControlValue(0x034E), kDefaultAddFavorHotkey);
    EXPECT_FALSE(FromHotkeyControlValue(0x0041).IsSet());  // a key without modifiers
    EXPECT_FALSE(FromHotkeyControlValue(0).IsSet());
}
