// The working form of the three-way merge (sync/SyncMerge.h): one node per folder or
// bookmark, whichever sides hold it, with what each side says about it. Node 0 is the
// top level: the synced folder locally, the file's top level on the server.
#pragma once
#include "sync/SyncState.h"
#include "sync/SyncTree.h"
#include <deque>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// What one side (the last synced tree, local, server, or the merge's outcome) holds of
// a node. Texts point into the inputs, which outlive the graph.
struct MergeSide {
    bool present = false;
    int parent = -1;  // node index
    const std::wstring* title = nullptr;
    const std::wstring* href = nullptr;
};

// Whether two texts of nodes are the same; a missing text is an empty one.
inline bool SameText(const std::wstring* a, const std::wstring* b) {
    if (a == b) return true;
    if (!a || !b) return (!a || a->empty()) && (!b || b->empty());
    return *a == *b;
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
    std::unordered_map<const SyncItem*, int> nodeOfServerItem;
    unsigned long long highestFileId = 0;          // of the comment and every numeric id in the file
    int localRootId = 0;
    int localDepth = 0, serverDepth = 0;           // deepest folder nesting of each side

private:
    int NewNode(bool folder);
    // The text in the form the file gives it back: the same string when that is the same.
    const std::wstring* Kept(std::wstring&& text, const std::wstring& stored);
    void AddLocalFolders(const LocalTree& local);
    void AddLocalFavors(const LocalTree& local);
    bool DropBrokenLastSynced(const SyncState& last);
    void WalkServer(const SyncItem& folder, int parent, int depth);
    void NoteFileIds(const SyncItem& item);
    void PairChildren(int parent, std::vector<int>& queue);
    void Absorb(int serverNode, int localNode);

    std::unordered_map<std::string, int> m_baseById;
    std::unordered_map<int, int> m_baseFolderByLocal, m_baseFavorByLocal;
    std::unordered_map<int, int> m_localFolderNode;
    std::unordered_set<std::string> m_fileIds;  // ids seen in the file
    std::deque<std::wstring> m_texts;                 // local texts whose file form differs
    size_t m_serverOrder = 0;
};
