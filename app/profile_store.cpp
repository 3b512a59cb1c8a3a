#include "app/profile_store.h"

#include "platform/fixed_drives.h"
#include "profile/config_file.h"
#include "res/resource.h"
#include "scan/utf8.h"

namespace velnor {

namespace {

constexpr size_t kModulePathChars = 1000;

}  // namespace

void ProfileStore::LocateProfile() {
    // The separator is looked for from the end of the path buffer down to
    // index 1, as either kind of slash.
    std::string module = platform_.files ? platform_.files->ModulePath() : std::string();
    module = Utf8Prefix(module, kModulePathChars - 1);
    for (size_t i = module.size(); i-- > 1;) {
        if (module[i] == '\\' || module[i] == '/') {
            module.resize(i + 1);
            break;
        }
    }
    profilePath_ = module + "config.ini";
}

bool ProfileStore::ProfileFileUsable() {
    return platform_.files && platform_.files->CanOpenForUpdate(profilePath_);
}

std::string ProfileStore::ReadProfileValue(const std::string& key) {
    if (!platform_.files) return std::string();
    const std::optional<std::string> bytes = platform_.files->ReadTextFile(profilePath_);
    if (!bytes) return std::string();
    // Where Windows ignores the manifest, the program holds the legacy code
    // page's text like every program before, and so does the file.
    if (!platform_.locale || !platform_.locale->UsesUtf8()) return config_file::FindValue(*bytes, key);
    return config_file::FindValue(config_file::FileTextAsUtf8(*bytes, *platform_.locale), key);
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
    const std::string value = ReadProfileValue("PathExclude");
    if (value.size() <= 3) return;
    ExclusionTable& exclusions = profile_.exclusions;
    exclusions.DeleteAllRows();
    for (const std::string& pattern : config_file::ParseExclusions(value)) AddExclusionRow(exclusions, pattern);
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
    const config_file::ParsedFilters parsed = config_file::ParseFilters(ReadProfileValue("Filter"));
    for (const config_file::ParsedFilter& f : parsed.filters)
        AddFilterRow(profile_.filters, f.pattern, f.description, f.checked, f.type);
    if (!parsed.allChecked) list.SetHeaderCheckImage(kHeaderSomeUnchecked);
}

void ProfileStore::LoadOptions() {
    if (!ProfileFileUsable()) return;
    options_.SetOptions(config_file::ParseOptions(ReadProfileValue("Option")));
}

}  // namespace velnor
