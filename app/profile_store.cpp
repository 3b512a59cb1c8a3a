#include "app/profile_store.h"

#include "platform/fixed_drives.h"
#include "profile/config_file.h"
#include "profile/profile_reader.h"
#include "res/resource.h"

namespace velnor {

void ProfileStore::LocateProfile() {
    profilePath_ = ProfilePathBeside(platform_.files ? platform_.files->ModulePath() : std::string());
}

bool ProfileStore::ProfileFileUsable() {
    return platform_.files && platform_.files->CanOpenForUpdate(profilePath_);
}

std::string ProfileStore::ReadProfileText() {
    if (!platform_.files) return std::string();
    const std::optional<std::string> bytes = platform_.files->ReadTextFile(profilePath_);
    if (!bytes) return std::string();
    return ProfileFileText(*bytes, platform_.locale);
}

void ProfileStore::SaveProfile() {
    if (!platform_.files) return;
    // The file system writes a new file beside config.ini and swaps it in, so a
    // failed save leaves the old profile whole; a read-only or locked file is
    // not written at all.
    platform_.files->ReplaceTextFile(profilePath_, config_file::ProfileText(profile_));
}

void ProfileStore::WriteDefaultProfile() {
    if (!platform_.files) return;
    const std::vector<std::string> fixedDrives = FixedDriveRoots(*platform_.files);

    // The text is made from the filled lists, but the lists keep the defaults
    // only when the file could be written: without a file they stay as they were.
    const FilterTable filtersBefore = profile_.filters;
    const ExclusionTable exclusionsBefore = profile_.exclusions;
    const HeaderState filterHeaderBefore = lists_.filters.Header();
    const HeaderState exclusionHeaderBefore = lists_.exclusions.Header();
    FillDefaultFilters();
    FillDefaultExclusions();
    const std::string text = config_file::FirstStartText(fixedDrives, profile_.exclusions, profile_.filters);
    if (platform_.files->ReplaceTextFile(profilePath_, text)) return;
    profile_.filters = filtersBefore;
    profile_.exclusions = exclusionsBefore;
    lists_.filters.SetHeader(filterHeaderBefore);
    lists_.exclusions.SetHeader(exclusionHeaderBefore);
}

void ProfileStore::LoadExclusions() {
    ExclusionListModel& list = lists_.exclusions;
    list.SetStyles(false, true);
    list.SetSmallImages(ImageStrip{IDB_LOCATION_IMAGES, 16});
    list.InsertColumns({{"Exclude Folders", 360}});
    list.SetFirstColumnIsData(true);

    if (!ProfileFileUsable()) return;
    ReadExclusions(ReadProfileText(), profile_.exclusions);
}

void ProfileStore::LoadFilters() {
    FilterListModel& list = lists_.filters;
    list.SetStyles(true, true);
    list.InsertColumns({{"", 35}, {"File Name", 90}, {"Type", 60}, {"Description", 115}, {"Exclude", 60}});
    list.SetSmallImages(ImageStrip{IDB_FILTER_IMAGES, 13});
    list.SetHeaderImages(ImageStrip{IDB_HEADER_CHECKS, 13});
    list.SetHeaderCheckImage(kHeaderAllChecked);

    if (!ProfileFileUsable()) {
        WriteDefaultProfile();
        return;
    }
    if (!ReadFilters(ReadProfileText(), profile_.filters)) list.SetHeaderCheckImage(kHeaderSomeUnchecked);
}

void ProfileStore::LoadOptions() {
    if (!ProfileFileUsable()) return;
    options_.SetOptions(ReadOptions(ReadProfileText()));
}

}  // namespace velnor
