// Registering the stored hotkeys when the main window starts.
#include "fakes/FakeSeams.h"
#include "gui/widgets/PrefsTestSupport.h"
#include "gui/widgets/WidgetTestSupport.h"
#include "ui/Hotkeys.h"
#include <gtest/gtest.h>
#include <memory>

TEST(HotkeysAtStart, RegistersOrWritesBackFailedKeysAndTellsOnce) {
    struct Case {
        const char* name;
        StoredHotkey activate, addFavor;
        bool holdActivate, holdAddFavor;
        bool registersActivate, registersAddFavor;
        StoredHotkey storedActivate, storedAddFavor;  // in the file afterwards
    };
    const StoredHotkey noModifier{VK_F11, 0};
    const Case cases[] = {
        {"both free", kTestActivate, kTestAddFavor, false, false, true, true, kTestActivate, kTestAddFavor},
        {"activate taken", kTestActivate, kTestAddFavor, true, false, false, true,
         {0, kTestActivate.modifiers}, kTestAddFavor},
        {"add-favorite taken", kTestActivate, kTestAddFavor, false, true, true, false,
         kTestActivate, {0, kTestAddFavor.modifiers}},
        {"both taken", kTestActivate, kTestAddFavor, true, true, false, false,
         {0, kTestActivate.modifiers}, {0, kTestAddFavor.modifiers}},
        {"no modifier: stored, not registered", noModifier, {0, 0}, false, false, false, false, noModifier, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeSeams seams;
        TempSettings temp;
        temp.SetHotkeys(c.activate, c.addFavor);
        WidgetProbe main;
        ASSERT_TRUE(main.Create(nullptr));
        std::unique_ptr<HotkeyHolder> h1, h2;
        if (c.holdActivate) h1 = std::make_unique<HotkeyHolder>(c.activate);
        if (c.holdAddFavor) h2 = std::make_unique<HotkeyHolder>(c.addFavor);

        const bool ok = RegisterHotkeysAtStart(main.Hwnd(), temp.settings);
        const bool expectOk = c.registersActivate == c.activate.IsSet() && c.registersAddFavor == c.addFavor.IsSet();
        EXPECT_EQ(ok, expectOk);
        EXPECT_EQ(temp.settings.m_activateHotkeyId != 0, c.registersActivate);
        EXPECT_EQ(temp.settings.m_addFavorHotkeyId != 0, c.registersAddFavor);
        // A failed registration keeps no atom.
        const int wantActivateAtom = c.registersActivate ? temp.settings.m_activateHotkeyId : 0;
        const int wantAddFavorAtom = c.registersAddFavor ? temp.settings.m_addFavorHotkeyId : 0;
        EXPECT_EQ(GlobalFindAtomW(kActivateHotkeyAtom), wantActivateAtom);
        EXPECT_EQ(GlobalFindAtomW(kAddFavorHotkeyAtom), wantAddFavorAtom);

        StoredHotkey activate, addFavor;
        temp.Hotkeys(activate, addFavor);
        EXPECT_EQ(activate, c.storedActivate);
        EXPECT_EQ(addFavor, c.storedAddFavor);

        const auto shown = seams.Messages();
        if (expectOk) {
            EXPECT_TRUE(shown.empty());
        } else {
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_EQ(shown[0].text, kHotkeysFailedAtStart);
            EXPECT_EQ(shown[0].caption, L"Tidemarker");
            EXPECT_EQ(shown[0].owner, GetDesktopWindow());
            EXPECT_EQ(shown[0].flags & MB_TYPEMASK, static_cast<UINT>(MB_OK));
        }
        // The hotkey really belongs to the window now: registering it again fails.
        if (c.registersActivate) {
            EXPECT_FALSE(HotkeyHolder(c.activate).Holds());
        }
        UnregisterHotkeyAtom(main.Hwnd(), temp.settings.m_activateHotkeyId);
        UnregisterHotkeyAtom(main.Hwnd(), temp.settings.m_addFavorHotkeyId);
        EXPECT_EQ(GlobalFindAtomW(kActivateHotkeyAtom), 0);
    }
}
