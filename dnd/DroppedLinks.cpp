#include "dnd/DroppedLinks.h"
#include "framework/OleDragDrop.h"
#include "store/LocationText.h"
#include "store/TextConv.h"
#include "transfer/ShortcutFile.h"
#include <shlobj.h>
#include <algorithm>
#include <cstring>
#include <cwctype>

const DropFormats& DropFormats::Get() {
    static const DropFormats formats{
        fw::RegisteredFormat(L"FileGroupDescriptorW"),
        fw::RegisteredFormat(L"FileContents"),
        fw::RegisteredFormat(L"UniformResourceLocatorW"),
        fw::RegisteredFormat(L"UniformResourceLocator"),
    };
    return formats;
}

bool OffersLinks(IDataObject* data) {
    return fw::HasFormat(data, CF_HDROP) || fw::HasFormat(data, DropFormats::Get().fileGroupDescriptorW);
}

std::optional<std::vector<DroppedLink>> ReadDroppedShortcuts(IDataObject* data) {
    if (!data) return std::nullopt;
    FORMATETC fmt{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&fmt, &medium))) return std::nullopt;
    std::optional<std::vector<DroppedLink>> links;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
        auto drop = static_cast<HDROP>(medium.hGlobal);
        links.emplace();
        const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            const UINT length = DragQueryFileW(drop, i, nullptr, 0);
            std::wstring path(static_cast<size_t>(length) + 1, L'\0');
            path.resize(DragQueryFileW(drop, i, path.data(), length + 1));
            const auto name = ShortcutNameFromPath(path);
            if (!name) continue;
            if (auto location = CleanLocation(ReadShortcutUrl(path))) links->push_back({*name, std::move(*location)});
        }
    }
    ReleaseStgMedium(&medium);
    return links;
}

std::wstring TextFromUtf16Block(const std::vector<unsigned char>& block) {
    std::wstring text(block.size() / sizeof(wchar_t), L'\0');
    if (!text.empty()) std::memcpy(text.data(), block.data(), text.size() * sizeof(wchar_t));
    const size_t nul = text.find(L'\0');
    if (nul != std::wstring::npos) text.resize(nul);
    return text;
}

std::wstring TextFromAnsiBlock(const std::vector<unsigned char>& block) {
    std::string text(block.begin(), block.end());
    const size_t nul = text.find('\0');
    if (nul != std::string::npos) text.resize(nul);
    return FromAnsi(text);
}

std::optional<std::wstring> LinkNameFromDescriptor(const std::vector<unsigned char>& block) {
    if (block.size() < sizeof(UINT) + sizeof(FILEDESCRIPTORW)) return std::nullopt;
    UINT count = 0;
    std::memcpy(&count, block.data(), sizeof count);
    if (count != 1) return std::nullopt;
    FILEDESCRIPTORW fd;
    std::memcpy(&fd, block.data() + sizeof(UINT), sizeof fd);
    fd.cFileName[MAX_PATH - 1] = L'\0';  // a foreign block may lack the terminator
    const std::wstring file = fd.cFileName;
    if (file.size() <= 4) return std::nullopt;
    std::wstring ext = file.substr(file.size() - 4);
    for (wchar_t& c : ext) c = static_cast<wchar_t>(std::towupper(c));
    if (ext != L".URL") return std::nullopt;
    return file.substr(0, file.size() - 4);
}

std::optional<DroppedLink> ReadDraggedLink(IDataObject* data) {
    const DropFormats& f = DropFormats::Get();
    const auto descriptor = fw::GetGlobalBytes(data, f.fileGroupDescriptorW);
    if (!descriptor) return std::nullopt;
    const auto name = LinkNameFromDescriptor(*descriptor);
    if (!name) return std::nullopt;
    std::wstring text;
    if (auto b = fw::GetGlobalBytes(data, f.urlW)) text = TextFromUtf16Block(*b);
    else if (auto b = fw::GetGlobalBytes(data, f.urlA)) text = TextFromAnsiBlock(*b);
    else if (auto b = fw::GetGlobalBytes(data, CF_UNICODETEXT)) text = TextFromUtf16Block(*b);
    else if (auto b = fw::GetGlobalBytes(data, CF_TEXT)) text = TextFromAnsiBlock(*b);
    else return std::nullopt;
    // The blocks end at their first NUL, so the location is never refused here.
    return DroppedLink{*name, CleanLocation(text).value_or(std::wstring())};
}

std::optional<std::vector<DroppedLink>> ReadVirtualShortcuts(IDataObject* data) {
    constexpr UINT kMaxFiles = 10000;       // more than any selection a user copies
    constexpr size_t kMaxFileBytes = 1 << 20;
    const DropFormats& f = DropFormats::Get();
    const auto descriptor = fw::GetGlobalBytes(data, f.fileGroupDescriptorW);
    if (!descriptor || descriptor->size() < sizeof(UINT)) return std::nullopt;
    UINT count = 0;
    std::memcpy(&count, descriptor->data(), sizeof count);
    count = std::min<UINT>({count, kMaxFiles,
                            static_cast<UINT>((descriptor->size() - sizeof(UINT)) / sizeof(FILEDESCRIPTORW))});
    std::vector<DroppedLink> links;
    for (UINT i = 0; i < count; ++i) {
        FILEDESCRIPTORW fd;
        std::memcpy(&fd, descriptor->data() + sizeof(UINT) + i * sizeof fd, sizeof fd);
        fd.cFileName[MAX_PATH - 1] = L'\0';  // a foreign block may lack the terminator
        const auto name = ShortcutNameFromPath(std::wstring(L"\\") + fd.cFileName);
        if (!name) continue;
        const auto bytes = fw::GetGlobalBytes(data, f.fileContents, static_cast<LONG>(i));
        if (!bytes || bytes->size() > kMaxFileBytes) continue;
        std::wstring location = ShortcutUrlFromContents(std::string(bytes->begin(), bytes->end()));
        if (!location.empty()) links.push_back({*name, std::move(location)});
    }
    if (links.empty()) return std::nullopt;
    return links;
}
