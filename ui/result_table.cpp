#include "ui/result_table.h"

#include <algorithm>

#include "ui/control_model.h"
#include "ui/size_text.h"

namespace velnor {

std::string ResultTable::CellText(int row, int column) const {
    if (!ValidRow(row)) return std::string();
    const JunkItem& item = items_[row];
    switch (column) {
    case result_col::kName:
        return item.name;
    case result_col::kLocation:
        return item.path;
    case result_col::kSize:
        return DecimalText(item.size);
    case result_col::kModified:
        return formatTime_ ? formatTime_(item.modified) : std::string();
    default:
        return std::string();
    }
}

void ResultTable::Append(std::vector<JunkItem>& items) {
    if (items.empty()) return;
    const int first = RowCount();
    items_.insert(items_.end(), std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()));
    items.clear();
    ShowRowsAppended(first, RowCount() - first);
}

void ResultTable::Append(JunkItem item) {
    std::vector<JunkItem> one;
    one.push_back(std::move(item));
    Append(one);
}

void ResultTable::EraseFront(int count, const std::vector<int>& kept) {
    count = std::clamp(count, 0, RowCount());
    if (count == 0) return;
    std::vector<JunkItem> keptItems;
    keptItems.reserve(kept.size());
    for (int row : kept)
        if (row >= 0 && row < count) keptItems.push_back(std::move(items_[row]));
    items_.erase(items_.begin(), items_.begin() + count);
    items_.insert(items_.begin(), std::make_move_iterator(keptItems.begin()), std::make_move_iterator(keptItems.end()));
    ShowRowsReset();
}

void ResultTable::Clear() {
    // Gives the memory back too: a big scan's rows are not kept for the next.
    std::vector<JunkItem>().swap(items_);
    ShowRowsReset();
}

void ResultTable::LinkTotals(uint32_t* selectedCount, uint64_t* selectedSize, Control* filesText,
                             Control* sizeText) {
    selectedCount_ = selectedCount;
    selectedSize_ = selectedSize;
    selectedFilesText_ = filesText;
    selectedSizeText_ = sizeText;
    totalsLinked_ = 1;
}

bool ResultTable::TotalsLinked() const {
    return totalsLinked_ != 0 && selectedFilesText_ && selectedSizeText_ && selectedCount_ && selectedSize_;
}

void ResultTable::RecountSelection() {
    if (!TotalsLinked()) return;
    *selectedCount_ = 0;
    *selectedSize_ = 0;
    for (const JunkItem& item : items_) {
        if (!item.checked) continue;
        *selectedSize_ += item.size;
        *selectedCount_ += 1;
    }
    selectedFilesText_->SetText(SelectedFilesText(*selectedCount_));
    selectedSizeText_->SetText(SelectedSizeText(*selectedSize_));
}

// Each column of the result list holds one kind of data, compared as what it
// is: names and paths as texts, sizes as numbers, times as times.
void ResultTable::SortRows(int column, ColumnType, bool ascending) {
    auto order = [column](const JunkItem& a, const JunkItem& b) {
        switch (column) {
        case result_col::kName:
            return CompareNoCase(a.name, b.name);
        case result_col::kLocation:
            return CompareNoCase(a.path, b.path);
        case result_col::kSize:
            return Order(a.size, b.size);
        case result_col::kModified:
            return Order(a.modified, b.modified);
        default:
            return 0;
        }
    };
    std::stable_sort(items_.begin(), items_.end(), [&](const JunkItem& a, const JunkItem& b) {
        const int o = order(a, b);
        return ascending ? o < 0 : o > 0;
    });
}

std::string SelectedFilesText(uint32_t count) { return "Selected Files: " + DecimalText(count); }
std::string SelectedSizeText(uint64_t bytes) { return "Selected Size:  " + SizeText(bytes); }

}  // namespace velnor
