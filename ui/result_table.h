#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/check_list_model.h"

namespace velnor {

class Control;

// One hit of the scan: one row of the result list.
struct JunkItem {
    std::string name;
    std::string path;  // the full path, name included
    uint64_t size = 0;
    uint64_t modified = 0;  // last-write time: 100-nanosecond intervals since 1601-01-01, UTC
    bool checked = true;
    bool selected = false;
};

// Columns of the result list.
namespace result_col {
constexpr int kName = 1;
constexpr int kLocation = 2;
constexpr int kSize = 3;
constexpr int kModified = 4;
}  // namespace result_col

// The last-write time as the "Modified" column shows it.
using TimeFormatter = std::function<std::string(uint64_t)>;

// The rows of the result list as data. The list view asks for the texts of the
// rows it paints and they are made from the data then; removal and the totals
// read the sizes and paths themselves.
class ResultTable : public CheckListModel {
public:
    int RowCount() const override { return static_cast<int>(items_.size()); }
    std::string CellText(int row, int column) const override;
    int RowImage(int) const override { return 0; }
    bool IsChecked(int row) const override { return ValidRow(row) && items_[row].checked; }
    bool IsSelected(int row) const override { return ValidRow(row) && items_[row].selected; }

    const JunkItem& Item(int row) const { return items_[row]; }
    // Appends rows at the end in one step; takes them out of `items`.
    void Append(std::vector<JunkItem>& items);
    void Append(JunkItem item);
    // Takes the first `count` rows off the list in one step, all but the rows
    // named in `kept` (in ascending order), which stay at the top.
    void EraseFront(int count, const std::vector<int>& kept = {});
    void Clear();

    void SetTimeFormatter(TimeFormatter format) { formatTime_ = std::move(format); }

    // Links the selected totals to the dialog's counters and texts.
    void LinkTotals(uint32_t* selectedCount, uint64_t* selectedSize, Control* filesText, Control* sizeText);
    bool TotalsLinked() const;
    void RecountSelection() override;

protected:
    void StoreChecked(int row, bool checked) override { items_[row].checked = checked; }
    void StoreSelected(int row, bool selected) override { items_[row].selected = selected; }
    void SortRows(int column, ColumnType type, bool ascending) override;

private:
    std::vector<JunkItem> items_;
    TimeFormatter formatTime_;
    int totalsLinked_ = 0;
    uint32_t* selectedCount_ = nullptr;
    uint64_t* selectedSize_ = nullptr;
    Control* selectedFilesText_ = nullptr;
    Control* selectedSizeText_ = nullptr;
};

// Texts of the selected totals.
std::string SelectedFilesText(uint32_t count);
std::string SelectedSizeText(uint64_t bytes);

}  // namespace velnor
