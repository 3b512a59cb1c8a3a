#include "ui/list_sort.h"

#include <algorithm>

namespace velnor {

int CompareNoCase(std::string_view a, std::string_view b) {
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

bool ListSort::NextSortDirection(int column) {
    if (column == sortColumn_) {
        sortAscending_ = !sortAscending_;
    } else {
        sortAscending_ = true;
        sortColumn_ = column;
    }
    return sortAscending_;
}

void ListSort::SortByColumn(int column, bool ascending) {
    if (column < 0 || column >= kMaxColumns) return;
    SortRows(column, ColumnTypeOf(column), ascending);
    ShowRowsReset();
}

}  // namespace velnor
