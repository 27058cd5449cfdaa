#include "transfer/BookmarkHtmlReader.h"
#include "store/TextConv.h"
#include "transfer/FileBytes.h"
#include "transfer/HtmlCharacterReferences.h"
#include "transfer/ImportedItems.h"
#include <windows.h>
#include <cwchar>
#include <utility>
#include <vector>

namespace {

// What one tag or text keeps at most: no bookmark file has more attributes on one tag,
// and no name needs more text (kMaxNameChars characters, each written as a reference).
constexpr size_t kMaxAttributes = 32;
constexpr size_t kMaxTextBytes = kMaxNameChars * 12;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

// The file starts, after a byte-order mark and white space, with the bookmark doctype.
bool HasBookmarkDoctype(std::string_view html) {
    size_t i = html.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    while (i < html.size() && IsSpace(html[i])) ++i;
    constexpr std::string_view kDoctype = "<!DOCTYPE";
    if (!SameNoCase(html.substr(i, kDoctype.size()), kDoctype)) return false;
    i += kDoctype.size();
    const size_t blanks = i;
    while (i < html.size() && IsSpace(html[i])) ++i;
    constexpr std::string_view kKind = "NETSCAPE-Bookmark-file-1";
    return i > blanks && SameNoCase(html.substr(i, kKind.size()), kKind);
}

struct Tag {
    std::string_view name;
    bool closing = false;
    std::vector<std::pair<std::string_view, std::string_view>> attributes;

    std::string_view Attribute(std::string_view wanted) const {
        for (const auto& [key, value] : attributes)
            if (SameNoCase(key, wanted)) return value;
        return {};
    }
    bool Is(std::string_view n) const { return SameNoCase(name, n); }
};

// Reads the tag after the '<' at `at` into `tag`; returns where the text after it starts.
// Comments and declarations come back as a tag without a name.
size_t ReadTag(std::string_view html, size_t at, Tag& tag) {
    tag.name = {};
    tag.closing = false;
    tag.attributes.clear();
    size_t i = at + 1;
    if (html.substr(i, 3) == "!--") {
        const size_t end = html.find("-->", i + 3);
        return end == std::string_view::npos ? html.size() : end + 3;
    }
    if (i < html.size() && html[i] == '/') tag.closing = true, ++i;
    const size_t name = i;
    while (i < html.size() && !IsSpace(html[i]) && html[i] != '>' && html[i] != '/') ++i;
    tag.name = html.substr(name, i - name);
    if (!tag.name.empty() && (tag.name[0] == '!' || tag.name[0] == '?')) tag.name = {};
    for (;;) {
        while (i < html.size() && (IsSpace(html[i]) || html[i] == '/')) ++i;
        if (i >= html.size()) return i;
        if (html[i] == '>') return i + 1;
        const size_t key = i;
        while (i < html.size() && !IsSpace(html[i]) && html[i] != '=' && html[i] != '>') ++i;
        std::string_view k = html.substr(key, i - key), value;
        while (i < html.size() && IsSpace(html[i])) ++i;
        if (i < html.size() && html[i] == '=') {
            ++i;
            while (i < html.size() && IsSpace(html[i])) ++i;
            const char quote = i < html.size() && (html[i] == '"' || html[i] == '\'') ? html[i] : '\0';
            const size_t start = quote ? ++i : i;
            while (i < html.size() && (quote ? html[i] != quote : !IsSpace(html[i]) && html[i] != '>')) ++i;
            value = html.substr(start, i - start);
            if (quote && i < html.size()) ++i;
        }
        if (tag.attributes.size() < kMaxAttributes) tag.attributes.emplace_back(k, value);
    }
}

// Text as shown: white space that breaks a line (with the indentation around it) is one
// blank, and none at either end; blanks within a line stay as written.
std::string TidyText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        size_t run = i;
        bool breaks = false;
        while (run < text.size() && IsSpace(text[run])) breaks |= text[run] == '\n' || text[run] == '\r', ++run;
        if (run == i) {
            out += text[i++];
            continue;
        }
        if (!breaks) out.append(text.substr(i, run - i));
        else if (!out.empty() && run < text.size()) out += ' ';
        i = run;
    }
    return out;
}

