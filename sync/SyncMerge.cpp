#include "sync/SyncMerge.h"
#include "sync/MergeGraph.h"
#include "sync/MergeOutput.h"
#include "sync/Xbel.h"
#include <cwchar>
#include <algorithm>

namespace {

// The local text when the local side changed it, else the server's when it changed
// it, else the local one (the same as the last synced one).
const std::wstring* Pick(const std::wstring* baseText, TextKey baseKey, const std::wstring* local,
                         const std::wstring* server) {
    if (!SameAsBase(local, baseText, baseKey)) return local;
    return SameAsBase(server, baseText, baseKey) ? local : server;
}

void DecideKnown(MergeNode& n) {
    n.merged.title = Pick(n.base.title, n.base.titleKey, n.local.title, n.server.title);
    n.merged.href = Pick(n.base.href, n.base.hrefKey, n.local.href, n.server.href);
    if (n.local.parent != n.base.parent) {
        n.merged.parent = n.local.parent;
        n.parentOrigin = MergeOrigin::Local;
    } else if (n.server.parent != n.base.parent) {
        n.merged.parent = n.server.parent;
        n.parentOrigin = MergeOrigin::Server;
    } else {
        n.merged.parent = n.base.parent;
        n.parentOrigin = MergeOrigin::Base;
    }
}

void TakeSide(MergeNode& n, bool local) {
    const MergeSide& side = local ? n.local : n.server;
    n.merged.title = side.title;
    n.merged.href = side.href;
    n.merged.parent = side.parent;
    n.parentOrigin = local ? MergeOrigin::Local : MergeOrigin::Server;
}

// Known items stay when both sides still have them (a removal beats an edit); items
// one side made since the last sync are made on the other.
void Decide(MergeGraph& g) {
    for (size_t i = 1; i < g.nodes.size(); ++i) {
        MergeNode& n = g.nodes[i];
        if (n.absorbed) continue;
        n.merged.present = n.base.present ? n.local.present && n.server.present : n.local.present || n.server.present;
        if (!n.merged.present) continue;
        if (n.base.present) DecideKnown(n);
        else TakeSide(n, n.local.present);
    }
}

// A folder one side removed while the other put something new into it stays, made
// again from the side that still has it. True when anything came back.
bool KeepFoldersOfSurvivors(MergeGraph& g) {
    bool revived = false;
    for (size_t i = 1; i < g.nodes.size(); ++i) {
        if (!g.nodes[i].merged.present) continue;
        for (int p = g.nodes[i].merged.parent; p > 0 && !g.nodes[p].merged.present; p = g.nodes[p].merged.parent) {
            MergeNode& folder = g.nodes[p];
            if (!folder.local.present && !folder.server.present) {  // cannot happen: keep the item at the top
                g.nodes[i].merged.parent = 0;
                break;
            }
            folder.merged.present = true;
            TakeSide(folder, folder.local.present);
            revived = true;
        }
    }
    return revived;
}

// A folder that the merge would put below itself (a local move and a server move that
// cross) loses the server's move of it. True when a move was dropped.
bool DropCrossingMoves(MergeGraph& g) {
    enum : char { kUnseen, kOnPath, kDone };
    std::vector<char> mark(g.nodes.size(), kUnseen);
    bool dropped = false;
    for (size_t i = 1; i < g.nodes.size(); ++i) {
        if (!g.nodes[i].folder || !g.nodes[i].merged.present || mark[i] != kUnseen) continue;
        std::vector<int> path;
        int at = int(i);
        while (at > 0 && mark[at] == kUnseen) {
            mark[at] = kOnPath;
            path.push_back(at);
            at = g.nodes[at].merged.parent;
        }
        if (at > 0 && mark[at] == kOnPath) {
            bool broken = false;
            for (auto c = std::find(path.begin(), path.end(), at); c != path.end(); ++c) {
                MergeNode& folder = g.nodes[*c];
                if (folder.parentOrigin != MergeOrigin::Server || !folder.local.present) continue;
                folder.merged.parent = folder.local.parent;
                folder.parentOrigin = MergeOrigin::Local;
                broken = true;
            }
            if (!broken) g.nodes[at].merged.parent = 0;  // no server move in it (cannot happen): to the top
            dropped = true;
        }
        for (int p : path) mark[p] = kDone;
    }
    return dropped;
}

void CountFavors(const MergeGraph& g, SyncMergeResult& r) {
    for (const MergeNode& n : g.nodes) {
        if (n.folder || n.absorbed) continue;
        if (n.local.present) {
            ++r.localFavors;
            if (!n.merged.present) ++r.localFavorsDeleted;
        }
        if (n.server.present) {
            ++r.serverFavors;
            if (!n.merged.present) ++r.serverFavorsDeleted;
        }
    }
}

// Both sides hold every item the last sync left, where and as it was, and nothing else:
// there is nothing to write, to make or to save.
bool NothingChanged(const MergeGraph& g) {
    for (size_t i = 1; i < g.nodes.size(); ++i) {
        const MergeNode& n = g.nodes[i];
        if (n.absorbed || !n.base.present || !n.local.present || !n.server.present || n.remoteId.empty()) return false;
        if (n.local.parent != n.base.parent || n.server.parent != n.base.parent) return false;
        if (!SameAsBase(n.local.title, n.base.title, n.base.titleKey) ||
            !SameAsBase(n.server.title, n.base.title, n.base.titleKey) ||
            !SameAsBase(n.local.href, n.base.href, n.base.hrefKey) || !SameAsBase(n.server.href, n.base.href, n.base.hrefKey))
            return false;
    }
    return true;
}

}  // namespace

