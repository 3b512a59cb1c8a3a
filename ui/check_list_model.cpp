#include "ui/check_list_model.h"

#include <algorithm>

namespace velnor {

bool HeaderState::IsOwnerDrawn(int column) const {
    return std::find(ownerDrawn.begin(), ownerDrawn.end(), column) != ownerDrawn.end();
}

int CompareNoCase(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char ca = static_cast<unsigned char>(a[i]);
        unsigned char cb = static_cast<unsigned char>(b[i]);
        if (ca >= 'A' && ca <= 'Z') ca = static_cast<unsigned char>(ca - 'A' + 'a');
        if (cb >= 'A' && cb <= 'Z') cb = static_cast<unsigned char>(cb - 'A' + 'a');
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

void CheckListModel::SetStyles(bool checkBoxes, bool fullRowSelect) {
    checkBoxes_ = checkBoxes;
    fullRowSelect_ = fullRowSelect;
    if (observer_) observer_->OnColumnsChanged();
}

void CheckListModel::InsertColumn(const std::string& heading, int width, ColumnAlign align) {
    columns_.push_back(ListColumn{heading, width, align});
    if (observer_) observer_->OnColumnsChanged();
}

void CheckListModel::InsertColumns(std::initializer_list<ColumnSpec> columns) {
    for (const ColumnSpec& column : columns) {
        SetColumnType(static_cast<int>(columns_.size()), column.type);
        InsertColumn(column.heading, column.width);
    }
}

void CheckListModel::SetColumnWidth(int column, int width) {
    if (column < 0 || column >= static_cast<int>(columns_.size())) return;
    columns_[column].width = width;
    if (observer_) observer_->OnColumnsChanged();
}

void CheckListModel::SetColumnType(int column, ColumnType type) {
    if (column >= 0 && column < kMaxColumns) columnTypes_[column] = type;
}

void CheckListModel::SetSmallImages(ImageStrip strip) {
    smallImages_ = strip;
    if (observer_) observer_->OnColumnsChanged();
}

void CheckListModel::SetHeaderImages(ImageStrip strip) {
    headerImages_ = strip;
    if (observer_) observer_->OnColumnsChanged();
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

void CheckListModel::SetSelected(int row, bool selected) {
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

int CheckListModel::FirstSelected() const {
    for (int row = 0; row < RowCount(); ++row)
        if (IsSelected(row)) return row;
    return -1;
}

void CheckListModel::SetHeaderCheckImage(int image) {
    header_.checkImage = image;
    if (observer_) observer_->OnHeaderChanged();
}

void CheckListModel::SetSortImage(int column, bool ascending, bool hideArrow) {
    header_.sortColumn = column;
    header_.sortAscending = ascending;
    header_.hideArrow = hideArrow;
    if (!header_.IsOwnerDrawn(column)) header_.ownerDrawn.push_back(column);
    if (observer_) observer_->OnHeaderChanged();
}

void CheckListModel::OnColumnClick(int column) {
    if (column == sortColumn_) {
        sortAscending_ = !sortAscending_;
    } else {
        sortAscending_ = true;
        sortColumn_ = column;
    }
    if (firstColumnIsData_) {
        if (column != 0) return;
    } else if (column == 0) {
        const int image = header_.checkImage == 1 ? 2 : 1;
        SetHeaderCheckImage(image);
        SetAllChecked(image == 1);
        RecountSelection();
        return;
    }
    SetSortImage(column, sortAscending_, false);
    SortByColumn(column, sortAscending_);
}

void CheckListModel::OnMouseButton(int x, int y) {
    if (!InCheckStrip(x, y)) return;
    RecountSelection();
    ShowHeaderCheckOfRows();
}

void CheckListModel::SortByColumn(int column, bool ascending) {
    if (column < 0 || column >= kMaxColumns) return;
    SortRows(column, columnTypes_[column], ascending);
    ShowRowsReset();
}

}  // namespace velnor
