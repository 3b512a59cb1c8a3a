#pragma once
#include <string_view>

#include "ui/list_layout.h"

namespace velnor {

// The order of a list's rows: the column it was last sorted by and which way,
// each column compared by its kind.
class ListSort : public ListLayout {
public:
    int SortColumn() const { return sortColumn_; }
    bool SortAscending() const { return sortAscending_; }
    // A click on a heading: the same column again turns the direction over,
    // another column sorts ascending. Gives the direction to sort in.
    bool NextSortDirection(int column);
    void SortByColumn(int column, bool ascending);

protected:
    // Reorders the rows by a column, stably; rows keep their check boxes.
    virtual void SortRows(int column, ColumnType type, bool ascending) = 0;

private:
    int sortColumn_ = -1;
    bool sortAscending_ = true;
};

// Case-insensitive order of two texts; only A to Z are folded.
int CompareNoCase(std::string_view a, std::string_view b);
// The same for two texts each held in two parts (a1 a2 against b1 b2).
int CompareNoCase(std::string_view a1, std::string_view a2, std::string_view b1, std::string_view b2);

template <typename T>
int Order(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace velnor
