#pragma once
#include "profile/profile.h"
#include "ui/record_list_model.h"

namespace velnor {

using LocationListModel = RecordListModel<LocationEntry>;
using FilterListModel = RecordListModel<FilterEntry>;
using ExclusionListModel = RecordListModel<ExcludeEntry>;

// The models of the list views that show the profile's three lists.
struct ProfileLists {
    explicit ProfileLists(ScanProfile& profile)
        : locations(profile.locations), filters(profile.filters), exclusions(profile.exclusions) {}

    LocationListModel locations;    // list 1000 on the Path page
    FilterListModel filters;        // list 1029 on the Filters page
    ExclusionListModel exclusions;  // list 1046 on the Exceptions page
};

}  // namespace velnor
