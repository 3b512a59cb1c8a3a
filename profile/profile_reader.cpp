#include "profile/profile_reader.h"

#include "platform/fixed_drives.h"
#include "profile/config_file.h"
#include "scan/utf8.h"

namespace velnor {

namespace {

constexpr size_t kModulePathChars = 1000;

}  // namespace

std::string ProfilePathBeside(const std::string& modulePath) {
    // The separator is looked for from the end of the path buffer down to
    // index 1, as either kind of slash.
    std::string folder = Utf8Prefix(modulePath, kModulePathChars - 1);
    for (size_t i = folder.size(); i-- > 1;) {
        if (folder[i] == '\\' || folder[i] == '/') {
            folder.resize(i + 1);
            break;
        }
    }
    return folder + "config.ini";
}

std::string ProfileFileText(const std::string& bytes, ILocale* locale) {
    // Where Windows ignores the manifest, the program holds the legacy code
    // page's text like every program before, and so does the file.
    if (!locale || !locale->UsesUtf8()) return bytes;
    return config_file::FileTextAsUtf8(bytes, *locale);
}

bool ReadExclusions(const std::string& text, ExclusionTable& exclusions) {
    const std::string value = config_file::FindValue(text, "PathExclude");
    if (value.size() <= 3) return false;
    exclusions.DeleteAllRows();
    for (const std::string& pattern : config_file::ParseExclusions(value)) AddExclusionRow(exclusions, pattern);
    return true;
}

bool ReadFilters(const std::string& text, FilterTable& filters) {
    const config_file::ParsedFilters parsed = config_file::ParseFilters(config_file::FindValue(text, "Filter"));
    for (const config_file::ParsedFilter& f : parsed.filters)
        AddFilterRow(filters, f.pattern, f.description, f.checked, f.type);
    return parsed.allChecked;
}

ScanOptions ReadOptions(const std::string& text) {
    return config_file::ParseOptions(config_file::FindValue(text, "Option"));
}

void ListFixedDriveRows(const Platform& platform, LocationTable& locations) {
    locations.DeleteAllRows();
    if (!platform.files) return;
    for (const std::string& root : FixedDriveRoots(*platform.files)) {
        std::string name = root;
        if (name.empty() || name.back() != '\\') name.push_back('\\');
        const std::string query = name;
        if (platform.shell) {
            if (std::optional<std::string> display = platform.shell->DisplayName(query)) name = *display;
        }
        LocationEntry drive = MakeDriveLocation(root, name);
        // A drive whose size cannot be read shows empty size cells rather
        // than a made-up 0.00, which would read as a full disk.
        uint64_t totalBytes = 0, freeBytes = 0;
        if (platform.files->DiskSpace(query, totalBytes, freeBytes)) {
            drive.totalBytes = totalBytes;
            drive.freeBytes = freeBytes;
        }
        locations.AppendRow(std::move(drive));
    }
}

bool ReadDriveChecks(const std::string& text, LocationTable& locations) {
    const std::string value = config_file::FindValue(text, "PathDrive");
    bool anyUnchecked = false;
    for (int i = 0; i < locations.RowCount(); ++i) {
        const LocationEntry& location = locations.At(i);
        if (location.kind != LocationKind::Drive || !config_file::DriveUnchecked(value, location.drive)) continue;
        locations.SetChecked(i, false);
        anyUnchecked = true;
    }
    return anyUnchecked;
}

bool ReadFolders(const std::string& text, LocationTable& locations) {
    bool anyUnchecked = false;
    for (const config_file::ParsedFolder& folder : config_file::ParseFolders(config_file::FindValue(text, "PathFolder"))) {
        locations.AppendRow(MakeFolderLocation(folder.path, folder.checked));
        if (!folder.checked) anyUnchecked = true;
    }
    return anyUnchecked;
}

void ReadProfile(const std::string& text, const Platform& platform, ScanProfile& profile) {
    ListFixedDriveRows(platform, profile.locations);
    ReadDriveChecks(text, profile.locations);
    ReadFolders(text, profile.locations);
    ReadExclusions(text, profile.exclusions);
    ReadFilters(text, profile.filters);
    profile.options = ReadOptions(text);
}

}  // namespace velnor
