#include "ui/list_layout.h"

#include <algorithm>

namespace velnor {

bool HeaderState::IsOwnerDrawn(int column) const {
    return std::find(ownerDrawn.begin(), ownerDrawn.end(), column) != ownerDrawn.end();
}

void ListLayout::SetStyles(bool checkBoxes, bool fullRowSelect) {
    checkBoxes_ = checkBoxes;
    fullRowSelect_ = fullRowSelect;
    ShowColumnsChanged();
}

void ListLayout::InsertColumn(const std::string& heading, int width, ColumnAlign align) {
    columns_.push_back(ListColumn{heading, width, align});
    ShowColumnsChanged();
}

void ListLayout::InsertColumns(std::initializer_list<ColumnSpec> columns) {
    for (const ColumnSpec& column : columns) {
        SetColumnType(static_cast<int>(columns_.size()), column.type);
        InsertColumn(column.heading, column.width);
    }
}

void ListLayout::SetColumnWidth(int column, int width) {
    if (column < 0 || column >= static_cast<int>(columns_.size())) return;
    columns_[column].width = width;
    ShowColumnsChanged();
}

void ListLayout::SetColumnType(int column, ColumnType type) {
    if (column >= 0 && column < kMaxColumns) columnTypes_[column] = type;
}

ColumnType ListLayout::ColumnTypeOf(int column) const {
    return column >= 0 && column < kMaxColumns ? columnTypes_[column] : ColumnType::Text;
}

void ListLayout::SetSmallImages(ImageStrip strip) {
    smallImages_ = strip;
    ShowColumnsChanged();
}

void ListLayout::SetHeaderImages(ImageStrip strip) {
    headerImages_ = strip;
    ShowColumnsChanged();
}

void ListLayout::SetHeader(const HeaderState& header) {
    header_ = header;
    ShowHeaderChanged();
}

void ListLayout::SetHeaderCheckImage(int image) {
    header_.checkImage = image;
    ShowHeaderChanged();
}

void ListLayout::SetSortImage(int column, bool ascending, bool hideArrow) {
    header_.sortColumn = column;
    header_.sortAscending = ascending;
    header_.hideArrow = hideArrow;
    if (!header_.IsOwnerDrawn(column)) header_.ownerDrawn.push_back(column);
    ShowHeaderChanged();
}

}  // namespace velnor
