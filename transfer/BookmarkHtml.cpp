#include "transfer/BookmarkHtml.h"

namespace {

void AppendEscaped(std::wstring& out, const std::wstring& text) {
    for (const wchar_t c : text) {
        switch (c) {
            case L'&': out += L"&amp;"; break;
            case L'<': out += L"&lt;"; break;
            case L'>': out += L"&gt;"; break;
            case L'"': out += L"&quot;"; break;
            default:
                // A control character (a line break inside a location) goes in as its
                // reference: the file's only control characters are its own line ends.
                if (c < 0x20 || c == 0x7F) out += L"&#" + std::to_wstring(c) + L";";
                else out += c;
        }
    }
}

}  // namespace

const std::wstring& BookmarkHtmlHeader() {
    static const std::wstring kHeader =
        L"<!DOCTYPE NETSCAPE-Bookmark-file-1>\r\n"
        L"<!-- This is an automatically generated file.\r\n"
        L"     It will be read and overwritten.\r\n"
        L"     DO NOT EDIT! -->\r\n"
        L"<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\r\n"
        L"<TITLE>Bookmarks</TITLE>\r\n"
        L"<H1>Bookmarks Menu</H1>\r\n";
    return kHeader;
}

std::wstring EscapeHtml(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size());
    AppendEscaped(out, text);
    return out;
}

void AppendBookmarkHtml(std::wstring& out, const FolderRecord& folder, bool heading,
                        const std::function<void()>& step) {
    if (heading) {
        out += L"<DT><H3>";
        AppendEscaped(out, folder.name);
        out += L"</H3>\r\n";
    }
    out += L"<DL><p>\r\n";
    for (const FavorRecord& favor : folder.favors) {
        out += L"<DT><A HREF=\"";
        AppendEscaped(out, favor.location);
        out += L"\">";
        AppendEscaped(out, favor.name);
        out += L"</A>\r\n";
        if (step) step();
    }
    for (const auto& sub : folder.subfolders) {
        AppendBookmarkHtml(out, *sub, true, step);
        if (step) step();
    }
    out += L"</DL><p>\r\n";
}
