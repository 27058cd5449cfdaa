#include "ui/FavorSort.h"

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

const std::wstring& TextOf(const FavorRecord& r, int column) {
    switch (column) {
    case kColLocation: return r.location;
    case kColTags: return r.tags;
    case kColLastHit: return r.lastHit;
    default: return r.name;
    }
}

int CompareKeys(const FavorRecord& a, const FavorRecord& b, int column) {
    if (column == kColHits) return (a.hits > b.hits) - (a.hits < b.hits);
    // std::wstring compares wchar_t values: code units, no locale.
    return Sign(TextOf(a, column).compare(TextOf(b, column)));
}

}  // namespace

int CompareFavors(const FavorRecord& a, const FavorRecord& b, int column, bool ascending) {
    int c = CompareKeys(a, b, column);
    if (c == 0) c = (a.id > b.id) - (a.id < b.id);
    return ascending ? c : -c;
}
