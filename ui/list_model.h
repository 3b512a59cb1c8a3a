#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/check_list_model.h"

namespace velnor {

struct ListRow {
    std::vector<std::string> cells;  // one per column; cells[0] is the first column
    bool checked = false;
    bool selected = false;
    int image = 0;
    intptr_t itemData = 0;
};

// Turns a date-time text into a comparable number (the platform's locale-aware
// parser); empty when the text is no date.
using DateParser = std::function<std::optional<double>(const std::string&)>;

// A list whose rows are texts: the cookies by site.
// Sorting compares the texts by the column's kind.
class ListModel : public CheckListModel {
public:
    int RowCount() const override { return static_cast<int>(rows_.size()); }
    std::string CellText(int row, int column) const override { return Cell(row, column); }
    int RowImage(int row) const override { return ValidRow(row) ? rows_[row].image : 0; }
    bool IsChecked(int row) const override { return ValidRow(row) && rows_[row].checked; }
    bool IsSelected(int row) const override { return ValidRow(row) && rows_[row].selected; }

    const ListRow& Row(int row) const { return rows_[row]; }
    const std::vector<ListRow>& Rows() const { return rows_; }
    const std::string& Cell(int row, int column) const;
    int AppendItem(const std::string& text, int image);
    int InsertRow(int index, ListRow row);
    void SetCell(int row, int column, const std::string& text);
    void SetImage(int row, int image);
    void SetItemData(int row, intptr_t data);
    void DeleteRow(int row);
    void DeleteAllRows();

    void SetDateParser(DateParser parser) { dateParser_ = std::move(parser); }

protected:
    void StoreChecked(int row, bool checked) override { rows_[row].checked = checked; }
    void StoreSelected(int row, bool selected) override { rows_[row].selected = selected; }
    void SortRows(int column, ColumnType type, bool ascending) override;

private:
    size_t CellsPerRow() const;

    std::vector<ListRow> rows_;
    DateParser dateParser_;
};

// The order of two cell texts by their column's kind; a date column without a
// parser, or a text that is no date, leaves the two in place.
int CompareCellTexts(const std::string& a, const std::string& b, ColumnType type, const DateParser& dateParser);

// Number written at the start of a text: optional sign, then decimal digits.
// Saturates instead of overflowing.
int64_t LeadingInteger(const std::string& text);

}  // namespace velnor
