#include "app/profile_store.h"

#include "platform/fixed_drives.h"
#include "profile/config_file.h"
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
    list.DeleteAllRows();
    if (platform_.files) {
        for (const std::string& root : FixedDriveRoots(*platform_.files)) {
            std::string name = root;
            if (name.empty() || name.back() != '\\') name.push_back('\\');
            const std::string query = name;
            if (platform_.shell) {
                if (std::optional<std::string> display = platform_.shell->DisplayName(query)) name = *display;
            }
            LocationEntry drive = MakeLocation(name, kDriveImage, true);
            // A drive whose size cannot be read shows empty size cells rather
            // than a made-up 0.00, which would read as a full disk.
            uint64_t totalBytes = 0, freeBytes = 0;
            if (platform_.files->DiskSpace(query, totalBytes, freeBytes)) {
                drive.totalBytes = totalBytes;
                drive.freeBytes = freeBytes;
            }
            AddLocationRow(list.RowCount(), std::move(drive));
        }
    }
    lists_.locations.SetHeaderCheckImage(kHeaderAllChecked);
}

void ProfileStore::LoadDriveChecks() {
    if (!ProfileFileUsable()) return;
    const std::string value = ReadProfileValue("PathDrive");
    LocationTable& list = profile_.locations;
    for (int i = 0; i < list.RowCount(); ++i) {
        const LocationEntry& location = list.At(i);
        if (location.kind != LocationKind::Drive || !config_file::DriveUnchecked(value, location.drive)) continue;
        list.SetChecked(i, false);
        lists_.locations.SetHeaderCheckImage(kHeaderSomeUnchecked);
    }
}

void ProfileStore::LoadFolders() {
    if (!ProfileFileUsable()) return;
    bool anyUnchecked = false;
    for (const config_file::ParsedFolder& folder : config_file::ParseFolders(ReadProfileValue("PathFolder"))) {
        AddLocationRow(profile_.locations.RowCount(), MakeLocation(folder.path, kFolderImage, folder.checked));
        if (!folder.checked) anyUnchecked = true;
    }
    if (anyUnchecked) lists_.locations.SetHeaderCheckImage(kHeaderSomeUnchecked);
}

void ProfileStore::AddLocationRow(int index, LocationEntry location) {
    profile_.locations.InsertRow(index, std::move(location));
}

}  // namespace velnor
