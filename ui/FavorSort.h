// The order of the favorites list: by one column, either direction. Texts compare by
// UTF-16 code unit (case-sensitive, no locale), the visit count as a number; equal
// keys fall back to the favorite id so that every sort gives one definite order.
#pragma once
#include "store/Records.h"

enum FavorColumn { kColName = 0, kColLocation = 1, kColTags = 2, kColHits = 3, kColLastHit = 4 };

// Negative when a goes before b.
int CompareFavors(const FavorRecord& a, const FavorRecord& b, int column, bool ascending);
