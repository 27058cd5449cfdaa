#include "sync/MergeGraph.h"
#include "store/LocationKey.h"
#include "sync/SyncMerge.h"
#include <algorithm>

namespace {

bool IsLocalOnly(const MergeNode& n) { return n.local.present && !n.base.present && !n.server.present; }
bool IsServerOnly(const MergeNode& n) { return n.server.present && !n.base.present && !n.local.present; }

// The id as a number, or 0 when it is not a plain decimal number.
unsigned long long NumericId(const std::string& id) {
    if (id.empty() || id.size() > 19) return 0;
    unsigned long long value = 0;
    for (char c : id) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value;
}

}  // namespace

MergeGraph::MergeGraph() {
    MergeNode& top = nodes.emplace_back();
    top.folder = true;
    top.base.present = top.local.present = top.server.present = top.merged.present = true;
    localChildren.emplace_back();
    serverChildren.emplace_back();
}

int MergeGraph::NewNode(bool folder) {
    nodes.emplace_back().folder = folder;
    localChildren.emplace_back();
    serverChildren.emplace_back();
    return static_cast<int>(nodes.size() - 1);
}

const std::wstring* MergeGraph::Kept(std::wstring&& text, const std::wstring& stored) {
    if (text == stored) return &stored;
    return &m_texts.emplace_back(std::move(text));
}

const std::wstring* MergeGraph::TitleForm(const std::wstring& stored) {
    return TitleReadsBackAsIs(stored) ? &stored : Kept(SyncTitleText(stored), stored);
}

const std::wstring* MergeGraph::HrefForm(const std::wstring& stored) {
    return HrefReadsBackAsIs(stored) ? &stored : Kept(SyncHrefText(stored), stored);
}

// ---- the last synced tree ----

// The state is ours, but a damaged one (an id twice, a parent that is unknown, a
// bookmark or comes later) is not trusted at all: the sync then runs as a first sync.
// Fills m_baseById with the nodes the items will get.
bool MergeGraph::DropBrokenLastSynced(const SyncState& last) {
    const int first = static_cast<int>(nodes.size());
    for (size_t i = 0; i < last.items.size(); ++i) {
        if (last.items[i].id.empty()) return true;
        m_baseById.Add(last.items[i].id, first + static_cast<int>(i));
    }
    m_baseById.Seal();
    if (m_baseById.HasTwins()) return true;
    for (size_t i = 0; i < last.items.size(); ++i) {
        const SyncedItem& item = last.items[i];
        if (item.parentId.empty()) continue;
        const int parent = m_baseById.Find(item.parentId);
        if (parent < 0 || parent >= first + static_cast<int>(i) || !last.items[parent - first].folder) return true;
    }
    return false;
}

void MergeGraph::AddLastSynced(const SyncState& last) {
    if (DropBrokenLastSynced(last)) {
        m_baseById = {};
        return;
    }
    nodes.reserve(nodes.size() + last.items.size() * 11 / 10);
    for (const SyncedItem& item : last.items) {
        const int n = NewNode(item.folder);
        MergeNode& node = nodes[n];
        node.remoteId = item.id;
        node.base.parent = item.parentId.empty() ? 0 : m_baseById.Find(item.parentId);
        node.base.titleKey = item.title;
        node.base.hrefKey = item.href;
        // An item whose local twin was never made is not known: it is new again.
        if (item.localId == 0) continue;
        node.base.present = true;
        (item.folder ? m_baseFolderByLocal : m_baseFavorByLocal).Add(item.localId, n);
    }
    for (NodeIndex<int>* byLocal : {&m_baseFolderByLocal, &m_baseFavorByLocal}) {
        byLocal->Seal();
        auto& e = byLocal->Entries();  // one local item for two: the later ones are not known
        for (size_t i = 1; i < e.size(); ++i)
            if (e[i].first == e[i - 1].first) nodes[e[i].second].base.present = false;
    }
}

// ---- the local tree ----

void MergeGraph::AddLocal(const LocalTree& local) {
    localRootId = local.rootId;
    AddLocalFolders(local);
    AddLocalFavors(local);
}

