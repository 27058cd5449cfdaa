#include "framework/HelpFile.h"
#include "framework/CWinApp.h"
#include "framework/CWnd.h"
#include "framework/Seams.h"

namespace fw {

std::wstring HelpFilePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);  // a long path: ask again with room for it
    }
    path.erase(path.find_last_of(L"\\/") + 1);
    return path + CWinApp::AppName() + L".chm";
}

bool OpenHelpPage(HWND owner, const std::wstring& page) {
    const std::wstring file = HelpFilePath();
    if (file.empty()) return false;
    return seams::ShowHelp(owner, page.empty() ? file : file + L"::/" + page);
}

bool IsHelpKey(const MSG& msg) {
    const auto down = [](int vk) { return (GetKeyState(vk) & 0x8000) != 0; };
    return msg.message == WM_KEYDOWN && msg.wParam == VK_F1 && !down(VK_SHIFT) && !down(VK_CONTROL) &&
           !down(VK_MENU);
}

bool ShowHelpInFront(HWND dialog) {
    HWND focus = GetFocus();
    if (!focus || (focus != dialog && !IsChild(dialog, focus))) focus = dialog;
    for (HWND w = focus; w; w = GetParent(w)) {
        if (const CWnd* object = CWnd::FromHandle(w)) {
            const std::wstring page = object->HelpPage();
            if (!page.empty()) return OpenHelpPage(dialog, page);
        }
        if (w == dialog) break;
    }
    return OpenHelpPage(dialog, L"");
}

}  // namespace fw
