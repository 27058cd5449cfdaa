#include "sync/MergeOutput.h"
#include <algorithm>
#include <tuple>

namespace {

class MergeOutput {
public:
    MergeOutput(const MergeGraph& g, SyncMergeResult& r, bool takeTexts)
        : m_g(g), m_r(r), m_take(takeTexts), m_children(g.nodes.size()), m_emitted(g.nodes.size()),
          m_stateItem(g.nodes.size()), m_title(g.nodes.size()), m_href(g.nodes.size()), m_edit(g.nodes.size(), -1),
          m_nextId(g.highestFileId) {
        for (size_t i = 1; i < g.nodes.size(); ++i)
            if (g.nodes[i].merged.present && !g.nodes[i].absorbed) m_children[g.nodes[i].merged.parent].push_back(int(i));
    }

    void WriteFile(const SyncTree& server) {
        m_r.server.root = SyncItem{SyncItem::Kind::Folder, {}, {}, {}, {}};
        m_r.state.items.reserve(m_g.nodes.size());
        EmitChildren(0, &server.root, m_r.server.root, {}, 0);
        m_r.server.highestId = m_nextId;
    }
    void WriteLocalEdits();

private:
    void EmitChildren(int folder, const SyncItem* serverFolder, SyncItem& out, const std::string& outId, int depth);
    void Emit(int node, SyncItem& parent, const std::string& parentId, int depth);
    void SetParent(LocalEdit& edit, int node) const;
    int LocalParentId(const MergeNode& n) const {
        return n.local.parent == 0 ? m_g.localRootId : m_g.nodes[n.local.parent].localId;
    }
    void AddOrUpdate(int node);
    void DeleteGone();
    std::wstring Out(const std::wstring* text, const std::wstring* serverText);