void MergeGraph::AddLocalFolders(const LocalTree& local) {
    std::vector<const LocalFolder*> folders;
    for (const LocalFolder& f : local.folders)
        if (f.id != local.rootId) folders.push_back(&f);
    std::sort(folders.begin(), folders.end(), [](auto* a, auto* b) { return a->id < b->id; });
    for (const LocalFolder* f : folders) {
        const int known = m_baseFolderByLocal.Find(f->id);
        const int n = known >= 0 && !nodes[known].local.present ? known : NewNode(true);
        MergeNode& node = nodes[n];
        node.local.present = true;
        node.local.title = TitleForm(f->name);
        node.localName = &f->name;
        node.localId = f->id;
        m_localFolderNode.emplace(f->id, n);
    }
    // Parents, and the nesting depth; a folder whose parents do not lead to the synced
    // folder (the loader never gives one) takes no part.
    std::unordered_map<int, int> depth{{local.rootId, 0}};
    std::unordered_map<int, int> pidOf;
    for (const LocalFolder* f : folders) pidOf.emplace(f->id, f->pid);
    for (const LocalFolder* f : folders) {
        std::vector<int> chain;
        int at = f->id;
        while (!depth.count(at) && pidOf.count(at) && chain.size() <= folders.size()) {
            chain.push_back(at);
            at = pidOf[at];
        }
        const int top = depth.count(at) ? depth[at] : -1;
        for (size_t i = chain.size(); i-- > 0;) depth[chain[i]] = top < 0 ? -1 : top + int(chain.size() - i);
    }
    for (const LocalFolder* f : folders) {
        MergeNode& node = nodes[m_localFolderNode[f->id]];
        if (depth[f->id] < 0) {
            node.local.present = false;
            m_localFolderNode.erase(f->id);
            continue;
        }
        localDepth = std::max(localDepth, depth[f->id]);
        node.local.parent = f->pid == local.rootId ? 0 : m_localFolderNode.at(f->pid);
    }
    for (const LocalFolder* f : folders)
        if (m_localFolderNode.count(f->id)) localChildren[nodes[m_localFolderNode[f->id]].local.parent].push_back(m_localFolderNode[f->id]);
}

void MergeGraph::AddLocalFavors(const LocalTree& local) {
    std::vector<const LocalFavor*> favors;
    for (const LocalFavor& f : local.favors) favors.push_back(&f);
    std::sort(favors.begin(), favors.end(), [](auto* a, auto* b) { return a->id < b->id; });
    for (const LocalFavor* f : favors) {
        int parent = 0;
        if (f->pid != local.rootId) {
            auto folder = m_localFolderNode.find(f->pid);
            if (folder == m_localFolderNode.end()) continue;
            parent = folder->second;
        }
        const std::wstring* href = HrefForm(f->location);
        if (!SyncCarriesLocation(*href)) continue;
        const int known = m_baseFavorByLocal.Find(f->id);
        const int n = known >= 0 && !nodes[known].local.present ? known : NewNode(false);
        MergeNode& node = nodes[n];
        node.local = {true, parent, TitleForm(f->name), href};
        node.localName = &f->name;
        node.localLocation = &f->location;
        node.localId = f->id;
        localChildren[parent].push_back(n);
    }
}

// ---- the server's file ----

void MergeGraph::AddServer(const SyncTree& server) {
    highestFileId = server.highestId;
    nodes[0].serverItem = &server.root;
    WalkServer(server.root, 0, 0);
    RenewTwinIds();
}

void MergeGraph::NoteFileIds(const SyncItem& item) {
    highestFileId = std::max(highestFileId, NumericId(item.id));
    for (const SyncItem& child : item.children) NoteFileIds(child);
}

