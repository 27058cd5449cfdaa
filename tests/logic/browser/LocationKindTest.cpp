// Which locations open at once, which are asked about first and which never open,
// under a classes root the test registers its URL schemes in.
#include "browser/LocationKind.h"
#include "fakes/ScratchClassesRoot.h"
#include <gtest/gtest.h>

TEST(LocationKind, WebAddressesOpenProgramsAndFilesAskScriptsNever) {
    ScratchClassesRoot classes;
    ASSERT_TRUE(classes.Ready());
    const std::wstring browser = L"\"C:\\Browser\\web.exe\" --single-argument %1";
    ASSERT_TRUE(classes.SetDefault(L"http\\shell\\open\\command", browser));
    for (const wchar_t* scheme : {L"webapp", L"tool", L"plain"}) {
        ASSERT_TRUE(classes.SetDefault(std::wstring(scheme) + L"\\shell\\open\\command",
                                       scheme == std::wstring(L"tool") ? L"\"C:\\Tools\\tool.exe\" \"%1\"" : browser));
        if (scheme != std::wstring(L"plain")) {  // a URL scheme, not only a class of that name
            HKEY key = nullptr;
            ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, scheme, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
            RegSetValueExW(key, L"URL Protocol", 0, REG_SZ, reinterpret_cast<const BYTE*>(L""), sizeof(wchar_t));
            RegCloseKey(key);
        }
    }
    const struct { const wchar_t* location; LocationKind kind; } cases[] = {
        {L"http://bank.example/", LocationKind::Web},
        {L"HTTPS://bank.example/", LocationKind::Web},
        {L"ftp://files.example/", LocationKind::Web},
        {L"mailto:me@example.com", LocationKind::Web},
        {L"news:comp.lang.c", LocationKind::Web},
        {L"webapp:open?id=1", LocationKind::Web},  // the browser's own handler
        {L"tool:run", LocationKind::AskFirst},      // another program's
        {L"plain:x", LocationKind::AskFirst},       // no URL scheme
        {L"unknown-scheme:x", LocationKind::AskFirst},
        {L"C:\\Users\\x\\Downloads\\setup.exe", LocationKind::AskFirst},
        {L"\\\\host\\share\\run.exe", LocationKind::AskFirst},
        {L"file:///C:/Windows/notepad.exe", LocationKind::AskFirst},
        {L"setup.exe", LocationKind::AskFirst},
        {L"javascript:alert(1)", LocationKind::Never},
        {L"  JavaScript:alert(1)", LocationKind::Never},
        {L"java\tscript:alert(1)", LocationKind::Never},
        {L"VBScript:MsgBox(1)", LocationKind::Never},
        {L"data:text/html,<script>alert(1)</script>", LocationKind::Never},
    };
    for (const auto& c : cases) EXPECT_EQ(ClassifyLocation(c.location), c.kind) << c.location;
}
