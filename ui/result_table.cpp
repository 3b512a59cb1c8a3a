#include "ui/result_table.h"

#include <algorithm>

#include "ui/control_model.h"
#include "ui/size_text.h"

namespace velnor {

ResultTable::ResultTable(FoundFiles& found) : found_(found) { found_.SetListener(this); }

ResultTable::~ResultTable() { found_.SetListener(nullptr); }

std::string ResultTable::CellText(int row, int column) const {
    if (!found_.Valid(row)) return std::string();
    const FoundFile item = found_.At(row);
    switch (column) {
    case result_col::kName:
        return std::string(item.Name());
    case result_col::kLocation:
        return item.Path();
    case result_col::kSize:
        return DecimalText(item.size);
    case result_col::kModified:
        return formatTime_ ? formatTime_(item.modified) : std::string();
    default:
        return std::string();
    }
}

void ResultTable::StoreChecked(int row, bool checked) {
    storing_ = true;
    found_.SetChecked(row, checked);
    storing_ = false;
}

void ResultTable::StoreSelected(int row, bool selected) {
    if (selected)
        selectedRow_ = row;
    else if (row == selectedRow_)
        selectedRow_ = -1;
}

// Rows taken off or cleared leave no selection behind; a sort moves it with
// its row (SortRows).
void ResultTable::OnFilesReset() {
    if (!sorting_) selectedRow_ = -1;
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
    *selectedCount_ = found_.CheckedCount();
    *selectedSize_ = found_.CheckedSize();
    selectedFilesText_->SetText(SelectedFilesText(*selectedCount_));
    selectedSizeText_->SetText(SelectedSizeText(*selectedSize_));
}

// Each column of the result list holds one kind of data, compared as what it
// is: names and paths as texts, sizes as numbers, times as times.
void ResultTable::SortRows(int column, ColumnType, bool ascending) {
    auto order = [column](const FoundFile& a, const FoundFile& b) {
        switch (column) {
        case result_col::kName:
            return CompareNoCase(a.Name(), b.Name());
        case result_col::kLocation:
            return a.folder.data() == b.folder.data() ? CompareNoCase(a.name, b.name)
                                                      : CompareNoCase(a.folder, a.name, b.folder, b.name);
        case result_col::kSize:
            return Order(a.size, b.size);
        case result_col::kModified:
            return Order(a.modified, b.modified);
        default:
            return 0;
        }
    };
    sorting_ = true;
    const std::vector<int> was = found_.Sort([&](const FoundFile& a, const FoundFile& b) {
        const int o = order(a, b);
        return ascending ? o < 0 : o > 0;
    });
    sorting_ = false;
    if (selectedRow_ >= 0) selectedRow_ = static_cast<int>(std::find(was.begin(), was.end(), selectedRow_) - was.begin());
}

std::string SelectedFilesText(uint32_t count) { return "Selected Files: " + DecimalText(count); }
std::string SelectedSizeText(uint64_t bytes) { return "Selected Size:  " + SizeText(bytes); }

}  // namespace velnor
