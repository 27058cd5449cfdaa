#include "dnd/FavorDragData.h"
#include "transfer/SafeFileName.h"
#include "transfer/ShortcutFile.h"
#include <windows.h>
#include <shlobj.h>
#include <algorithm>
#include <cstring>
#include <iterator>

static_assert(sizeof(FILEDESCRIPTORW) == 592, "the descriptor layout other programs expect");

std::wstring DragFileName(const std::wstring& favorName) {
    constexpr size_t kMaxName = MAX_PATH - 1 - 4;  // room for ".url" and the terminator
    std::wstring name = SafeFileName(favorName, L".url");
    // Each pass may lengthen the name again: a cut that leaves a device name gains a
    // "_" in front. One starting with "_" is no device, so the second cut is the last.
    while (name.size() > kMaxName) {
        name.resize(kMaxName);
        if (IS_HIGH_SURROGATE(name.back())) name.pop_back();  // never half a character
        name = SafeFileName(name, L".url");
    }
    return name + L".url";
}

FavorDragData BuildFavorDragData(const std::vector<const FavorRecord*>& favors) {
    FavorDragData data;
    const UINT count = static_cast<UINT>(favors.size());
    data.descriptor.assign(sizeof(UINT) + sizeof(FILEDESCRIPTORW) * favors.size(), 0);
    std::memcpy(data.descriptor.data(), &count, sizeof count);
    for (size_t i = 0; i < favors.size(); ++i) {
        const FavorRecord& f = *favors[i];
        std::string file = ShortcutFileContents(f.location);
        FILEDESCRIPTORW fd{};
        fd.dwFlags = FD_ATTRIBUTES | FD_FILESIZE;
        fd.dwFileAttributes = FILE_ATTRIBUTE_NORMAL;
        fd.nFileSizeHigh = 0;
        fd.nFileSizeLow = static_cast<DWORD>(file.size());
        const std::wstring name = DragFileName(f.name);
        const size_t length = std::min(name.size(), std::size(fd.cFileName) - 1);  // DragFileName fits it
        std::memcpy(fd.cFileName, name.c_str(), length * sizeof(wchar_t));
        std::memcpy(data.descriptor.data() + sizeof(UINT) + i * sizeof fd, &fd, sizeof fd);
        data.contents += file;
        data.files.push_back(std::move(file));
        if (data.url.empty()) data.url = f.location;
        // A control character inside a location would break the lines apart.
        std::wstring line;
        std::copy_if(f.location.begin(), f.location.end(), std::back_inserter(line), [](wchar_t c) { return c >= 0x20; });
        if (line.empty()) continue;
        if (!data.lines.empty()) data.lines += L"\r\n";
        data.lines += line;
    }
    return data;
}
