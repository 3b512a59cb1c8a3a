#pragma once
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "ui/list_model.h"

namespace velnor {

// A list whose rows are records of one type. The list view asks for the texts
// of the rows it paints and they are made from the record then, so the list
// cannot show anything that its records do not hold. A record type gives its
// texts, image and check box through these free functions, found by argument-
// dependent lookup:
//   std::string RecordCell(const Record&, int column);
//   int RecordImage(const Record&);
//   bool RecordChecked(const Record&);
//   void SetRecordChecked(Record&, bool);
// Sorting compares the texts shown, by the column's kind, as for any list.
template <typename Record>
class RecordTable : public CheckListModel {
public:
    int RowCount() const override { return static_cast<int>(rows_.size()); }
    std::string CellText(int row, int column) const override {
        return ValidRow(row) ? RecordCell(rows_[row].record, column) : std::string();
    }
    int RowImage(int row) const override { return ValidRow(row) ? RecordImage(rows_[row].record) : 0; }
    bool IsChecked(int row) const override { return ValidRow(row) && RecordChecked(rows_[row].record); }
    bool IsSelected(int row) const override { return ValidRow(row) && rows_[row].selected; }

    const Record& At(int row) const { return rows_[row].record; }

    int InsertRow(int index, Record record) {
        index = std::clamp(index, 0, RowCount());
        const bool atEnd = index == RowCount();
        rows_.insert(rows_.begin() + index, Row{std::move(record), false});
        if (atEnd)
            ShowRowsAppended(index, 1);
        else
            ShowRowsReset();
        return index;
    }
    int AppendRow(Record record) { return InsertRow(RowCount(), std::move(record)); }
    void DeleteRow(int row) {
        if (!ValidRow(row)) return;
        rows_.erase(rows_.begin() + row);
        ShowRowsReset();
    }
    void DeleteAllRows() {
        rows_.clear();
        ShowRowsReset();
    }

protected:
    void StoreChecked(int row, bool checked) override { SetRecordChecked(rows_[row].record, checked); }
    void StoreSelected(int row, bool selected) override { rows_[row].selected = selected; }
    void SortRows(int column, ColumnType type, bool ascending) override {
        std::stable_sort(rows_.begin(), rows_.end(), [&](const Row& x, const Row& y) {
            const int order = CompareCellTexts(RecordCell(x.record, column), RecordCell(y.record, column), type,
                                               DateParser());
            return ascending ? order < 0 : order > 0;
        });
    }

private:
    struct Row {
        Record record;
        bool selected = false;
    };
    std::vector<Row> rows_;
};

}  // namespace velnor
