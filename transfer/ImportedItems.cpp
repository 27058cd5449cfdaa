#include "transfer/ImportedItems.h"
#include "store/LocationText.h"
#include "store/TextConv.h"
#include <windows.h>

std::wstring NameFromUtf8(std::string_view text) {
    // At most 3 bytes of UTF-8 make one UTF-16 unit (4 make two): cut the bytes first, at
    // the start of a character, so a huge text is never converted whole.
    if (text.size() > kMaxNameChars * 3) {
        size_t cut = kMaxNameChars * 3;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
        text = text.substr(0, cut);
    }
    std::wstring name = FromUtf8(text);
    if (name.size() > kMaxNameChars) {
        name.resize(kMaxNameChars);
        if (IS_HIGH_SURROGATE(name.back())) name.pop_back();
    }
    return name;
}

std::wstring TooManyItemsText() {
    return L"The file holds more than " + std::to_wstring(kMaxImportItems) +
           L" favorites and folders, more than one import takes.";
}

int DropFavors(FolderRecord& root, const std::function<bool(FavorRecord& favor)>& drop) {
    int dropped = 0;
    auto& favors = root.favors;
    for (auto it = favors.begin(); it != favors.end();) {
        if (!drop(*it)) {
            ++it;
            continue;
        }
        it = favors.erase(it);
        ++dropped;
    }
    for (auto& sub : root.subfolders) dropped += DropFavors(*sub, drop);
    return dropped;
}

int CleanImportedLocations(FolderRecord& root) {
    return DropFavors(root, [](FavorRecord& favor) {
        auto clean = CleanLocation(favor.location);
        if (clean) favor.location = std::move(*clean);
        return !clean;
    });
}
