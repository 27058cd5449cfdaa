// Display order of the favorites list's columns while some are hidden: hidden
// columns gather at the left with no width, "Name" (column 0) is the first visible
// one, and a visible column never goes in front of a hidden one.
// An order lists column indexes from left to right.
#pragma once
#include <vector>

using ColumnOrder = std::vector<int>;

// Moves `column` to display position `position` (clamped).
ColumnOrder MoveColumn(const ColumnOrder& order, int column, int position);
int PositionOf(const ColumnOrder& order, int column);
int HiddenCount(const std::vector<bool>& visible);

// Hiding: the column goes to the far left.
ColumnOrder OrderAfterHide(const ColumnOrder& order, int column);
// Showing (visible already updated): back towards its remembered position, but not in
// front of the hidden columns.
ColumnOrder OrderAfterShow(const ColumnOrder& order, const std::vector<bool>& visible, int column, int savedPosition);
// "Name" moved left past every visible column, so that it is the first visible one.
ColumnOrder NameFirstVisible(const ColumnOrder& order, const std::vector<bool>& visible);
// Where a visible column the user dragged to `position` really goes.
int DropPosition(const std::vector<bool>& visible, int column, int position);
