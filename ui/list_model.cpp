#include "ui/list_model.h"

#include <algorithm>
#include <cstdlib>

#include "ui/control_model.h"
#include "ui/size_text.h"

namespace velnor {

namespace {

const std::string kEmpty;

int CompareNoCase(const std::string& a, const std::string& b) {
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

template <typename T>
int Order(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

bool HeaderState::IsOwnerDrawn(int column) const {
    return std::find(ownerDrawn.begin(), ownerDrawn.end(), column) != ownerDrawn.end();
}

void ListModel::SetStyles(bool checkBoxes, bool fullRowSelect) {
    checkBoxes_ = checkBoxes;
    fullRowSelect_ = fullRowSelect;
    if (observer_) observer_->OnColumnsChanged();
}

void ListModel::InsertColumn(const std::string& heading, int width, ColumnAlign align) {
    columns_.push_back(ListColumn{heading, width, align});
    for (ListRow& row : rows_) row.cells.resize(columns_.size());
    if (observer_) observer_->OnColumnsChanged();
}

void ListModel::SetColumnWidth(int column, int width) {
    if (column < 0 || column >= static_cast<int>(columns_.size())) return;
    columns_[column].width = width;
    if (observer_) observer_->OnColumnsChanged();
}

void ListModel::SetColumnType(int column, ColumnType type) {
    if (column >= 0 && column < kMaxColumns) columnTypes_[column] = type;
}

void ListModel::SetSmallImages(ImageStrip strip) {
    smallImages_ = strip;
    if (observer_) observer_->OnColumnsChanged();
}

void ListModel::SetHeaderImages(ImageStrip strip) {
    headerImages_ = strip;
    if (observer_) observer_->OnColumnsChanged();
}

const std::string& ListModel::Cell(int row, int column) const {
    if (row < 0 || row >= RowCount()) return kEmpty;
    const ListRow& r = rows_[row];
    if (column < 0 || column >= static_cast<int>(r.cells.size())) return kEmpty;
    return r.cells[column];
}

int ListModel::AppendItem(const std::string& text, int image) {
    ListRow row;
    row.cells.assign(std::max<size_t>(columns_.size(), 1), std::string());
    row.cells[0] = text;
    row.image = image;
    return InsertRow(RowCount(), std::move(row));
}

int ListModel::InsertRow(int index, ListRow row) {
    index = std::clamp(index, 0, RowCount());
    if (row.cells.size() < std::max<size_t>(columns_.size(), 1)) row.cells.resize(std::max<size_t>(columns_.size(), 1));
    rows_.insert(rows_.begin() + index, std::move(row));
    if (observer_) observer_->OnRowInserted(index);
    return index;
}

int ListModel::AppendRows(std::vector<ListRow> rows) {
    const int first = RowCount();
    if (rows.empty()) return first;
    const size_t cells = std::max<size_t>(columns_.size(), 1);
    for (ListRow& row : rows) {
        if (row.cells.size() < cells) row.cells.resize(cells);
        rows_.push_back(std::move(row));
    }
    if (observer_) observer_->OnRowsAppended(first, static_cast<int>(rows.size()));
    return first;
}

void ListModel::FinishAppending() {
    if (observer_) observer_->OnAppendsFinished();
}

void ListModel::SetCell(int row, int column, const std::string& text) {
    if (row < 0 || row >= RowCount() || column < 0) return;
    ListRow& r = rows_[row];
    if (column >= static_cast<int>(r.cells.size())) r.cells.resize(column + 1);
    r.cells[column] = text;
    if (observer_) observer_->OnRowChanged(row);
}

void ListModel::SetImage(int row, int image) {
    if (row < 0 || row >= RowCount()) return;
    rows_[row].image = image;
    if (observer_) observer_->OnRowChanged(row);
}

void ListModel::SetItemData(int row, intptr_t data) {
    if (row < 0 || row >= RowCount()) return;
    rows_[row].itemData = data;
}

void ListModel::SetChecked(int row, bool checked) {
    if (row < 0 || row >= RowCount() || rows_[row].checked == checked) return;
    rows_[row].checked = checked;
    if (observer_) observer_->OnRowChanged(row);
}

void ListModel::SetAllChecked(bool checked) {
    for (ListRow& row : rows_) row.checked = checked;
    if (observer_) observer_->OnRowsReset();
}

bool ListModel::AllChecked() const {
    return std::all_of(rows_.begin(), rows_.end(), [](const ListRow& r) { return r.checked; });
}

void ListModel::SetSelected(int row, bool selected) {
    if (row < 0 || row >= RowCount() || rows_[row].selected == selected) return;
    if (selected) {
        // Single selection: choosing a row clears the others.
        for (int i = 0; i < RowCount(); ++i) {
            if (i != row && rows_[i].selected) {
                rows_[i].selected = false;
                if (observer_) observer_->OnRowChanged(i);
            }
        }
    }
    rows_[row].selected = selected;
    if (observer_) observer_->OnRowChanged(row);
}

int ListModel::FirstSelected() const {
    for (int i = 0; i < RowCount(); ++i)
        if (rows_[i].selected) return i;
    return -1;
}

void ListModel::DeleteRow(int row) {
    if (row < 0 || row >= RowCount()) return;
    rows_.erase(rows_.begin() + row);
    if (observer_) observer_->OnRowDeleted(row);
}

void ListModel::DeleteAllRows() {
    rows_.clear();
    if (observer_) observer_->OnRowsReset();
}

void ListModel::SetHeaderCheckImage(int image) {
    header_.checkImage = image;
    if (observer_) observer_->OnHeaderChanged();
}

void ListModel::SetSortImage(int column, bool ascending, bool hideArrow) {
    header_.sortColumn = column;
    header_.sortAscending = ascending;
    header_.hideArrow = hideArrow;
    if (!header_.IsOwnerDrawn(column)) header_.ownerDrawn.push_back(column);
    if (observer_) observer_->OnHeaderChanged();
}

void ListModel::OnColumnClick(int column) {
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
        if (TotalsLinked()) RecountSelection();
        return;
    }
    SetSortImage(column, sortAscending_, false);
    SortByColumn(column, sortAscending_);
}

void ListModel::OnMouseButton(int x, int y) {
    if (!InCheckStrip(x, y)) return;
    if (TotalsLinked()) RecountSelection();
    SetHeaderCheckImage(AllChecked() ? 1 : 2);
}

void ListModel::LinkTotals(uint32_t* selectedCount, uint64_t* selectedSize, Control* filesText,
                           Control* sizeText) {
    selectedCount_ = selectedCount;
    selectedSize_ = selectedSize;
    selectedFilesText_ = filesText;
    selectedSizeText_ = sizeText;
    totalsLinked_ = 1;
}

bool ListModel::TotalsLinked() const {
    return totalsLinked_ != 0 && selectedFilesText_ && selectedSizeText_ && selectedCount_ && selectedSize_;
}

void ListModel::RecountSelection() {
    if (!TotalsLinked()) return;
    *selectedCount_ = 0;
    *selectedSize_ = 0;
    for (const ListRow& row : rows_) {
        if (!row.checked) continue;
        *selectedSize_ += ParseByteCount(row.cells.size() > 3 ? row.cells[3] : kEmpty);
        *selectedCount_ += 1;
    }
    selectedFilesText_->SetText(SelectedFilesText(*selectedCount_));
    selectedSizeText_->SetText(SelectedSizeText(*selectedSize_));
}

int ListModel::Compare(const std::string& a, const std::string& b, ColumnType type) const {
    switch (type) {
    case ColumnType::Text:
        return CompareNoCase(a, b);
    case ColumnType::Integer:
        return Order(LeadingInteger(a), LeadingInteger(b));
    case ColumnType::DateTime: {
        if (!dateParser_) return 0;
        const std::optional<double> da = dateParser_(a);
        const std::optional<double> db = dateParser_(b);
        if (!da || !db) return 0;
        return Order(*da, *db);
    }
    case ColumnType::Real:
        return Order(std::atof(a.c_str()), std::atof(b.c_str()));
    }
    return 0;
}

void ListModel::SortByColumn(int column, bool ascending) {
    if (column < 0 || column >= kMaxColumns) return;
    const ColumnType type = columnTypes_[column];
    std::stable_sort(rows_.begin(), rows_.end(), [&](const ListRow& x, const ListRow& y) {
        const std::string& a = column < static_cast<int>(x.cells.size()) ? x.cells[column] : kEmpty;
        const std::string& b = column < static_cast<int>(y.cells.size()) ? y.cells[column] : kEmpty;
        const int order = Compare(a, b, type);
        return ascending ? order < 0 : order > 0;
    });
    if (observer_) observer_->OnRowsReset();
}

std::string SelectedFilesText(uint32_t count) { return "Selected Files: " + DecimalText(count); }
std::string SelectedSizeText(uint64_t bytes) { return "Selected Size:  " + SizeText(bytes); }

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

uint64_t ParseByteCount(const std::string& text) {
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value;
}

}  // namespace velnor