    const MergeGraph& m_g;
    SyncMergeResult& m_r;
    const bool m_take;
    std::vector<std::vector<int>> m_children;  // merged children of each node
    std::vector<char> m_emitted;
    std::vector<size_t> m_stateItem;
    // The merged texts of emitted nodes, as the file holds them (where taken texts went).
    std::vector<const std::wstring*> m_title, m_href;
    std::vector<int> m_edit;                   // the AddFolder edit that makes a node locally
    std::vector<int> m_topDown;                // emitted nodes, parents first
    unsigned long long m_nextId;
};

// The server's order first, with separators and links without a location where they
// are; then what came into the folder, folders first, the file's items in file order
// and new local ones in the order they were made.
void MergeOutput::EmitChildren(int folder, const SyncItem* serverFolder, SyncItem& out, const std::string& outId,
                               int depth) {
    // Room for every child first: the items emitted below keep their addresses.
    out.children.reserve((serverFolder ? serverFolder->children.size() : 0) + m_children[folder].size());
    if (serverFolder) {
        const size_t slots = m_g.nodes[folder].serverSlots;
        for (size_t k = 0; k < serverFolder->children.size(); ++k) {
            const int tracked = m_g.serverSlots[slots + k];
            if (tracked < 0) {
                out.children.push_back(serverFolder->children[k]);
                continue;
            }
            const MergeNode& n = m_g.nodes[tracked];
            if (n.merged.present && n.merged.parent == folder) Emit(tracked, out, outId, depth);
            else m_r.serverChanged = true;
        }
    }
    std::vector<int> arrived;
    for (int n : m_children[folder])
        if (!m_emitted[n]) arrived.push_back(n);
    if (arrived.empty()) return;
    m_r.serverChanged = true;
    auto order = [this](int n) {
        const MergeNode& x = m_g.nodes[n];
        return std::make_tuple(!x.folder, !x.server.present, x.server.present ? x.serverOrder : size_t(x.localId));
    };
    std::sort(arrived.begin(), arrived.end(), [&](int a, int b) { return order(a) < order(b); });
    for (int n : arrived) Emit(n, out, outId, depth);
}

void MergeOutput::Emit(int node, SyncItem& parent, const std::string& parentId, int depth) {
    const MergeNode& n = m_g.nodes[node];
    m_emitted[node] = 1;
    m_topDown.push_back(node);
    SyncItem& item = parent.children.emplace_back();
    item.kind = n.folder ? SyncItem::Kind::Folder : SyncItem::Kind::Bookmark;
    const bool keepsId = n.server.present && !n.remoteId.empty();
    item.id = keepsId ? n.remoteId : std::to_string(++m_nextId);
    if (!keepsId || !SameText(n.merged.title, n.server.title) || !SameText(n.merged.href, n.server.href))
        m_r.serverChanged = true;
    item.title = Out(n.merged.title, n.server.title);
    if (!n.folder) item.href = Out(n.merged.href, n.server.href);
    m_title[node] = &item.title;
    m_href[node] = &item.href;
    m_stateItem[node] = m_r.state.items.size();
    m_r.state.items.push_back({item.id, parentId, n.folder, KeyOfText(item.title), KeyOfText(item.href),
                               n.local.present ? n.localId : 0, &item.title, &item.href});
    if (!n.folder) return;
    if (depth + 1 > kMaxSyncDepth) {
        m_r.tooDeep = true;
        return;
    }
    EmitChildren(node, n.server.present ? n.serverItem : nullptr, item, item.id, depth + 1);
}

// A merged text for the file: moved out of the server's tree when it is the server's
// own text and the tree may be taken from (the tree is the caller's and not const).
std::wstring MergeOutput::Out(const std::wstring* text, const std::wstring* serverText) {
    if (!text) return {};
    if (!m_take || text != serverText) return *text;
    m_r.serverTaken = true;
    return std::move(*const_cast<std::wstring*>(text));
}

// ---- the store's side ----

void MergeOutput::SetParent(LocalEdit& edit, int node) const {
    const int p = m_g.nodes[node].merged.parent;
    if (p == 0) edit.parentId = m_g.localRootId;
    else if (m_g.nodes[p].local.present) edit.parentId = m_g.nodes[p].localId;
    else edit.parentEdit = m_edit[p];
}

void MergeOutput::AddOrUpdate(int node) {
    const MergeNode& n = m_g.nodes[node];
    const std::wstring* title = m_title[node];  // the merged texts: those of the server may be taken
    const std::wstring* href = m_href[node];
    LocalEdit edit;
    if (!n.local.present) {
        edit.op = n.folder ? LocalEdit::Op::AddFolder : LocalEdit::Op::AddFavor;
        edit.name = *title;
        edit.location = *href;
        edit.stateItem = m_stateItem[node];
        if (n.folder) m_edit[node] = int(m_r.local.size());
    } else {
        const bool sameName = SameText(title, n.local.title);
        const bool sameLocation = SameText(href, n.local.href);
        if (sameName && sameLocation && n.merged.parent == n.local.parent) return;
        edit.op = n.folder ? LocalEdit::Op::UpdateFolder : LocalEdit::Op::UpdateFavor;
        edit.id = n.localId;
        edit.fromParentId = LocalParentId(n);
        // What the file holds of a text is its form without control characters: an
        // unchanged text keeps the form the store has.
        edit.name = sameName ? *n.localName : *title;
        if (!n.folder) edit.location = sameLocation ? *n.localLocation : *href;
    }
    SetParent(edit, node);
    m_r.local.push_back(std::move(edit));
}

// What goes with a folder that goes is not deleted on its own.
void MergeOutput::DeleteGone() {
    auto gone = [this](int node) {
        const MergeNode& n = m_g.nodes[node];
        return node > 0 && n.local.present && !n.merged.present;
    };
    for (bool folders : {false, true}) {
        for (size_t i = 1; i < m_g.nodes.size(); ++i) {
            const MergeNode& n = m_g.nodes[i];
            if (n.folder != folders || !gone(int(i)) || gone(n.local.parent)) continue;
            LocalEdit edit;
            edit.op = folders ? LocalEdit::Op::DeleteFolder : LocalEdit::Op::DeleteFavor;
            edit.id = n.localId;
            edit.fromParentId = LocalParentId(n);
            m_r.local.push_back(edit);
        }
    }
}

// Folders top-down (a folder is made or moved after its new parent), then favorites,
// then what goes.
void MergeOutput::WriteLocalEdits() {
    for (int node : m_topDown)
        if (m_g.nodes[node].folder) AddOrUpdate(node);
    for (int node : m_topDown)
        if (!m_g.nodes[node].folder) AddOrUpdate(node);
    DeleteGone();
}

}  // namespace

void BuildMergeOutput(const MergeGraph& g, const SyncTree& server, SyncMergeResult& result, bool takeTexts) {
    MergeOutput out(g, result, takeTexts);
    out.WriteFile(server);
    if (!result.tooDeep) out.WriteLocalEdits();
}
