#include "transfer/ChromiumBookmarks.h"
#include "store/TextConv.h"
#include "transfer/BookmarkHtmlReader.h"
#include "transfer/FileBytes.h"
#include "transfer/ImportedItems.h"
#include <algorithm>
#include <nlohmann/json.hpp>
#include <memory>
#include <vector>

namespace {

using Json = nlohmann::json;

// The keys that matter, told apart once as they are read.
enum class Key { Other, Roots, Children, Name, Type, Url, BookmarkBar, OtherRoot, Synced };

Key KeyOf(std::string_view k) {
    using namespace std::literals;
    static constexpr std::pair<std::string_view, Key> kKeys[] = {
        {"children"sv, Key::Children}, {"name"sv, Key::Name},   {"type"sv, Key::Type},
        {"url"sv, Key::Url},           {"roots"sv, Key::Roots}, {"bookmark_bar"sv, Key::BookmarkBar},
        {"other"sv, Key::OtherRoot},   {"synced"sv, Key::Synced}};
    for (const auto& [text, key] : kKeys)
        if (k == text) return key;
    return Key::Other;
}

// The roots in the order they are imported, with the names the browser gives them.
constexpr Key kRootKeys[] = {Key::BookmarkBar, Key::OtherRoot, Key::Synced};
constexpr const wchar_t* kRootNames[] = {L"Bookmarks bar", L"Other bookmarks", L"Mobile bookmarks"};
constexpr size_t kRootCount = sizeof kRootKeys / sizeof kRootKeys[0];

// One bookmark node being read: its fields, and the records made of its children so far.
// Node objects are kept for reuse at their depth.
struct Node {
    std::string name, type, url;
    bool urlTooLong = false;
    FolderRecord contents;
    int root = -1;  // which root, for the root nodes
    void Reset(int whichRoot) {
        name.clear();
        type.clear();
        url.clear();
        urlTooLong = false;
        contents.favors.clear();  // what a bookmark (no folder) held is dropped
        contents.subfolders.clear();
        root = whichRoot;
    }
};

// Keeps at most `limit` bytes of a parsed string; a short one is taken over whole.
void Keep(std::string& field, std::string& value, size_t limit) {
    if (value.size() <= limit) field.swap(value);
    else field.assign(value, 0, limit);
}

void MoveContents(FolderRecord& from, FolderRecord& to) {
    to.favors.insert(to.favors.end(), std::make_move_iterator(from.favors.begin()),
                     std::make_move_iterator(from.favors.end()));
    for (auto& sub : from.subfolders) to.subfolders.push_back(std::move(sub));
    from.favors.clear();
    from.subfolders.clear();
}

int CountRecords(const FolderRecord& folder) {
    int n = static_cast<int>(folder.favors.size() + folder.subfolders.size());
    for (const auto& sub : folder.subfolders) n += CountRecords(*sub);
    return n;
}

// Builds the tree while the parser reads, without a document in memory.
class BookmarksReader : public nlohmann::json_sax<Json> {
public:
    bool SawRoots() const { return m_sawRoots; }
    // Hands the roots that hold something to `root`, in their fixed order.
    void TakeRoots(FolderRecord& root);

    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool binary(binary_t&) override { return true; }
    bool string(string_t& value) override;
    bool key(string_t& name) override;
    bool start_object(std::size_t) override;
    bool end_object() override;
    bool start_array(std::size_t) override;
    bool end_array() override;
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override { return false; }

    int LeftOut() const { return m_leftOut; }
    bool TooMany() const { return m_items > kMaxImportItems; }

private:
    enum class Level : unsigned char { Document, Roots, Node, Children, Other };
    // Nodes deeper than the folders kept (kMaxImportDepth) share the last slot: their
    // bookmarks go straight into the deepest folder kept.
    static constexpr size_t kNodeSlots = kMaxImportDepth + 1;

    void FinishNode();
    Node& OpenNode(int root);
    Node& At(size_t depth) { return *m_nodes[std::min(depth, kNodeSlots - 1)]; }

