#include "app/profile_store.h"

#include "profile/profile_reader.h"
#include "res/resource.h"

namespace velnor {

void ProfileStore::SetupLocationList() {
    LocationListModel& list = lists_.locations;
    list.SetStyles(true, true);
    list.InsertColumns({{"", 35},
                        {"Path", 120},
                        {"Capacity(MB)", 105, ColumnType::Integer},
                        {"Free Space(MB)", 105, ColumnType::Integer}});
    list.SetSmallImages(ImageStrip{IDB_LOCATION_IMAGES, 16});
    list.SetHeaderImages(ImageStrip{IDB_HEADER_CHECKS, 13});
    LoadLocations();
}

void ProfileStore::LoadLocations() {
    ListFixedDrives();
    LoadDriveChecks();
    LoadFolders();
}

void ProfileStore::ListFixedDrives() {
    LocationTable& list = profile_.locations;
    lists_.locations.SetSortImage(location_col::kPath, true, true);
    ListFixedDriveRows(platform_, list);
    lists_.locations.SetHeaderCheckImage(kHeaderAllChecked);
}

void ProfileStore::LoadDriveChecks() {
    if (!ProfileFileUsable()) return;
    if (ReadDriveChecks(ReadProfileText(), profile_.locations))
        lists_.locations.SetHeaderCheckImage(kHeaderSomeUnchecked);
}

void ProfileStore::LoadFolders() {
    if (!ProfileFileUsable()) return;
    if (ReadFolders(ReadProfileText(), profile_.locations))
        lists_.locations.SetHeaderCheckImage(kHeaderSomeUnchecked);
}

void ProfileStore::AddLocationRow(int index, LocationEntry location) {
    profile_.locations.InsertRow(index, std::move(location));
}

}  // namespace velnor