std::wstring SyncTitleText(const std::wstring& name) {
    std::wstring text = XbelTitleAsRead(name);
    if (text.size() <= kMaxXbelTitle) return text;
    size_t cut = kMaxXbelTitle;
    if (text[cut - 1] >= 0xD800 && text[cut - 1] <= 0xDBFF) --cut;  // never half a character
    return XbelTitleAsRead(text.substr(0, cut));
}

std::wstring SyncHrefText(const std::wstring& location) { return XbelHrefAsRead(location); }

namespace {

// A character the file writes as another: a control character, half of a surrogate
// pair (whole pairs are let through the slow way too) or a non-character.
bool WrittenAsOther(wchar_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0xD800 && c <= 0xDFFF) || c == 0xFFFE || c == 0xFFFF;
}

}  // namespace

bool HrefReadsBackAsIs(const std::wstring& location) {
    return std::none_of(location.begin(), location.end(), WrittenAsOther);
}

bool TitleReadsBackAsIs(const std::wstring& name) {
    auto plainEnd = [](wchar_t c) { return c > 0x20 && c < 0x7F; };  // nothing a title is trimmed of
    return name.empty() || (name.size() <= kMaxXbelTitle && plainEnd(name.front()) && plainEnd(name.back()) &&
                            HrefReadsBackAsIs(name));
}

bool SyncCarriesLocation(const std::wstring& hrefText) {
    return !hrefText.empty() && hrefText.size() <= kMaxXbelHref &&
           hrefText.compare(0, wcslen(kSeparatorHrefPrefix), kSeparatorHrefPrefix) != 0;
}

bool DeletesTooMany(const SyncMergeResult& r) {
    auto tooMany = [](size_t deleted, size_t total) { return deleted > 5 && deleted * 5 > total; };
    return tooMany(r.localFavorsDeleted, r.localFavors) || tooMany(r.serverFavorsDeleted, r.serverFavors);
}

namespace {

SyncMergeResult Merge(const LocalTree& local, const SyncTree& server, const SyncState& last, bool takeTexts) {
    MergeGraph g;
    g.AddLastSynced(last);
    g.AddLocal(local);
    g.AddServer(server);
    SyncMergeResult result;
    if (g.localDepth > kMaxSyncDepth || g.serverDepth > kMaxSyncDepth) {
        result.tooDeep = true;
        return result;
    }
    if (NothingChanged(g)) {
        for (const MergeNode& n : g.nodes) result.localFavors += !n.folder && n.local.present;
        result.serverFavors = result.localFavors;  // the same items on both sides
        result.stateChanged = false;
        return result;
    }
    g.PairNewItems();
    Decide(g);
    // Each round only brings folders back or turns moves back to the local side's, so
    // this ends; a few rounds at most in practice.
    while (KeepFoldersOfSurvivors(g) | DropCrossingMoves(g)) {
    }
    CountFavors(g, result);
    BuildMergeOutput(g, server, result, takeTexts);
    return result;
}

}  // namespace

SyncMergeResult MergeSync(const LocalTree& local, const SyncTree& server, const SyncState& last) {
    return Merge(local, server, last, false);
}

SyncMergeResult MergeSyncTakingTexts(const LocalTree& local, SyncTree& server, const SyncState& last) {
    return Merge(local, server, last, true);
}
