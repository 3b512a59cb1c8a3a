#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "scan/found_files.h"
#include "ui/check_list_model.h"

namespace velnor {

class Control;

// Columns of the result list.
namespace result_col {
constexpr int kName = 1;
constexpr int kLocation = 2;
constexpr int kSize = 3;
constexpr int kModified = 4;
}  // namespace result_col

// The last-write time as the "Modified" column shows it.
using TimeFormatter = std::function<std::string(uint64_t)>;

// The result list's view of the found files. The list view asks for the texts
// of the rows it paints and they are made from the files then; the files keep
// their checks and totals, the view its selection and the selected totals
// that the Scan page shows.
class ResultTable : public CheckListModel, private FoundFilesListener {
public:
    explicit ResultTable(FoundFiles& found);
    ~ResultTable() override;
    ResultTable(const ResultTable&) = delete;
    ResultTable& operator=(const ResultTable&) = delete;

    int RowCount() const override { return found_.Count(); }
    std::string CellText(int row, int column) const override;
    int RowImage(int) const override { return 0; }
    bool IsChecked(int row) const override { return found_.Valid(row) && found_.At(row).checked; }
    bool IsSelected(int row) const override { return found_.Valid(row) && row == selectedRow_; }

    FoundFile Item(int row) const { return found_.At(row); }
    const FoundFiles& Found() const { return found_; }

    void SetTimeFormatter(TimeFormatter format) { formatTime_ = std::move(format); }

    // Links the selected totals to the dialog's counters and texts.
    void LinkTotals(uint32_t* selectedCount, uint64_t* selectedSize, Control* filesText, Control* sizeText);
    bool TotalsLinked() const;
    void RecountSelection() override;

protected:
    void StoreChecked(int row, bool checked) override;
    void StoreSelected(int row, bool selected) override;
    void SortRows(int column, ColumnType type, bool ascending) override;

private:
    void OnFilesAppended(int first, int count) override { ShowRowsAppended(first, count); }
    void OnFilesReset() override;
    void OnFileChanged(int row) override {
        if (!storing_) ShowRowChanged(row);
    }

    FoundFiles& found_;
    int selectedRow_ = -1;
    bool sorting_ = false;
    bool storing_ = false;  // a check changed through this view, which shows it itself
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
