// The Most Visited and Latest Visited pop-up menus of the Quick Panel.
#pragma once
#include "res/resource.h"
#include "store/Records.h"
#include "ui/widgets/BCMenu.h"
#include <vector>

// Menu entries are cut to this many bytes of the ANSI code page.
constexpr int kVisitMenuTextLimit = 50;
// The most entries a menu has: the ids of its range.
constexpr size_t kVisitMenuMaxEntries = IDM_MOST_VISITED_LAST - IDM_MOST_VISITED_FIRST + 1;
static_assert(IDM_LATEST_VISITED_LAST - IDM_LATEST_VISITED_FIRST + 1 == kVisitMenuMaxEntries, "equal id ranges");

// Fills a new pop-up menu with one entry per record, in order: id baseId + i and the
// record's name shortened for the menu; records beyond the id range are left out. No
// records: an empty menu.
bool BuildVisitMenu(BCMenu& menu, const std::vector<FavorRecord>& records, UINT baseId);
// The record a command of such a menu stands for, or null when the id is outside it.
const FavorRecord* VisitMenuRecord(const std::vector<FavorRecord>& records, UINT baseId, UINT commandId);
