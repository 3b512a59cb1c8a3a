#include "ui/check_list_model.h"

namespace velnor {

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
    if (!InCheckStrip(x, y)) return;
    RecountSelection();
    ShowHeaderCheckOfRows();
}

}  // namespace velnor
