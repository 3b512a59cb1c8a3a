#include "ui/list_selection.h"

namespace velnor {

void ListSelection::SetSelected(int row, bool selected) {
    if (!ValidRow(row) || IsSelected(row) == selected) return;
    if (selected) {
        for (int other = 0; other < RowCount(); ++other) {
            if (other != row && IsSelected(other)) {
                StoreSelected(other, false);
                ShowRowChanged(other);
            }
        }
    }
    StoreSelected(row, selected);
    ShowRowChanged(row);
}

int ListSelection::FirstSelected() const {
    for (int row = 0; row < RowCount(); ++row)
        if (IsSelected(row)) return row;
    return -1;
}

}  // namespace velnor
