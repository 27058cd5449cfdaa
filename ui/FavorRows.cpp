#include "ui/FavorRows.h"
#include "ui/FavorSort.h"
#include <windows.h>
#include <algorithm>

FavorRows::Previous FavorRows::Replace(std::vector<FavorRecord>& records) {
    Previous previous;
    previous.order = Order();
    previous.records.swap(m_records);
    m_order.clear();
    m_order.reserve(records.size());
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
        Owned& slot = m_records[it->id];
        if (slot) continue;  // a repeated id is let go
        slot = std::make_unique<Row>(Row{std::move(*it), 0});
        m_order.push_back(slot.get());
    }
    records.clear();
    Renumber();
    return previous;
}

FavorRecord* FavorRows::AddOnTop(const FavorRecord& record) {
    const Owned replaced = Take(record.id);
    Owned copy = std::make_unique<Row>(Row{record, 0});
    Row* mine = copy.get();
    m_records[record.id] = std::move(copy);
    m_order.insert(m_order.begin(), mine);
    Renumber();
    return &mine->favor;
}

FavorRows::Owned FavorRows::Take(int id) {
    const auto it = m_records.find(id);
    if (it == m_records.end()) return nullptr;
    Owned row = std::move(it->second);
    m_records.erase(it);
    m_order.erase(m_order.begin() + row->index);
    Renumber();
    return row;
}

std::vector<FavorRows::Owned> FavorRows::Take(const std::set<FavorRecord*>& gone) {
    std::vector<Owned> taken;
    for (FavorRecord* r : gone) {
        const auto it = m_records.find(r->id);
        if (it == m_records.end() || &it->second->favor != r) continue;
        taken.push_back(std::move(it->second));
        m_records.erase(it);
    }
    m_order.erase(std::remove_if(m_order.begin(), m_order.end(), [&](Row* r) { return gone.count(&r->favor) > 0; }),
                  m_order.end());
    Renumber();
    return taken;
}

void FavorRows::Sort(int column, bool ascending) {
    std::stable_sort(m_order.begin(), m_order.end(), [&](const Row* a, const Row* b) {
        return CompareFavors(a->favor, b->favor, column, ascending) < 0;
    });
    Renumber();
}

FavorRecord* FavorRows::At(int row) const {
    return row >= 0 && row < Count() ? &m_order[static_cast<size_t>(row)]->favor : nullptr;
}

FavorRecord* FavorRows::Find(int id) const {
    const auto it = m_records.find(id);
    return it == m_records.end() ? nullptr : &it->second->favor;
}

int FavorRows::RowOf(const FavorRecord* record) const {
    if (!record) return -1;
    const auto it = m_records.find(record->id);
    return it != m_records.end() && &it->second->favor == record ? it->second->index : -1;
}

std::vector<FavorRecord*> FavorRows::Order() const {
    std::vector<FavorRecord*> order;
    order.reserve(m_order.size());
    for (Row* row : m_order) order.push_back(&row->favor);
    return order;
}

int FavorRows::FindName(const std::wstring& wanted, int start, bool partial, bool wrap) const {
    const int n = Count();
    if (n == 0 || wanted.empty()) return -1;
    if (start < 0 || start >= n) start = 0;
    const int length = static_cast<int>(wanted.size());
    for (int k = 0; k < n; ++k) {
        const int row = (start + k) % n;
        if (k > 0 && row == 0 && !wrap) break;
        const std::wstring& name = m_order[static_cast<size_t>(row)]->favor.name;
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
    for (size_t i = 0; i < m_order.size(); ++i) m_order[i]->index = static_cast<int>(i);
}
