#include <cstdio>

#include "app/main_dialog_model.h"
#include "platform/fixed_drives.h"
#include "profile/config_file.h"
#include "res/resource.h"
#include "ui/utf8.h"

namespace velnor {

namespace {

constexpr size_t kPathTextChars = 1000;

// Bytes as megabytes: whole kilobytes first, then a real division.
std::string MegabyteText(double megabytes) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", megabytes);
    return text;
}

std::string CapacityText(uint64_t bytes) { return MegabyteText(static_cast<double>(bytes / 1024) / 1024); }

// Free space goes through single precision, so a drive with much room shows
// its free megabytes rounded in the last digits.
std::string FreeText(uint64_t bytes) {
    const float megabytes = static_cast<float>(static_cast<double>(bytes / 1024) / 1024);
    return MegabyteText(megabytes);
}

}  // namespace

void MainDialogModel::SetupLocationList() {
    ListModel& list = profile.locations;
    list.SetStyles(true, true);
    list.InsertColumn("", 35);
    list.InsertColumn("Path", 120);
    list.InsertColumn("Capacity(MB)", 105);
    list.InsertColumn("Free Space(MB)", 105);
    list.SetColumnType(location_col::kPath, ColumnType::Text);
    list.SetColumnType(location_col::kCapacity, ColumnType::Integer);
    list.SetColumnType(location_col::kFree, ColumnType::Integer);
    list.SetSmallImages(ImageStrip{IDB_LOCATION_IMAGES, 16});
    list.SetHeaderImages(ImageStrip{IDB_HEADER_CHECKS, 13});
    LoadLocations();
}

void MainDialogModel::LoadLocations() {
    ListFixedDrives();
    LoadDriveChecks();
    LoadFolders();
}

void MainDialogModel::ListFixedDrives() {
    ListModel& list = profile.locations;
    list.SetSortImage(location_col::kPath, true, true);
    list.DeleteAllRows();
    if (platform_.files) {
        for (const std::string& root : FixedDriveRoots(*platform_.files)) {
            std::string name = root;
            if (name.empty() || name.back() != '\\') name.push_back('\\');
            const std::string query = name;
            if (platform_.shell) {
                if (std::optional<std::string> display = platform_.shell->DisplayName(query)) name = *display;
            }
            // A drive whose size cannot be read shows empty size cells rather
            // than a made-up 0.00, which would read as a full disk.
            std::string capacity, free;
            uint64_t totalBytes = 0, freeBytes = 0;
            if (platform_.files->DiskSpace(query, totalBytes, freeBytes)) {
                capacity = CapacityText(totalBytes);
                free = FreeText(freeBytes);
            }
            AddLocationRow(list.RowCount(), name, capacity, free, kDriveImage, true);
        }
    }
    list.SetHeaderCheckImage(1);
}

void MainDialogModel::LoadDriveChecks() {
    if (!ProfileFileUsable()) return;
    const std::string value = ReadProfileValue("PathDrive");
    ListModel& list = profile.locations;
    for (int i = 0; i < list.RowCount(); ++i) {
        const std::string& path = list.Cell(i, location_col::kPath);
        if (!IsDriveRow(path) || !config_file::DriveUnchecked(value, DriveOfRow(path))) continue;
        list.SetChecked(i, false);
        list.SetHeaderCheckImage(2);
    }
}

void MainDialogModel::LoadFolders() {
    if (!ProfileFileUsable()) return;
    bool anyUnchecked = false;
    for (const config_file::ParsedFolder& folder : config_file::ParseFolders(ReadProfileValue("PathFolder"))) {
        AddLocationRow(profile.locations.RowCount(), folder.path, "", "", kFolderImage, folder.checked);
        if (!folder.checked) anyUnchecked = true;
    }
    if (anyUnchecked) profile.locations.SetHeaderCheckImage(2);
}

void MainDialogModel::AddLocationRow(int index, const std::string& path, const std::string& capacity,
                                     const std::string& free, int image, bool checked) {
    ListRow row;
    row.cells = {std::string(), path, capacity, free};
    row.image = image;
    row.checked = checked;
    row.itemData = index;
    profile.locations.InsertRow(index, std::move(row));
}

void MainDialogModel::AddFolderLocation() {
    std::string path;
    if (platform_.prompts) path = platform_.prompts->ChooseFolder().value_or(std::string());
    // Nothing chosen, or a drive root, which is listed as a drive already.
    if (path.size() <= 3) return;
    ListModel& list = profile.locations;
    for (int i = 0; i < list.RowCount(); ++i)
        if (list.Cell(i, location_col::kPath) == path) return;
    AddLocationRow(list.RowCount(), path, "", "", kFolderImage, true);
    SaveProfile();
}

void MainDialogModel::RemoveLocation() {
    ListModel& list = profile.locations;
    const int row = list.FirstSelected();
    if (row < 0) return;
    std::string path = list.Cell(row, location_col::kPath);
    path = Utf8Prefix(path, kPathTextChars - 1);
    // A drive's name ends in its letter, colon and bracket: drives stay listed.
    const bool driveRow = path.size() >= 2 && path[path.size() - 2] == ':';
    if (!driveRow) list.DeleteRow(row);
    list.SetHeaderCheckImage(list.AllChecked() ? 1 : 2);
    SaveProfile();
}

}  // namespace velnor
