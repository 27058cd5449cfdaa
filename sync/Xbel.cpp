#include "sync/Xbel.h"
#include "sync/XmlLiteReader.h"
#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string_view>

namespace {

constexpr char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
constexpr char kHighestIdMark[] = "<!--- highestId :";

// What JavaScript's trim() removes, so a title reads as floccus reads it.
bool IsTrimmedSpace(wchar_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) ||
           c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000 || c == 0xFEFF;
}

bool IsControl(wchar_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

std::wstring Trimmed(const std::wstring& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsTrimmedSpace(text[begin])) ++begin;
    while (end > begin && IsTrimmedSpace(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

void ControlsToSpaces(std::wstring& text) {
    for (wchar_t& c : text)
        if (IsControl(c)) c = L' ';
}

// highestId as floccus reads it: on the first line holding the comment, the number
// between the line's first and last ':' (leading spaces allowed, digits up to the first
// other character). False when there is no such line or no number.
bool FindHighestId(std::string_view bytes, unsigned long long& highestId) {
    const size_t mark = bytes.find(kHighestIdMark);
    if (mark == std::string_view::npos) return false;
    const size_t lineStart = bytes.rfind('\n', mark) == std::string_view::npos ? 0 : bytes.rfind('\n', mark) + 1;
    const size_t lineEnd = std::min(bytes.find('\n', mark), bytes.size());
    const std::string_view line = bytes.substr(lineStart, lineEnd - lineStart);
    const size_t first = line.find(':'), last = line.rfind(':');
    if (first == last) return false;
    std::string_view number = line.substr(first + 1, last - first - 1);
    while (!number.empty() && (number.front() == ' ' || number.front() == '\t')) number.remove_prefix(1);
    if (!number.empty() && number.front() == '+') number.remove_prefix(1);
    size_t digits = 0;
    unsigned long long value = 0;
    for (; digits < number.size() && number[digits] >= '0' && number[digits] <= '9'; ++digits) {
        if (value > (~0ull - 9) / 10) return false;
        value = value * 10 + static_cast<unsigned>(number[digits] - '0');
    }
    if (digits == 0) return false;
    highestId = value;
    return true;
}

// An id as the file wrote it, when it is a decimal number; else none.
std::string CheckedId(const wchar_t* text, unsigned long long& highest) {
    const size_t n = wcslen(text);
    if (n == 0 || n > 19) return {};
    unsigned long long value = 0;
    for (size_t i = 0; i < n; ++i) {
        if (text[i] < L'0' || text[i] > L'9') return {};
        value = value * 10 + static_cast<unsigned>(text[i] - L'0');
    }
    highest = std::max(highest, value);
    return std::to_string(value);
}

// One open element while the file is read.
struct Open {
    enum class Role { Xbel, Folder, Bookmark, Title, Other } role;
    SyncItem item;          // Folder, Bookmark: the item being filled
    std::wstring text;      // Title: its text so far
    bool hasTitle = false;  // Folder, Bookmark: the first <title> was read; later ones are left out
};

class XbelReader {
public:
    XbelReader(XmlLiteReader& xml, std::wstring& reason) : m_input(xml), m_xml(xml.reader.get()), m_reason(reason) {}

    bool Run() {
        XmlNodeType type;
        HRESULT hr;
        while ((hr = m_input.Read(&type)) == S_OK) {
            if (!Node(type)) return false;
        }
        if (FAILED(hr)) return Fail(L"the sync file is not well-formed XML");
        if (!m_sawRoot) return Fail(L"the sync file holds no <xbel> element");
        return true;
    }

private:
    bool Fail(const wchar_t* why) {
        m_reason = why;
        return false;
    }

    bool Node(XmlNodeType type) {
        switch (type) {
        case XmlNodeType_Element: return StartElement();
        case XmlNodeType_EndElement: return EndElement();
        case XmlNodeType_Text:
        case XmlNodeType_CDATA:
        case XmlNodeType_Whitespace: return Text();
        default: return true;
        }
    }

    bool StartElement() {
        const bool empty = m_xml->IsEmptyElement() != FALSE;
        const wchar_t* name = nullptr;
        if (FAILED(m_xml->GetLocalName(&name, nullptr))) return Fail(L"the sync file could not be read");
        Open open{Open::Role::Other, {}, {}, false};
        const Open::Role parent = m_stack.empty() ? Open::Role::Other : m_stack.back().role;
        const bool inContainer = parent == Open::Role::Xbel || parent == Open::Role::Folder;
        if (m_stack.empty()) {
            if (wcscmp(name, L"xbel") != 0) return Fail(L"the sync file is not an XBEL bookmark file");
            m_sawRoot = true;
            open.role = Open::Role::Xbel;
        } else if (inContainer && wcscmp(name, L"folder") == 0) {
            if (++m_folderDepth > kMaxXbelDepth) return Fail(L"the sync file nests its folders too deeply");
            open.role = Open::Role::Folder;
            open.item.kind = SyncItem::Kind::Folder;
        } else if (inContainer && wcscmp(name, L"bookmark") == 0) {
            open.role = Open::Role::Bookmark;
            open.item.kind = SyncItem::Kind::Bookmark;
        } else if ((parent == Open::Role::Folder || parent == Open::Role::Bookmark) && wcscmp(name, L"title") == 0 &&
                   !m_stack.back().hasTitle) {
            open.role = Open::Role::Title;
        }
        if (open.role == Open::Role::Folder || open.role == Open::Role::Bookmark) {
            if (++m_items > kMaxXbelItems) return Fail(L"the sync file holds too many bookmarks");
            if (!Attributes(open.item)) return false;
        }
        m_stack.push_back(std::move(open));
        return empty ? EndElement() : true;
    }

    bool Attributes(SyncItem& item) {
        for (HRESULT hr = m_xml->MoveToFirstAttribute(); hr == S_OK; hr = m_xml->MoveToNextAttribute()) {
            const wchar_t *name = nullptr, *value = nullptr;
            UINT length = 0;
            if (FAILED(m_xml->GetLocalName(&name, nullptr)) || FAILED(m_xml->GetValue(&value, &length)))
                return Fail(L"the sync file could not be read");
            if (wcscmp(name, L"id") == 0) {
                item.id = CheckedId(value, m_highest);
            } else if (wcscmp(name, L"href") == 0 && item.kind != SyncItem::Kind::Folder) {
                if (length > kMaxXbelHref) return Fail(L"the sync file holds an address that is too long");
                item.href.assign(value, length);
                ControlsToSpaces(item.href);
                if (item.href.compare(0, wcslen(kSeparatorHrefPrefix), kSeparatorHrefPrefix) == 0)
                    item.kind = SyncItem::Kind::Separator;
            }
        }
        m_xml->MoveToElement();
        return true;
    }

    bool Text() {
        if (m_stack.empty() || m_stack.back().role != Open::Role::Title) return true;
        const wchar_t* value = nullptr;
        UINT length = 0;
        if (FAILED(m_xml->GetValue(&value, &length))) return Fail(L"the sync file could not be read");
        std::wstring& text = m_stack.back().text;
        if (text.size() + length > kMaxXbelTitle) return Fail(L"the sync file holds a title that is too long");
        text.append(value, length);
        return true;
    }

    bool EndElement() {
        if (m_stack.empty()) return true;
        Open done = std::move(m_stack.back());
        m_stack.pop_back();
        switch (done.role) {
        case Open::Role::Title:
            m_stack.back().item.title = Trimmed(done.text);
            ControlsToSpaces(m_stack.back().item.title);
            m_stack.back().hasTitle = true;
            break;
        case Open::Role::Folder:
            --m_folderDepth;
            [[fallthrough]];
        case Open::Role::Bookmark:
            Parent().children.push_back(std::move(done.item));
            break;
        case Open::Role::Xbel:
            m_root.children = std::move(done.item.children);
            break;
        case Open::Role::Other: break;
        }
        return true;
    }

    SyncItem& Parent() { return m_stack.back().item; }

public:
    SyncItem m_root{SyncItem::Kind::Folder, {}, {}, {}, {}};
    unsigned long long m_highest = 0;

private:
    XmlLiteReader& m_input;
    IXmlReader* m_xml;
    std::wstring& m_reason;
    std::vector<Open> m_stack;
    int m_folderDepth = 0;
    size_t m_items = 0;
    bool m_sawRoot = false;
};

// The prolog's DOCTYPE carries nothing XBEL needs: it is blanked out (spaces, so
// positions stay) when it only names the DTD. One with an internal subset, which could
// declare entities, makes the file refused. False for that.
bool BlankDoctype(std::string& bytes) {
    size_t i = 0;
    auto skipSpace = [&] { while (i < bytes.size() && strchr(" \t\r\n", bytes[i]) && bytes[i]) ++i; };
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) i = 3;
    for (;;) {  // the declaration, comments and processing instructions before the DOCTYPE
        skipSpace();
        const char* end = bytes.compare(i, 4, "<!--") == 0 ? "-->" : bytes.compare(i, 2, "<?") == 0 ? "?>" : nullptr;
        if (!end) break;
        const size_t close = bytes.find(end, i + 2);
        if (close == std::string::npos) return true;  // the XML reader says what is wrong
        i = close + strlen(end);
    }
    if (bytes.compare(i, 9, "<!DOCTYPE") != 0) return true;
    char quote = 0;
    for (size_t j = i + 9; j < bytes.size(); ++j) {
        const char c = bytes[j];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '[') {
            return false;
        } else if (c == '>') {
            std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(i), bytes.begin() + static_cast<std::ptrdiff_t>(j + 1), ' ');
            return true;
        }
    }
    return true;
}

