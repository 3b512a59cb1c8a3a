#include "ui/list_model.h"

#include <algorithm>
#include <cstdlib>

namespace velnor {

namespace {
const std::string kEmpty;
}  // namespace

size_t ListModel::CellsPerRow() const { return std::max<size_t>(Columns().size(), 1); }

const std::string& ListModel::Cell(int row, int column) const {
    if (!ValidRow(row)) return kEmpty;
    const ListRow& r = rows_[row];
    if (column < 0 || column >= static_cast<int>(r.cells.size())) return kEmpty;
    return r.cells[column];
}

int ListModel::AppendItem(const std::string& text, int image) {
    ListRow row;
    row.cells.assign(CellsPerRow(), std::string());
    row.cells[0] = text;
    row.image = image;
    return InsertRow(RowCount(), std::move(row));
}

int ListModel::InsertRow(int index, ListRow row) {
    index = std::clamp(index, 0, RowCount());
    if (row.cells.size() < CellsPerRow()) row.cells.resize(CellsPerRow());
    const bool atEnd = index == RowCount();
    rows_.insert(rows_.begin() + index, std::move(row));
    if (atEnd)
        ShowRowsAppended(index, 1);
    else
        ShowRowsReset();
    return index;
}

void ListModel::SetCell(int row, int column, const std::string& text) {
    if (!ValidRow(row) || column < 0) return;
    ListRow& r = rows_[row];
    if (column >= static_cast<int>(r.cells.size())) r.cells.resize(column + 1);
    r.cells[column] = text;
    ShowRowChanged(row);
}

void ListModel::SetImage(int row, int image) {
    if (!ValidRow(row)) return;
    rows_[row].image = image;
    ShowRowChanged(row);
}

void ListModel::SetItemData(int row, intptr_t data) {
    if (ValidRow(row)) rows_[row].itemData = data;
}

void ListModel::DeleteRow(int row) {
    if (!ValidRow(row)) return;
    rows_.erase(rows_.begin() + row);
    ShowRowsReset();
}

void ListModel::DeleteAllRows() {
    rows_.clear();
    ShowRowsReset();
}

int CompareCellTexts(const std::string& a, const std::string& b, ColumnType type, const DateParser& dateParser) {
    switch (type) {
    case ColumnType::Text:
        return CompareNoCase(a, b);
    case ColumnType::Integer:
        return Order(LeadingInteger(a), LeadingInteger(b));
    case ColumnType::DateTime: {
        if (!dateParser) return 0;
        const std::optional<double> da = dateParser(a);
        const std::optional<double> db = dateParser(b);
        if (!da || !db) return 0;
        return Order(*da, *db);
    }
    case ColumnType::Real:
        return Order(std::atof(a.c_str()), std::atof(b.c_str()));
    }
    return 0;
}

void ListModel::SortRows(int column, ColumnType type, bool ascending) {
    std::stable_sort(rows_.begin(), rows_.end(), [&](const ListRow& x, const ListRow& y) {
        const std::string& a = column < static_cast<int>(x.cells.size()) ? x.cells[column] : kEmpty;
        const std::string& b = column < static_cast<int>(y.cells.size()) ? y.cells[column] : kEmpty;
        const int order = CompareCellTexts(a, b, type, dateParser_);
        return ascending ? order < 0 : order > 0;
    });
}

int64_t LeadingInteger(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    uint64_t value = 0;
    const uint64_t limit = negative ? static_cast<uint64_t>(INT64_MAX) + 1 : static_cast<uint64_t>(INT64_MAX);
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const unsigned digit = static_cast<unsigned>(text[i] - '0');
        if (value > (limit - digit) / 10) {
            value = limit;
            break;
        }
        value = value * 10 + digit;
    }
    if (negative) return value == limit ? INT64_MIN : -static_cast<int64_t>(value);
    return static_cast<int64_t>(value);
}

}  // namespace velnor
