#include "ui/ColumnLayout.h"
#include <algorithm>

int PositionOf(const ColumnOrder& order, int column) {
    const auto it = std::find(order.begin(), order.end(), column);
    return it == order.end() ? -1 : static_cast<int>(it - order.begin());
}

ColumnOrder MoveColumn(const ColumnOrder& order, int column, int position) {
    ColumnOrder out = order;
    const int from = PositionOf(out, column);
    if (from < 0) return out;
    out.erase(out.begin() + from);
    position = std::clamp(position, 0, static_cast<int>(out.size()));
    out.insert(out.begin() + position, column);
    return out;
}

int HiddenCount(const std::vector<bool>& visible) {
    return static_cast<int>(std::count(visible.begin(), visible.end(), false));
}

ColumnOrder OrderAfterHide(const ColumnOrder& order, int column) { return MoveColumn(order, column, 0); }

ColumnOrder OrderAfterShow(const ColumnOrder& order, const std::vector<bool>& visible, int column,
                           int savedPosition) {
    return MoveColumn(order, column, std::max(savedPosition, HiddenCount(visible)));
}

ColumnOrder NameFirstVisible(const ColumnOrder& order, const std::vector<bool>& visible) {
    const int target = HiddenCount(visible);
    return PositionOf(order, 0) > target ? MoveColumn(order, 0, target) : order;
}

int DropPosition(const std::vector<bool>& visible, int column, int position) {
    if (column < 0 || column >= static_cast<int>(visible.size()) || !visible[column]) return position;
    return std::max(position, HiddenCount(visible));
}
