// The working form of the three-way merge (sync/SyncMerge.h): one node per folder or
// bookmark, whichever sides hold it, with what each side says about it. Node 0 is the
// top level: the synced folder locally, the file's top level on the server.
#pragma once
#include "sync/SyncState.h"
#include "sync/SyncTree.h"
#include <algorithm>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

// What one side (the last synced tree, local, server, or the merge's outcome) holds of
// a node. Texts point into the inputs, which outlive the graph.
struct MergeSide {
    bool present = false;
    int parent = -1;  // node index
    const std::wstring* title = nullptr;
    const std::wstring* href = nullptr;
    // The last synced tree has the texts' fingerprints only (title and href null).
    TextKey titleKey = 0, hrefKey = 0;
};

// Whether two texts of nodes are the same; a missing text is an empty one.
inline bool SameText(const std::wstring* a, const std::wstring* b) {
    if (a == b) return true;
    if (!a || !b) return (!a || a->empty()) && (!b || b->empty());
    return *a == *b;
}

// Whether a text is the one the last sync left, given by its text or its fingerprint.
inline bool SameAsBase(const std::wstring* text, const std::wstring* baseText, TextKey baseKey) {
    if (baseText) return SameText(text, baseText);
    return KeyOfText(text ? std::wstring_view(*text) : std::wstring_view()) == baseKey;
}

enum class MergeOrigin : unsigned char { Base, Local, Server };

struct MergeNode {
    bool folder = false;
    bool absorbed = false;  // a local item paired with a server item: that node stands for both
    MergeSide base, local, server, merged;
    MergeOrigin parentOrigin = MergeOrigin::Base;
    int localId = 0;
    const std::wstring* localName = nullptr;      // as stored, before SyncTitleText and SyncHrefText
    const std::wstring* localLocation = nullptr;
    std::string remoteId;                          // the file's id; empty when the file needs a new one
    const SyncItem* serverItem = nullptr;
    size_t serverOrder = 0;                        // position in the file, depth first
    size_t serverSlots = 0;                        // folders: where the nodes of its file children start
};

// A sorted table from a key to a node, built once and then only looked up: far fewer
// allocations than a hash map for the hundred thousand items of a large file.
template <class Key>
class NodeIndex {
public:
    void Add(Key key, int node) { m_entries.emplace_back(key, node); }
    void Seal() { std::stable_sort(m_entries.begin(), m_entries.end(), [](auto& a, auto& b) { return a.first < b.first; }); }
    // The node of the key, or -1.
    int Find(const Key& key) const {
        auto at = std::lower_bound(m_entries.begin(), m_entries.end(), key, [](auto& e, const Key& k) { return e.first < k; });
        return at != m_entries.end() && at->first == key ? at->second : -1;
    }
    // Whether a key is there more than once.
    bool HasTwins() const {
        return std::adjacent_find(m_entries.begin(), m_entries.end(), [](auto& a, auto& b) { return a.first == b.first; }) !=
               m_entries.end();
    }
    std::vector<std::pair<Key, int>>& Entries() { return m_entries; }

private:
    std::vector<std::pair<Key, int>> m_entries;
};

class MergeGraph {
public:
    MergeGraph();

    void AddLastSynced(const SyncState& last);
    void AddLocal(const LocalTree& local);
    void AddServer(const SyncTree& server);
    // Pairs items that only the local side has with items that only the server has,
    // below folders both sides have, top-down.
    void PairNewItems();

    std::vector<MergeNode> nodes;
    std::vector<std::vector<int>> localChildren;   // in local id order
    std::vector<std::vector<int>> serverChildren;  // in file order
    // For each folder's file children, from its serverSlots on: the node, or -1 for what
    // the merge leaves as it is (separators, links without a location).
    std::vector<int> serverSlots;
    unsigned long long highestFileId = 0;          // of the comment and every numeric id in the file
    int localRootId = 0;
    int localDepth = 0, serverDepth = 0;           // deepest folder nesting of each side

private:
    int NewNode(bool folder);
    // The text in the form the file gives it back: the same string when that is the same.
    const std::wstring* Kept(std::wstring&& text, const std::wstring& stored);
    const std::wstring* TitleForm(const std::wstring& stored);
    const std::wstring* HrefForm(const std::wstring& stored);
    void AddLocalFolders(const LocalTree& local);
    void AddLocalFavors(const LocalTree& local);
    bool DropBrokenLastSynced(const SyncState& last);
    void WalkServer(const SyncItem& folder, int parent, int depth);
    void NoteFileIds(const SyncItem& item);
    void RenewTwinIds();
    void PairChildren(int parent, std::vector<int>& queue);
    void Absorb(int serverNode, int localNode);

    NodeIndex<std::string_view> m_baseById;
    NodeIndex<int> m_baseFolderByLocal, m_baseFavorByLocal;
    std::unordered_map<int, int> m_localFolderNode;
    std::deque<std::wstring> m_texts;                 // local texts whose file form differs
    size_t m_serverOrder = 0;
};