    std::vector<Level> m_levels;
    std::vector<std::unique_ptr<Node>> m_nodes;  // the slots of the open nodes, innermost last
    size_t m_depth = 0;                          // how many nodes are open
    int m_items = 0;                             // records made
    int m_leftOut = 0;
    Key m_key = Key::Other;                      // the last key read
    FolderRecord m_roots[kRootCount];
    std::wstring m_rootNames[kRootCount];
    bool m_sawRoots = false;
};

bool BookmarksReader::key(string_t& name) {
    m_key = KeyOf(name);
    return true;
}

bool BookmarksReader::string(string_t& value) {
    if (m_levels.empty() || m_levels.back() != Level::Node) return true;
    Node& node = At(m_depth - 1);
    if (m_key == Key::Name) Keep(node.name, value, kMaxNameChars * 3);
    else if (m_key == Key::Type) Keep(node.type, value, 16);  // "url" or "folder"
    else if (m_key == Key::Url) {
        node.urlTooLong = value.size() > kMaxLocationBytes;
        if (node.urlTooLong) node.url.clear();
        else node.url.swap(value);
    }
    return true;
}

Node& BookmarksReader::OpenNode(int root) {
    if (m_depth < kNodeSlots && m_depth == m_nodes.size()) m_nodes.push_back(std::make_unique<Node>());
    Node& node = At(m_depth++);
    node.Reset(root);
    return node;
}

bool BookmarksReader::start_object(std::size_t) {
    const Level at = m_levels.empty() ? Level::Other : m_levels.back();
    Level next = Level::Other;
    int root = -1;
    if (m_levels.empty()) next = Level::Document;
    else if (at == Level::Document && m_key == Key::Roots) next = Level::Roots, m_sawRoots = true;
    else if (at == Level::Children) next = Level::Node;
    else if (at == Level::Roots) {
        for (size_t i = 0; i < kRootCount; ++i)
            if (m_key == kRootKeys[i]) next = Level::Node, root = static_cast<int>(i);
    }
    if (next == Level::Node) OpenNode(root);
    m_levels.push_back(next);
    m_key = Key::Other;
    return !TooMany();  // false ends the parse
}

bool BookmarksReader::end_object() {
    if (m_levels.empty()) return false;
    const Level done = m_levels.back();
    m_levels.pop_back();
    if (done == Level::Node) FinishNode();
    return true;
}

bool BookmarksReader::start_array(std::size_t) {
    const bool children = !m_levels.empty() && m_levels.back() == Level::Node && m_key == Key::Children;
    m_levels.push_back(children ? Level::Children : Level::Other);
    return true;
}

bool BookmarksReader::end_array() {
    if (m_levels.empty()) return false;
    m_levels.pop_back();
    return true;
}

void BookmarksReader::FinishNode() {
    Node* node = &At(--m_depth);
    if (node->root >= 0) {
        MoveContents(node->contents, m_roots[node->root]);
        m_rootNames[node->root] = NameFromUtf8(node->name);
        return;
    }
    if (m_depth == 0) return;  // a node outside the roots: left out
    FolderRecord& parent = At(std::min(m_depth - 1, kNodeSlots - 2)).contents;
    if (node->type == "url" || (node->type.empty() && (!node->url.empty() || node->urlTooLong))) {
        if (node->urlTooLong) {  // no address any browser opens
            ++m_leftOut;
            return;
        }
        FavorRecord& favor = parent.favors.emplace_back();
        favor.name = NameFromUtf8(node->name);
        favor.location = FromUtf8(node->url);
        ++m_items;
        if (m_depth >= kNodeSlots - 1) node->Reset(-1);  // the shared slot: its folder reads on
    } else if (m_depth >= static_cast<size_t>(kMaxImportDepth)) {
        MoveContents(node->contents, parent);  // too deep: its contents stay in the parent
    } else {
        FolderRecord& folder = parent.AddSubfolder();
        folder.name = NameFromUtf8(node->name);
        MoveContents(node->contents, folder);
        ++m_items;
    }
}

void BookmarksReader::TakeRoots(FolderRecord& root) {
    for (size_t i = 0; i < kRootCount; ++i) {
        if (m_roots[i].favors.empty() && m_roots[i].subfolders.empty()) continue;
        FolderRecord& folder = root.AddSubfolder();
        folder.name = m_rootNames[i].empty() ? kRootNames[i] : m_rootNames[i];
        MoveContents(m_roots[i], folder);
    }
}

}  // namespace

bool ParseChromiumBookmarks(std::string_view json, FolderRecord& root, int& count) {
    ReadNotes notes;
    return ParseChromiumBookmarks(json, root, count, notes);
}

bool ParseChromiumBookmarks(std::string_view json, FolderRecord& root, int& count, ReadNotes& notes) {
    count = 0;
    BookmarksReader reader;
    try {
        const bool parsed = Json::sax_parse(json.begin(), json.end(), &reader);
        if (reader.TooMany()) notes.failure = TooManyItemsText();
        if (!parsed || !reader.SawRoots()) return false;
    } catch (const std::bad_alloc&) {  // the parser reports through the reader; nothing may escape regardless
        notes.failure = SystemErrorText(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    } catch (...) {
        return false;
    }
    reader.TakeRoots(root);
    count = CountRecords(root);
    notes.leftOut += reader.LeftOut();
    return true;
}

bool ReadChromiumBookmarks(const std::wstring& path, FolderRecord& root, int& count) {
    ReadNotes notes;
    return ReadChromiumBookmarks(path, root, count, notes);
}

bool ReadChromiumBookmarks(const std::wstring& path, FolderRecord& root, int& count, ReadNotes& notes) {
    count = 0;
    std::string bytes;
    return ReadFileBytes(path, bytes, notes.failure) && ParseChromiumBookmarks(bytes, root, count, notes);
}
