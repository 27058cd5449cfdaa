#include "ui/OpenFavor.h"
#include "browser/LocationKind.h"
#include "browser/OpenLocation.h"
#include "framework/Seams.h"
#include "ui/MainTexts.h"

namespace {

// A script or data address may be long; the message shows its start.
constexpr size_t kShownRefusedChars = 200;

std::wstring AskText(const std::wstring& location) {
    return L"This favorite does not open in your web browser:\n\n" + location +
           L"\n\nWindows will hand it to the program registered for it, which may run a program or open a "
           L"file. Open it?";
}

std::wstring RefusedText(const std::wstring& location) {
    std::wstring shown = location.substr(0, kShownRefusedChars);
    if (shown.size() < location.size()) shown += L"...";
    return L"Tidemarker does not open script or data addresses (javascript:, vbscript:, data:):\n\n" + shown;
}

}  // namespace

bool OpenFavorLocation(HWND owner, const std::wstring& location) {
    switch (ClassifyLocation(location)) {
    case LocationKind::Never:
        seams::MessageBox(owner, RefusedText(location), texts::kTipCaption, MB_OK | MB_ICONEXCLAMATION);
        return false;
    case LocationKind::AskFirst:
        if (seams::MessageBox(owner, AskText(location), texts::kTipCaption,
                              MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
            return false;
        break;
    case LocationKind::Web: break;
    }
    OpenLocation(location);
    return true;
}