std::wstring VisitTimeText(std::string_view seconds) {
    unsigned long long value = 0;
    for (const char c : seconds) {
        if (c < '0' || c > '9' || value > 1000000000000ULL) return {};
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (seconds.empty() || value == 0) return {};
    const unsigned long long ticks = (value + 11644473600ULL) * 10000000ULL;  // since 1601, in 100 ns
    const FILETIME utc{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    FILETIME local;
    SYSTEMTIME t;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &t)) return {};
    wchar_t text[32];
    std::swprintf(text, 32, L"%04d-%02d-%02d %02d:%02d:%02d", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    return text;
}

// Builds the tree from the tags and the texts in file order.
class TreeReader {
public:
    explicit TreeReader(FolderRecord& root) : m_root(root) {}

    void OnText(std::string_view text) {
        if (m_open != Open::None && m_text.size() < kMaxTextBytes)
            m_text.append(text.substr(0, kMaxTextBytes - m_text.size()));
    }
    void OnTag(const Tag& tag);
    void Finish() { FinishItem(); }
    int Count() const { return m_count; }
    int LeftOut() const { return m_leftOut; }
    bool TooMany() const { return m_count > kMaxImportItems; }

private:
    enum class Open { None, Link, Heading };

    FolderRecord& Current() { return m_lists.empty() ? m_root : *m_lists.back(); }
    void StartLink(const Tag& tag);
    void FinishItem();

    FolderRecord& m_root;
    std::vector<FolderRecord*> m_lists;  // the open <DL> lists, innermost last, kMaxImportDepth + 1 at most
    size_t m_deeperLists = 0;            // the open lists beyond those, all in the innermost one
    Open m_open = Open::None;
    std::string m_text;                  // the raw text of the open link or heading
    FavorRecord* m_link = nullptr;       // the open link, already in the tree (none: left out)
    FolderRecord* m_pending = nullptr;   // the folder whose <DL> may come next
    int m_count = 0;
    int m_leftOut = 0;
};

void TreeReader::OnTag(const Tag& tag) {
    if (tag.Is("p")) return;
    if (tag.closing && !tag.Is("dl")) {
        if ((tag.Is("a") && m_open == Open::Link) || (tag.Is("h3") && m_open == Open::Heading)) FinishItem();
        return;
    }
    const bool list = tag.Is("dl");
    if (!list && !tag.Is("a") && !tag.Is("h3") && !tag.Is("dt") && !tag.Is("dd") && !tag.Is("hr")) return;
    FinishItem();
    if (list && !tag.closing) {
        // A list without a heading before it (or below the depth kept) belongs to the
        // folder it stands in.
        if (m_lists.size() > static_cast<size_t>(kMaxImportDepth)) ++m_deeperLists;
        else m_lists.push_back(m_pending ? m_pending : &Current());
    } else if (list && m_deeperLists > 0) {
        --m_deeperLists;
    } else if (list && !m_lists.empty()) {
        m_lists.pop_back();
    }
    if (!tag.Is("dd")) m_pending = nullptr;  // a description may come between a heading and its list
    if (tag.Is("a")) StartLink(tag);
    if (tag.Is("h3")) m_open = Open::Heading;
    m_text.clear();
}

void TreeReader::StartLink(const Tag& tag) {
    m_open = Open::Link;
    m_link = nullptr;
    const std::string_view href = tag.Attribute("href");
    if (href.size() > kMaxLocationBytes) {  // no address: the link and its text are left out
        ++m_leftOut;
        return;
    }
    // The link stays the folder's last favorite until it is finished: nothing else joins
    // the folder before that.
    FavorRecord& favor = Current().favors.emplace_back();
    ++m_count;
    favor.location = FromUtf8(DecodeCharacterReferences(href, true));
    favor.tags = NameFromUtf8(DecodeCharacterReferences(tag.Attribute("tags").substr(0, kMaxTextBytes), true));
    favor.lastHit = VisitTimeText(tag.Attribute("last_visit"));
    m_link = &favor;
}

void TreeReader::FinishItem() {
    const Open open = std::exchange(m_open, Open::None);
    if (open == Open::None) return;
    std::wstring text = NameFromUtf8(DecodeCharacterReferences(TidyText(m_text), false));
    m_text.clear();
    if (open == Open::Link) {
        if (m_link) m_link->name = std::move(text);
        return;
    }
    if (m_lists.size() > static_cast<size_t>(kMaxImportDepth)) return;  // its list stays in this folder
    FolderRecord& folder = Current().AddSubfolder();
    folder.name = std::move(text);
    ++m_count;
    m_pending = &folder;
}

// A '<' that cannot start a tag is text ("a < b").
bool StartsTag(std::string_view html, size_t lt) {
    if (lt + 1 >= html.size()) return false;
    const char c = html[lt + 1];
    return c == '/' || c == '!' || c == '?' || (Lower(c) >= 'a' && Lower(c) <= 'z');
}

}  // namespace

bool ParseBookmarkHtml(std::string_view html, FolderRecord& root, int& count) {
    ReadNotes notes;
    return ParseBookmarkHtml(html, root, count, notes);
}

bool ParseBookmarkHtml(std::string_view html, FolderRecord& root, int& count, ReadNotes& notes) {
    count = 0;
    if (!HasBookmarkDoctype(html)) return false;
    TreeReader reader(root);
    Tag tag;
    for (size_t at = 0, from = 0; at < html.size() && !reader.TooMany();) {
        size_t lt = html.find('<', from);
        if (lt != std::string_view::npos && !StartsTag(html, lt)) {
            from = lt + 1;
            continue;
        }
        if (lt == std::string_view::npos) lt = html.size();
        reader.OnText(html.substr(at, lt - at));
        if (lt == html.size()) break;
        at = from = ReadTag(html, lt, tag);
        if (!tag.name.empty()) reader.OnTag(tag);
    }
    reader.Finish();
    if (reader.TooMany()) {
        root = FolderRecord();
        notes.failure = TooManyItemsText();
        return false;
    }
    count = reader.Count();
    notes.leftOut += reader.LeftOut();
    return true;
}

bool ReadBookmarkHtmlFile(const std::wstring& path, FolderRecord& root, int& count) {
    ReadNotes notes;
    return ReadBookmarkHtmlFile(path, root, count, notes);
}

bool ReadBookmarkHtmlFile(const std::wstring& path, FolderRecord& root, int& count, ReadNotes& notes) {
    count = 0;
    std::string bytes;
    return ReadFileBytes(path, bytes, notes.failure) && ParseBookmarkHtml(bytes, root, count, notes);
}