void MergeGraph::WalkServer(const SyncItem& folder, int parent, int depth) {
    serverDepth = std::max(serverDepth, depth);
    if (depth > kMaxSyncDepth) return;  // refused by the merge; nothing deeper is looked at
    const size_t slots = serverSlots.size();
    nodes[parent].serverSlots = slots;
    serverSlots.resize(slots + folder.children.size(), -1);
    for (size_t k = 0; k < folder.children.size(); ++k) {
        const SyncItem& c = folder.children[k];
        // Separators and links without a location stay in the file as they are.
        if (c.kind == SyncItem::Kind::Separator || (c.kind == SyncItem::Kind::Bookmark && c.href.empty())) {
            NoteFileIds(c);
            continue;
        }
        const bool isFolder = c.kind == SyncItem::Kind::Folder;
        highestFileId = std::max(highestFileId, NumericId(c.id));
        int n = c.id.empty() ? -1 : m_baseById.Find(c.id);
        if (n >= 0 && (nodes[n].folder != isFolder || nodes[n].server.present)) n = -1;
        if (n < 0) {
            n = NewNode(isFolder);
            nodes[n].remoteId = c.id;
        }
        MergeNode& node = nodes[n];
        node.server = {true, parent, &c.title, isFolder ? nullptr : &c.href};
        node.serverItem = &c;
        node.serverOrder = ++m_serverOrder;
        serverSlots[slots + k] = n;
        serverChildren[parent].push_back(n);
        if (isFolder) WalkServer(c, n, depth + 1);
    }
}

// An id the file has twice: every item after the first gets a new one.
void MergeGraph::RenewTwinIds() {
    NodeIndex<std::string_view> ids;
    for (size_t i = 1; i < nodes.size(); ++i)
        if (nodes[i].server.present && !nodes[i].remoteId.empty()) ids.Add(nodes[i].remoteId, static_cast<int>(i));
    auto& e = ids.Entries();
    std::sort(e.begin(), e.end(), [this](auto& a, auto& b) {
        return a.first != b.first ? a.first < b.first : nodes[a.second].serverOrder < nodes[b.second].serverOrder;
    });
    for (size_t i = 1; i < e.size(); ++i)
        if (e[i].first == e[i - 1].first) nodes[e[i].second].remoteId.clear();
}

// ---- pairing what both sides made ----

void MergeGraph::PairNewItems() {
    std::vector<int> queue;
    for (size_t i = 0; i < nodes.size(); ++i)
        if (nodes[i].folder && nodes[i].local.present && nodes[i].server.present) queue.push_back(int(i));
    while (!queue.empty()) {
        const int parent = queue.back();
        queue.pop_back();
        PairChildren(parent, queue);
    }
}

void MergeGraph::PairChildren(int parent, std::vector<int>& queue) {
    struct Bucket {
        std::vector<int> nodes;
        size_t next = 0;
    };
    std::unordered_map<std::wstring, Bucket> folders, favors;
    for (int c : localChildren[parent]) {
        if (!IsLocalOnly(nodes[c])) continue;
        if (nodes[c].folder) folders[*nodes[c].local.title].nodes.push_back(c);
        else favors[LocationKey(*nodes[c].local.href)].nodes.push_back(c);
    }
    if (folders.empty() && favors.empty()) return;
    for (int s : serverChildren[parent]) {
        const MergeNode& node = nodes[s];
        if (!IsServerOnly(node)) continue;
        auto& buckets = node.folder ? folders : favors;
        auto bucket = buckets.find(node.folder ? *node.server.title : LocationKey(*node.server.href));
        if (bucket == buckets.end() || bucket->second.next == bucket->second.nodes.size()) continue;
        Absorb(s, bucket->second.nodes[bucket->second.next++]);
        if (node.folder) queue.push_back(s);
    }
}

// The server's node stands for both from now on, as if the last sync had left it as the
// server has it: whatever the local item has different wins.
void MergeGraph::Absorb(int serverNode, int localNode) {
    MergeNode& s = nodes[serverNode];
    MergeNode& l = nodes[localNode];
    s.local = l.local;
    s.localId = l.localId;
    s.localName = l.localName;
    s.localLocation = l.localLocation;
    s.base = s.server;
    l.local.present = false;
    l.absorbed = true;
    for (int c : localChildren[localNode]) nodes[c].local.parent = serverNode;
    localChildren[serverNode] = std::move(localChildren[localNode]);
}
