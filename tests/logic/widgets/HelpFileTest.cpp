// The build compiles the help file and puts it beside the programs.
#include <windows.h>
#include <gtest/gtest.h>
#include <string>

TEST(HelpFile, CompiledBesideTheProgram) {
    wchar_t path[MAX_PATH] = L"";
    ASSERT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    std::wstring chm(path);
    chm = chm.substr(0, chm.find_last_of(L'\\')) + L"\\Tidemarker.chm";
    HANDLE file = CreateFileW(chm.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << "no Tidemarker.chm beside the tests";
    char magic[4] = {};
    DWORD got = 0;
    ReadFile(file, magic, sizeof(magic), &got, nullptr);
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    CloseHandle(file);
    EXPECT_EQ(std::string(magic, got), "ITSF");
    EXPECT_GT(size.QuadPart, 8000);  // the pages are in it, not only the headers
}