// The character the file holds for the one at `p`, which moves past it (and past the
// second half of a surrogate pair): a control character becomes a space, an unpaired
// surrogate or a non-character U+FFFD.
char32_t NextWritten(const wchar_t*& p, const wchar_t* end) {
    const wchar_t c = *p++;
    if (IsControl(c)) return U' ';
    if (c >= 0xD800 && c <= 0xDBFF && p < end && *p >= 0xDC00 && *p <= 0xDFFF)
        return 0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(*p++) - 0xDC00);
    if ((c >= 0xD800 && c <= 0xDFFF) || c == 0xFFFE || c == 0xFFFF) return 0xFFFD;
    return c;
}

// A text as reading the file gives it back: the characters NextWritten gives, no entity.
std::wstring AsWritten(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size());
    for (const wchar_t *p = text.data(), *end = p + text.size(); p < end;) {
        const char32_t code = NextWritten(p, end);
        if (code < 0x10000) {
            out += wchar_t(code);
        } else {
            out += wchar_t(0xD800 + ((code - 0x10000) >> 10));
            out += wchar_t(0xDC00 + ((code - 0x10000) & 0x3FF));
        }
    }
    return out;
}

// The file's bytes while they are written: room made in large steps and filled through
// a pointer, which costs far less than appending piece by piece.
class ByteSink {
public:
    explicit ByteSink(size_t expected) : m_out(expected, '\0') {}

