#include "ui/list_sort.h"

#include <algorithm>

namespace velnor {

int CompareNoCase(std::string_view a1, std::string_view a2, std::string_view b1, std::string_view b2) {
    const auto at = [](std::string_view first, std::string_view second, size_t i) {
        unsigned char c = static_cast<unsigned char>(i < first.size() ? first[i] : second[i - first.size()]);
        if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
        return c;
    };
    const size_t a = a1.size() + a2.size(), b = b1.size() + b2.size();
    const size_t n = std::min(a, b);
    for (size_t i = 0; i < n; ++i) {
        const unsigned char ca = at(a1, a2, i), cb = at(b1, b2, i);
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a == b) return 0;
    return a < b ? -1 : 1;
}

int CompareNoCase(std::string_view a, std::string_view b) { return CompareNoCase(a, {}, b, {}); }

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
