#include "ui/VisitMenu.h"
#include "ui/MenuText.h"

namespace {
// Names are shown as they are: an ampersand is not a mnemonic marker.
std::wstring Literal(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        out += c;
        if (c == L'&') out += L'&';
    }
    return out;
}
}  // namespace

bool BuildVisitMenu(BCMenu& menu, const std::vector<FavorRecord>& records, UINT baseId) {
    if (!menu.CreatePopupMenu()) return false;
    for (size_t i = 0; i < records.size() && i < kVisitMenuMaxEntries; ++i) {
        menu.AppendItem(baseId + static_cast<UINT>(i),
                        Literal(TruncateForMenu(records[i].name, kVisitMenuTextLimit, L"...")), IDI_FAVOR);
    }
    return true;
}

const FavorRecord* VisitMenuRecord(const std::vector<FavorRecord>& records, UINT baseId, UINT commandId) {
    if (commandId < baseId) return nullptr;
    const size_t index = commandId - baseId;
    return index < records.size() ? &records[index] : nullptr;
}
