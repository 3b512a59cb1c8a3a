#include "ui/check_list_model.h"

#include <algorithm>

namespace velnor {

CheckStrip CheckStrip::Over(const DisplayScale& scale, int columnLeft, int columnRight) {
    const CheckStrip base;
    CheckStrip strip;
    strip.left = columnLeft;
    strip.right = columnLeft + std::min(scale.Px(base.right), std::max(columnRight - columnLeft - 1, 0));
    strip.top = scale.Px(base.top);
    strip.bottom = scale.Px(base.bottom);
    return strip;
}

void CheckListModel::SetChecked(int row, bool checked) {
    if (!ValidRow(row) || IsChecked(row) == checked) return;
    StoreChecked(row, checked);
    ShowRowChanged(row);
}

void CheckListModel::SetAllChecked(bool checked) {
    for (int row = 0; row < RowCount(); ++row) StoreChecked(row, checked);
    ShowRowsReset();
}

bool CheckListModel::AllChecked() const {
    for (int row = 0; row < RowCount(); ++row)
        if (!IsChecked(row)) return false;
    return true;
}

void CheckListModel::OnColumnClick(int column) {
    const bool ascending = NextSortDirection(column);
    if (FirstColumnIsData()) {
        if (column != 0) return;
    } else if (column == 0) {
        const int image = HeaderCheckImage() == 1 ? 2 : 1;
        SetHeaderCheckImage(image);
        SetAllChecked(image == 1);
        RecountSelection();
        return;
    }
    SetSortImage(column, ascending, false);
    SortByColumn(column, ascending);
}

void CheckListModel::OnMouseButton(int x, int y) {
    if (!strip_.Holds(x, y)) return;
    RecountSelection();
    ShowHeaderCheckOfRows();
}

}  // namespace velnor
