#include "ui/FavorRows.h"
#include "ui/FavorSort.h"
#include <windows.h>
#include <algorithm>

FavorRows::Previous FavorRows::Replace(std::vector<FavorRecord*>& records) {
    Previous previous;
    previous.order.swap(m_order);
    previous.records.swap(m_records);
    m_order.reserve(records.size());
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
        Owned record(*it);
        if (!record || m_records.count(record->id)) continue;  // a repeated id is let go
        m_order.push_back(record.get());
        m_records[record->id] = std::move(record);
    }
    records.clear();
    Renumber();
    return previous;
}

FavorRecord* FavorRows::AddOnTop(const FavorRecord& record) {
    const Owned replaced = Take(record.id);
    Owned copy = std::make_unique<FavorRecord>(record);
    FavorRecord* mine = copy.get();
    m_records[mine->id] = std::move(copy);
    m_order.insert(m_order.begin(), mine);
    Renumber();
    return mine;
}

FavorRows::Owned FavorRows::Take(int id) {
    const auto it = m_records.find(id);
    if (it == m_records.end()) return nullptr;
    Owned record = std::move(it->second);
    m_records.erase(it);
    m_order.erase(std::remove(m_order.begin(), m_order.end(), record.get()), m_order.end());
    Renumber();
    return record;
}

std::vector<FavorRows::Owned> FavorRows::Take(const std::set<FavorRecord*>& gone) {
    std::vector<Owned> taken;
    for (FavorRecord* r : gone) {
        const auto it = m_records.find(r->id);
        if (it == m_records.end() || it->second.get() != r) continue;
        taken.push_back(std::move(it->second));
        m_records.erase(it);
    }
    m_order.erase(std::remove_if(m_order.begin(), m_order.end(), [&](FavorRecord* r) { return gone.count(r) > 0; }),
                  m_order.end());
    Renumber();
    return taken;
}

void FavorRows::Sort(int column, bool ascending) {
    std::stable_sort(m_order.begin(), m_order.end(), [&](const FavorRecord* a, const FavorRecord* b) {
        return CompareFavors(*a, *b, column, ascending) < 0;
    });
    Renumber();
}

FavorRecord* FavorRows::At(int row) const {
    return row >= 0 && row < Count() ? m_order[static_cast<size_t>(row)] : nullptr;
}

FavorRecord* FavorRows::Find(int id) const {
    const auto it = m_records.find(id);
    return it == m_records.end() ? nullptr : it->second.get();
}

int FavorRows::RowOf(const FavorRecord* record) const {
    if (!record) return -1;
    if (At(record->listItem) == record) return record->listItem;
    const auto it = std::find(m_order.begin(), m_order.end(), record);
    return it == m_order.end() ? -1 : static_cast<int>(it - m_order.begin());
}

int FavorRows::FindName(const std::wstring& wanted, int start, bool partial, bool wrap) const {
    const int n = Count();
    if (n == 0 || wanted.empty()) return -1;
    if (start < 0 || start >= n) start = 0;
    const int length = static_cast<int>(wanted.size());
    for (int k = 0; k < n; ++k) {
        const int row = (start + k) % n;
        if (k > 0 && row == 0 && !wrap) break;
        const std::wstring& name = m_order[static_cast<size_t>(row)]->name;
        if (name.size() < wanted.size() || (!partial && name.size() != wanted.size())) continue;
        if (CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, name.c_str(), length, wanted.c_str(), length) ==
            CSTR_EQUAL)
            return row;
    }
    return -1;
}

std::pair<int, int> FavorRows::ChangedRange(const std::vector<FavorRecord*>& before,
                                            const std::vector<FavorRecord*>& after) {
    const auto sameTexts = [](const FavorRecord* a, const FavorRecord* b) {
        return a->name == b->name && a->location == b->location && a->tags == b->tags && a->hits == b->hits &&
               a->lastHit == b->lastHit;
    };
    int first = -1, last = -1;
    const size_t n = std::min(before.size(), after.size());
    for (size_t i = 0; i < n; ++i) {
        if (sameTexts(before[i], after[i])) continue;
        if (first < 0) first = static_cast<int>(i);
        last = static_cast<int>(i);
    }
    return {first, last};
}

void FavorRows::Renumber() {
    for (size_t i = 0; i < m_order.size(); ++i) m_order[i]->listItem = static_cast<int>(i);
}
