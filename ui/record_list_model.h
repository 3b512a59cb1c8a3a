#pragma once
#include <algorithm>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

#include "profile/record_list.h"
#include "ui/check_list_model.h"
#include "ui/list_model.h"

namespace velnor {

// The list view's model of a list of records: it shows the records and keeps
// what only the view has (the selection, the sort, the heading), so the list
// view cannot show anything that the records do not hold. A change made to the
// records reaches the view through the listener. A record type gives its texts
// and image through these free functions, found by argument-dependent lookup:
//   std::string RecordCell(const Record&, int column);
//   int RecordImage(const Record&);
//   std::optional<int> RecordOrder(const Record&, const Record&, int column);
// Sorting compares what RecordOrder gives, or where it gives nothing the texts
// shown, by the column's kind, as for any list.
template <typename Record>
class RecordListModel : public CheckListModel, private RecordListListener {
public:
    explicit RecordListModel(RecordList<Record>& records) : records_(records), selected_(records.RowCount(), false) {
        records_.SetListener(this);
    }
    ~RecordListModel() override {
        if (records_.Listener() == this) records_.SetListener(nullptr);
    }
    RecordListModel(const RecordListModel&) = delete;
    RecordListModel& operator=(const RecordListModel&) = delete;

    RecordList<Record>& Records() const { return records_; }
    const Record& At(int row) const { return records_.At(row); }

    int RowCount() const override { return records_.RowCount(); }
    std::string CellText(int row, int column) const override {
        return ValidRow(row) ? RecordCell(records_.At(row), column) : std::string();
    }
    int RowImage(int row) const override { return ValidRow(row) ? RecordImage(records_.At(row)) : 0; }
    bool IsChecked(int row) const override { return records_.IsChecked(row); }
    bool IsSelected(int row) const override { return ValidRow(row) && selected_[row]; }

protected:
    void StoreChecked(int row, bool checked) override {
        const bool wasQuiet = quiet_;
        quiet_ = true;
        records_.SetChecked(row, checked);
        quiet_ = wasQuiet;
    }
    void StoreSelected(int row, bool selected) override { selected_[row] = selected; }
    void SortRows(int column, ColumnType type, bool ascending) override {
        std::vector<int> order(selected_.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
            const std::optional<int> typed = RecordOrder(records_.At(x), records_.At(y), column);
            const int o = typed ? *typed : CompareCellTexts(CellText(x, column), CellText(y, column), type, DateParser());
            return ascending ? o < 0 : o > 0;
        });
        quiet_ = true;
        records_.Reorder(order);
        quiet_ = false;
    }

private:
    void OnRecordInserted(int row) override {
        selected_.insert(selected_.begin() + row, false);
        if (row == RowCount() - 1)
            ShowRowsAppended(row, 1);
        else
            ShowRowsReset();
    }
    void OnRecordDeleted(int row) override {
        selected_.erase(selected_.begin() + row);
        ShowRowsReset();
    }
    void OnRecordChanged(int row) override {
        if (!quiet_) ShowRowChanged(row);
    }
    void OnRecordsReplaced() override {
        selected_.assign(static_cast<size_t>(RowCount()), false);
        ShowRowsReset();
    }
    void OnRecordsReordered(const std::vector<int>& order) override {
        std::vector<bool> selected;
        selected.reserve(order.size());
        for (int from : order) selected.push_back(selected_[from]);
        selected_.swap(selected);
        if (!quiet_) ShowRowsReset();
    }

    RecordList<Record>& records_;
    std::vector<bool> selected_;  // the view's own: the records know no selection
    bool quiet_ = false;  // set while this model changes the records itself
};

}  // namespace velnor
