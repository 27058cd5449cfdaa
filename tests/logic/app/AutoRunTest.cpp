#include "app/AutoRun.h"
#include "app/CAppSettings.h"
#include "app/ProgramPaths.h"
#include "fakes/SavedRegistryValue.h"
#include <gtest/gtest.h>

namespace {

class AutoRunValue : public testing::Test {
protected:
    // Whatever the machine had before is put back.
    SavedRegistryValue saved{HKEY_LOCAL_MACHINE, autorun::kRunKey, autorun::kValueName};

    static DWORD StoredBytes() {
        DWORD bytes = 0;
        RegGetValueW(HKEY_LOCAL_MACHINE, autorun::kRunKey, autorun::kValueName, RRF_RT_ANY,
                     nullptr, nullptr, &bytes);
        return bytes;
    }
};

const std::wstring kProgram = L"C:\\Program Files\\Tidemarker\\Tidemarker.exe";

}  // namespace

TEST_F(AutoRunValue, ReadsBackOnlyForTheSameProgramPath) {
    autorun::SetFor(true, kProgram);
    EXPECT_TRUE(autorun::IsOnFor(kProgram));
    EXPECT_EQ(StoredBytes(), (kProgram.size() + 1) * sizeof(wchar_t));  // with its zero
    const wchar_t* others[] = {L"D:\\Tools\\Tidemarker.exe",                     // moved
                               L"c:\\program files\\tidemarker\\tidemarker.exe",  // case matters
                               L"\"C:\\Program Files\\Tidemarker\\Tidemarker.exe\"", L""};
    for (const wchar_t* other : others) EXPECT_FALSE(autorun::IsOnFor(other)) << other;

    autorun::SetFor(true, L"D:\\Tools\\Tidemarker.exe");  // set again after the move
    EXPECT_TRUE(autorun::IsOnFor(L"D:\\Tools\\Tidemarker.exe"));
    autorun::SetFor(false, L"");
    EXPECT_FALSE(autorun::IsOnFor(L"D:\\Tools\\Tidemarker.exe"));
    EXPECT_EQ(StoredBytes(), 0u);
}

TEST_F(AutoRunValue, LongProgramPathsReadBack) {
    for (size_t length : {200u, 259u, 260u}) {
        std::wstring program = L"C:\\" + std::wstring(length - 18, L'p') + L"\\Tidemarker.exe";
        ASSERT_EQ(program.size(), length);
        autorun::SetFor(true, program);
        EXPECT_TRUE(autorun::IsOnFor(program)) << length;
    }
}

TEST_F(AutoRunValue, OddStoredValuesReadAsOff) {
    HKEY run = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, autorun::kRunKey, 0, KEY_SET_VALUE, &run), ERROR_SUCCESS);
    const std::wstring longValue = L"C:\\" + std::wstring(400, L'x') + L".exe";
    RegSetValueExW(run, autorun::kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(longValue.c_str()),
                   static_cast<DWORD>((longValue.size() + 1) * sizeof(wchar_t)));
    EXPECT_FALSE(autorun::IsOnFor(longValue));  // longer than the value is read: no overrun

    // Stored without its terminating zero: still compared by its characters.
    RegSetValueExW(run, autorun::kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(kProgram.c_str()),
                   static_cast<DWORD>(kProgram.size() * sizeof(wchar_t)));
    EXPECT_TRUE(autorun::IsOnFor(kProgram));

    const DWORD number = 1;
    RegSetValueExW(run, autorun::kValueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                   sizeof(number));
    EXPECT_FALSE(autorun::IsOnFor(kProgram));
    RegCloseKey(run);
}

TEST_F(AutoRunValue, SettingsUseTheRunningProgramsPath) {
    CAppSettings settings;
    EXPECT_TRUE(settings.SetAutoRun(true));
    EXPECT_TRUE(settings.IsAutoRunOn());
    EXPECT_TRUE(autorun::IsOnFor(ModuleFilePath()));
    EXPECT_TRUE(settings.SetAutoRun(false));
    EXPECT_FALSE(settings.IsAutoRunOn());
    autorun::SetFor(true, kProgram);  // another copy of the program elsewhere
    EXPECT_FALSE(settings.IsAutoRunOn());
}
