#include "app/profile_store.h"

#include "profile/defaults.h"

namespace velnor {

void ProfileStore::FillDefaultFilters() {
    FilterTable& filters = profile_.filters;
    lists_.filters.SetSortImage(filter_col::kPattern, true, true);
    filters.DeleteAllRows();
    for (const DefaultFilter& f : kDefaultFilters) AddFilterRow(filters, f.pattern, f.description, f.checked, f.type);
    // The table holds unchecked rows.
    lists_.filters.SetHeaderCheckImage(kHeaderSomeUnchecked);
}

void ProfileStore::FillDefaultExclusions() {
    ExclusionTable& exclusions = profile_.exclusions;
    lists_.exclusions.SetSortImage(exclude_col::kPattern, true, true);
    exclusions.DeleteAllRows();
    for (const char* pattern : kDefaultExclusions) AddExclusionRow(exclusions, pattern);
}

}  // namespace velnor
