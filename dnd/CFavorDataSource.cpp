#include "dnd/CFavorDataSource.h"
#include "dnd/DroppedLinks.h"
#include "store/TextConv.h"

namespace {

HGLOBAL TextBlock(const std::string& text) { return fw::GlobalFromBytes(text.c_str(), text.size() + 1); }
HGLOBAL TextBlock(const std::wstring& text) {
    return fw::GlobalFromBytes(text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

}  // namespace

bool CFavorDataSource::SetFavors(const std::vector<const FavorRecord*>& favors, bool everyLocationAsText) {
    Empty();
    m_files.clear();
    const FavorDragData data = BuildFavorDragData(favors);
    const DropFormats& f = DropFormats::Get();
    const std::string ansiUrl = ToAnsi(data.url);
    const std::wstring& text = everyLocationAsText ? data.lines : data.url;
    const std::string ansiText = ToAnsi(text);
    const struct {
        CLIPFORMAT format;
        HGLOBAL block;
    } blocks[] = {
        {f.fileGroupDescriptorW, fw::GlobalFromBytes(data.descriptor.data(), data.descriptor.size())},
        {f.fileContents, fw::GlobalFromBytes(data.contents.data(), data.contents.size())},
        {f.urlA, TextBlock(ansiUrl)},
        {f.urlW, TextBlock(data.url)},
        {CF_TEXT, TextBlock(ansiText)},
        {CF_UNICODETEXT, TextBlock(text)},
    };
    bool complete = true;
    for (const auto& b : blocks) complete = complete && b.block;
    if (!complete) {  // offer all six or none
        for (const auto& b : blocks)
            if (b.block) GlobalFree(b.block);
        return false;
    }
    for (const auto& b : blocks) CacheGlobalData(b.format, b.block);
    m_files = data.files;
    return true;
}

bool CFavorDataSource::RenderData(const FORMATETC& fmt, STGMEDIUM& medium) {
    if (fmt.cfFormat != DropFormats::Get().fileContents || fmt.lindex < 0 || !(fmt.tymed & TYMED_HGLOBAL))
        return false;
    if (static_cast<size_t>(fmt.lindex) >= m_files.size()) return false;
    // Readers of several virtual files ask for each by its index.
    const std::string& file = m_files[static_cast<size_t>(fmt.lindex)];
    HGLOBAL block = fw::GlobalFromBytes(file.data(), file.size());
    if (!block) return false;
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = block;
    medium.pUnkForRelease = nullptr;
    return true;
}
