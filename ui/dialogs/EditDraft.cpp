#include "ui/dialogs/EditDraft.h"
#include "store/LocationText.h"
#include <cwctype>

const wchar_t kTipCaption[] = L"Tidemarker Tip:";

std::wstring TrimWhiteSpace(const std::wstring& text) {
    size_t first = 0, last = text.size();
    while (first < last && std::iswspace(static_cast<wint_t>(text[first]))) ++first;
    while (last > first && std::iswspace(static_cast<wint_t>(text[last - 1]))) --last;
    return text.substr(first, last - first);
}

std::wstring ApplyFavorTexts(FavorRecord& record, const std::wstring& name, const std::wstring& location,
                             const std::wstring& tags) {
    std::wstring trimmedName = TrimWhiteSpace(name);
    if (trimmedName.empty()) return L"Favorite name can not be empty.";
    // Line breaks pasted inside a location go, as a browser drops them from an address.
    std::wstring trimmedLocation = TrimWhiteSpace(CleanLocation(location).value_or(std::wstring()));
    if (trimmedLocation.empty()) return L"Location(URL) can not be empty.";
    record.name = std::move(trimmedName);
    record.location = std::move(trimmedLocation);
    record.tags = tags;
    return {};
}

std::wstring ApplyFolderName(FolderRecord& record, const std::wstring& name) {
    std::wstring trimmed = TrimWhiteSpace(name);
    if (trimmed.empty()) return L"Folder name can not be empty.";
    record.name = std::move(trimmed);
    return {};
}
