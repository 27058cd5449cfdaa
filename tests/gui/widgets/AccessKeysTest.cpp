// Access keys: no letter underlined twice in one menu or one dialog, where Alt and the
// letter could only reach the first of them.
#include "res/resource.h"
#include "ui/MainTexts.h"
#include "ui/TrayMenu.h"
#include <gtest/gtest.h>
#include <cwctype>
#include <map>
#include <string>
#include <vector>

namespace {

// The letter after a single '&', upper case; 0 without one.
wchar_t AccessKey(const std::wstring& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&') continue;
        if (text[i + 1] != L'&') return static_cast<wchar_t>(std::towupper(text[i + 1]));
        ++i;  // "&&" is an ampersand
    }
    return 0;
}

// The texts that share a letter, "K: first / second"; empty when none does.
std::vector<std::wstring> Clashes(const std::vector<std::wstring>& texts, const std::wstring& reserved = L"") {
    std::map<wchar_t, std::wstring> owner;
    for (wchar_t c : reserved) owner[c] = L"(the sheet's button)";
    std::vector<std::wstring> clashes;
    for (const std::wstring& t : texts) {
        const wchar_t key = AccessKey(t);
        if (!key) continue;
        auto [it, fresh] = owner.emplace(key, t);
        if (!fresh) clashes.push_back(std::wstring(1, key) + L": " + it->second + L" / " + t);
    }
    return clashes;
}

void CheckMenu(HMENU menu, const std::wstring& where) {
    std::vector<std::wstring> texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = L"";
        GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
        texts.push_back(text);
        if (HMENU sub = GetSubMenu(menu, i)) CheckMenu(sub, where + L" > " + text);
    }
    EXPECT_EQ(Clashes(texts), std::vector<std::wstring>{}) << std::string(where.begin(), where.end());
}

INT_PTR CALLBACK Inert(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

BOOL CALLBACK CollectText(HWND child, LPARAM texts) {
    wchar_t text[256] = L"";
    GetWindowTextW(child, text, 256);
    reinterpret_cast<std::vector<std::wstring>*>(texts)->push_back(text);
    return TRUE;
}

}  // namespace

TEST(AccessKeys, NoLetterTwiceInAMenu) {
    HMENU bar = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINMENU));
    ASSERT_NE(bar, nullptr);
    CheckMenu(bar, L"menu bar");
    DestroyMenu(bar);
    BCMenu tray;
    ASSERT_TRUE(BuildTrayMenu(tray));
    CheckMenu(tray.Handle(), L"tray menu");
    using namespace texts;
    EXPECT_EQ(Clashes({kMenuAddFolder, kMenuEdit, kMenuDelete, kMenuAddFavorite}), std::vector<std::wstring>{});
    EXPECT_EQ(Clashes({kMenuLaunchAll, kMenuSelectAll, kMenuInvert, kMenuEdit, kMenuDelete, kMenuAddNewFavorite}),
              std::vector<std::wstring>{});
}

TEST(AccessKeys, NoLetterTwiceInADialog) {
    HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    // Pages share the letters of their sheet's buttons: Apply, or Back and Next.
    const std::pair<int, const wchar_t*> dialogs[] = {
        {IDD_MAIN, L""},           {IDD_FAVOR, L""},           {IDD_FOLDER, L""},          {IDD_ABOUTBOX, L""},
        {IDD_DUPLICATES, L""},     {IDD_LINK_CHECK, L""},      {IDD_PREF_GENERAL, L"A"},   {IDD_PREF_HOTKEYS, L"A"},
        {IDD_IMPORT_WIZARD, L"BN"}, {IDD_IMPORT_FOLDER, L"BN"}, {IDD_IMPORT_FIREFOX, L"BN"}, {IDD_IMPORT_CHROMIUM, L"BN"},
        {IDD_IMPORT_HTML, L"BN"},  {IDD_EXPORT_WIZARD, L"BN"}, {IDD_EXPORT_FOLDER, L"BN"}, {IDD_EXPORT_HTML, L"BN"},
    };
    for (const auto& [id, reserved] : dialogs) {
        HWND dlg = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), host, &Inert, 0);
        ASSERT_NE(dlg, nullptr) << id;
        std::vector<std::wstring> texts;
        EnumChildWindows(dlg, &CollectText, reinterpret_cast<LPARAM>(&texts));
        EXPECT_EQ(Clashes(texts, reserved), std::vector<std::wstring>{}) << id;
        DestroyWindow(dlg);
    }
    DestroyWindow(host);
}