    void Add(std::string_view piece) {
        std::memcpy(Room(piece.size()), piece.data(), piece.size());
        m_used += piece.size();
    }
    // A text as the file holds it, in UTF-8: the five named entities for the characters
    // that need them, the others as NextWritten gives them.
    void AddEscaped(const std::wstring& text) {
        char* p = Room(6 * text.size());  // the most one unit takes: "&quot;"; UTF-8 takes 3
        for (const wchar_t *in = text.data(), *end = in + text.size(); in < end;) {
            switch (const wchar_t c = *in) {
            case L'&': p = Put(p, "&amp;"), ++in; continue;
            case L'<': p = Put(p, "&lt;"), ++in; continue;
            case L'>': p = Put(p, "&gt;"), ++in; continue;
            case L'"': p = Put(p, "&quot;"), ++in; continue;
            case L'\'': p = Put(p, "&apos;"), ++in; continue;
            default:
                if (c >= 0x20 && c < 0x7F) {
                    *p++ = char(c), ++in;
                    continue;
                }
            }
            const char32_t code = NextWritten(in, end);
            if (code < 0x80) {
                *p++ = char(code);
                continue;
            }
            if (code < 0x800) {
                *p++ = char(0xC0 | (code >> 6));
            } else if (code < 0x10000) {
                *p++ = char(0xE0 | (code >> 12));
                *p++ = char(0x80 | ((code >> 6) & 0x3F));
            } else {
                *p++ = char(0xF0 | (code >> 18));
                *p++ = char(0x80 | ((code >> 12) & 0x3F));
                *p++ = char(0x80 | ((code >> 6) & 0x3F));
            }
            *p++ = char(0x80 | (code & 0x3F));
        }
        m_used = size_t(p - m_out.data());
    }
    std::string Take() {
        m_out.resize(m_used);
        return std::move(m_out);
    }

private:
    // Where `n` more bytes go.
    char* Room(size_t n) {
        if (m_out.size() - m_used < n) m_out.resize(std::max(2 * m_out.size(), m_used + n));
        return m_out.data() + m_used;
    }
    template <size_t N>
    static char* Put(char* p, const char (&piece)[N]) {
        std::memcpy(p, piece, N - 1);
        return p + N - 1;
    }

