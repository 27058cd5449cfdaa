// The link label's way of opening a link: the shell first, then the browser
// registered for .htm files, under a classes root the test builds itself.
#include "browser/CLinkLabel.h"
#include "browser/LinkFallback.h"
#include "browser/WinExecSeam.h"
#include "fakes/FakeSeams.h"
#include "fakes/ScratchClassesRoot.h"
#include <gtest/gtest.h>

namespace {

// Records WinExec calls instead of starting anything.
class FakeWinExec {
public:
    explicit FakeWinExec(UINT result) {
        browser_seams::SetWinExecHandler([this, result](const std::string& line, int) {
            lines.push_back(line);
            return result;
        });
    }
    ~FakeWinExec() { browser_seams::SetWinExecHandler({}); }
    std::vector<std::string> lines;
};

TEST(OpenLink, TheShellFirstThenTheHtmBrowserWithTheUrlInPlaceOfItsPlaceholder) {
    SetEnvironmentVariableW(L"TM_TEST_BROWSER_DIR", L"C:\\Browser");
    const std::wstring url = L"http://a.example/";
    const std::wstring longUrl = url + std::wstring(kFallbackCommandChars, L'x');
    const struct {
        const wchar_t* command;  // null: no .htm browser registered
        DWORD type;
        INT_PTR shell;
        const std::wstring& target;
        INT_PTR result;
        const char* line;  // what WinExec ran, or null
    } cases[] = {
        {L"web.exe", REG_SZ, 33, url, 33, nullptr},
        {nullptr, REG_SZ, 31, url, 31, nullptr},
        {L"\"C:\\B\\web.exe\" -url \"%1\" -new", REG_SZ, 32, url, 34, "\"C:\\B\\web.exe\" -url  http://a.example/"},
        {L"C:\\B\\web.exe %1 -new", REG_SZ, 2, url, 34, "C:\\B\\web.exe  http://a.example/"},
        {L"C:\\B\\web.exe -nohome", REG_SZ, 2, url, 34, "C:\\B\\web.exe -nohome http://a.example/"},
        {L"%TM_TEST_BROWSER_DIR%\\web.exe \"%1\"", REG_EXPAND_SZ, 2, url, 34, "C:\\Browser\\web.exe  http://a.example/"},
        {L"web.exe \"%1\"", REG_SZ, 5, longUrl, 5, nullptr},  // would not fit: the shell's code stands
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.command ? c.command : L"(none)") << " shell " << c.shell);
        ScratchClassesRoot classes;
        ASSERT_TRUE(classes.Ready());
        if (c.command) {
            ASSERT_TRUE(classes.RegisterBrowser(c.command, c.type));
        }
        FakeSeams seams;
        seams.SetShellResult(c.shell);
        FakeWinExec exec(34);
        EXPECT_EQ(CLinkLabel::OpenLink(c.target, SW_SHOW), c.result);
        EXPECT_EQ(seams.Opened(), std::vector<std::wstring>{c.target});
        EXPECT_EQ(exec.lines, c.line ? std::vector<std::string>{c.line} : std::vector<std::string>{});
    }
}

TEST(OpenLink, TheCommandLineFitsItsBufferOrIsNotBuilt) {
    const std::wstring fits(kFallbackCommandChars - 1 - 8, L'u');  // "web.exe " + url + NUL
    EXPECT_EQ(BuildFallbackCommandLine(L"web.exe", fits).value_or(L"").size(), kFallbackCommandChars - 1);
    EXPECT_FALSE(BuildFallbackCommandLine(L"web.exe", fits + L"u").has_value());
    // What the placeholder cuts off does not count.
    EXPECT_TRUE(BuildFallbackCommandLine(L"web.exe%1" + std::wstring(900, L'z'), fits).has_value());
}

TEST(OpenLink, ErrorTexts) {
    EXPECT_EQ(ShellOpenErrorText(26), L"A sharing violation occurred. ");
    EXPECT_EQ(ShellOpenErrorText(32), L"The specified dynamic-link library was not found.");
    EXPECT_EQ(ShellOpenErrorText(0), L"The operating system is out\nof memory or resources.");
    EXPECT_EQ(ShellOpenErrorText(33), L"Unknown Error (33) occurred.");
    EXPECT_EQ(ShellOpenErrorText(-7), L"Unknown Error (-7) occurred.");
}

}  // namespace