    std::string m_out;
    size_t m_used = 0;
};

class XbelWriter {
public:
    XbelWriter(ByteSink& out, unsigned long long highestId) : m_out(out), m_highest(highestId) {}

    void Items(const std::vector<SyncItem>& items, const std::string& indent) {
        const std::string inner = indent + "  ";
        for (const SyncItem& item : items) {
            const bool folder = item.kind == SyncItem::Kind::Folder;
            m_out.Add(indent);
            if (folder) {
                m_out.Add("<folder");
            } else {
                m_out.Add("<bookmark href=\"");
                m_out.AddEscaped(item.href);
                m_out.Add("\"");
            }
            m_out.Add(" id=\"");
            if (item.id.empty()) m_out.Add(std::to_string(++m_highest));
            else m_out.Add(item.id);
            m_out.Add("\">");
            m_out.Add(inner);
            m_out.Add("<title>");
            m_out.AddEscaped(item.title);
            m_out.Add("</title>");
            if (folder) Items(item.children, inner);
            m_out.Add(indent);
            m_out.Add(folder ? "</folder>" : "</bookmark>");
        }
    }

private:
    ByteSink& m_out;
    unsigned long long m_highest;
};

size_t CountWithoutId(const std::vector<SyncItem>& items) {
    size_t n = 0;
    for (const SyncItem& item : items) n += (item.id.empty() ? 1 : 0) + CountWithoutId(item.children);
    return n;
}

// About the bytes the items take (plain text): room made once for a large file.
size_t SizeOfItems(const std::vector<SyncItem>& items, size_t indent) {
    size_t n = 0;
    for (const SyncItem& item : items)
        n += 3 * indent + 64 + item.title.size() + item.href.size() + SizeOfItems(item.children, indent + 2);
    return n;
}

}  // namespace

bool ReadXbel(std::string_view bytes, SyncTree& tree, std::wstring& reason) {
    if (bytes.size() > kMaxXbelBytes) {
        reason = L"the sync file is too large";
        return false;
    }
    if (bytes.find(kDeclaration) == std::string_view::npos) {
        reason = L"the sync file has no XML declaration; it is not a bookmark file";
        return false;
    }
    unsigned long long highestId = 0;
    if (!FindHighestId(bytes, highestId)) {
        reason = L"the sync file has no highestId comment; it is not a floccus bookmark file";
        return false;
    }
    std::string text(bytes);
    if (!BlankDoctype(text)) {
        reason = L"the sync file declares entities of its own; it is not a bookmark file";
        return false;
    }
    // Folders nest inside <xbel>; a bookmark and its title add two levels.
    XmlLiteReader xml = OpenXmlReader(text, kMaxXbelDepth + 4);
    if (!xml.reader) {
        reason = L"the XML reader of Windows could not be started";
        return false;
    }
    XbelReader reader(xml, reason);
    if (!reader.Run()) return false;
    tree.highestId = std::max(highestId, reader.m_highest);
    tree.root = std::move(reader.m_root);
    return true;
}

std::string WriteXbel(const SyncTree& tree) {
    const size_t fresh = CountWithoutId(tree.root.children);
    ByteSink out(512 + SizeOfItems(tree.root.children, 1));
    out.Add(kDeclaration);
    out.Add("\n<!DOCTYPE xbel PUBLIC \"+//IDN python.org//DTD XML Bookmark Exchange Language 1.0//EN//XML\" "
            "\"http://pyxml.sourceforge.net/topics/dtds/xbel.dtd\">\n<xbel version=\"1.0\">\n<!--- highestId :");
    out.Add(std::to_string(tree.highestId + fresh));
    out.Add(": for Floccus bookmark sync browser extension -->\n");
    XbelWriter(out, tree.highestId).Items(tree.root.children, "\n");
    out.Add("\n</xbel>");
    return out.Take();
}

std::wstring XbelTitleAsRead(const std::wstring& title) { return Trimmed(AsWritten(title)); }

std::wstring XbelHrefAsRead(const std::wstring& href) { return AsWritten(href); }
