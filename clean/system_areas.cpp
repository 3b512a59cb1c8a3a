#include "clean/system_areas.h"

#include <optional>

#include "clean/folder_walk.h"
#include "clean/url_cache_walk.h"
#include "platform/fixed_drives.h"

namespace velnor {

namespace {

constexpr unsigned kEmptyBinQuietly = 7;  // no confirmation, no progress, no sound

// A path this short names a drive ("C:\", "C:" or "\"): emptying it would wipe
// the drive, so such an area is only measured.
constexpr size_t kDriveRootChars = 3;

constexpr CleanAreaInfo kAreas[kCleanAreaCount] = {
    {ScanOptions::kClean1, "Windows Recycle Bin", "Recycle Bin"},
    {ScanOptions::kClean2, "Windows Temp Folder", "Temp Folder"},
    {ScanOptions::kClean3, "Temporary Internet Files Folder", "Internet Files"},
    {ScanOptions::kClean4, "Windows History Folder", "History"},
    {ScanOptions::kClean5, "Recent Documents Folder", "Recent Documents"},
    {ScanOptions::kClean6, "Browsers' Cache Folders", "Browser Caches"},
};

}  // namespace

const CleanAreaInfo& AreaInfo(CleanArea area) { return kAreas[static_cast<int>(area)]; }

void SystemAreas::MeasureFolder(CleanArea area, std::string path, bool allSubfolders) {
    const int i = Index(area);
    paths_[i] = std::move(path);
    sizes_[i] = platform_.files ? FolderSize(*platform_.files, paths_[i], allSubfolders) : 0;
}

void SystemAreas::Measure() {
    for (int i = 0; i < kCleanAreaCount; ++i) {
        paths_[i].clear();
        sizes_[i] = 0;
    }
    const auto shellFolder = [this](int csidl) {
        std::optional<std::string> path = platform_.shell ? platform_.shell->SpecialFolderPath(csidl) : std::nullopt;
        return path ? *path : std::string();
    };
    // The temporary folder's hidden and system subfolders are mostly held by
    // running programs and would not go away; they are left out of its size.
    MeasureFolder(CleanArea::TempFolder, platform_.files ? platform_.files->TempPath() : std::string(), false);
    MeasureFolder(CleanArea::InternetCache, shellFolder(kCsidlInternetCache), true);
    MeasureFolder(CleanArea::History, shellFolder(kCsidlHistory), true);
    MeasureFolder(CleanArea::RecentDocuments, shellFolder(kCsidlRecent), true);
    browsers_.Clear();
    if (platform_.files && platform_.shell) browsers_.Measure(*platform_.files, UserAppDataFolders(*platform_.shell));
    sizes_[Index(CleanArea::BrowserCaches)] = browsers_.TotalBytes();
    sizes_[Index(CleanArea::RecycleBin)] = RecycleBinBytes();
}

uint64_t SystemAreas::RecycleBinBytes() {
    uint64_t binBytes = 0;
    if (!platform_.files || !platform_.shell) return 0;
    for (const std::string& root : FixedDriveRoots(*platform_.files)) {
        uint64_t bytes = 0;
        if (platform_.shell->QueryRecycleBin(root, bytes)) binBytes += bytes;
    }
    return binBytes;
}

bool SystemAreas::CleanUrlCache() {
    IUrlCache* cache = platform_.urlCache;
    if (!cache) return false;
    return WalkUrlCache(*cache, [cache](const UrlCacheEntry& entry) {
        // Cookies are the cookie cleaner's to choose from.
        if (!(entry.entryType & kCookieCacheEntry)) cache->DeleteEntry(entry.sourceUrlName);
    });
}

long SystemAreas::ClearUrlHistory() {
    constexpr long kFailed = static_cast<long>(static_cast<int32_t>(0x80004005u));  // E_FAIL
    return platform_.urlHistory ? platform_.urlHistory->ClearHistory() : kFailed;
}

bool SystemAreas::Empty(CleanArea area) {
    switch (area) {
    case CleanArea::RecycleBin:
        if (!platform_.shell) return false;
        // Emptying a bin that is empty already counts as done, whatever the
        // shell answers.
        return platform_.shell->EmptyRecycleBin(kEmptyBinQuietly) >= 0 || RecycleBinBytes() == 0;
    case CleanArea::TempFolder:
    case CleanArea::RecentDocuments: {
        const std::string& path = Path(area);
        if (path.size() <= kDriveRootChars || !platform_.files) return path.empty();
        return EmptyFolder(*platform_.files, path).left == 0;
    }
    case CleanArea::InternetCache:
        return CleanUrlCache();
    case CleanArea::History:
        return ClearUrlHistory() >= 0;
    case CleanArea::BrowserCaches:
        if (!platform_.files) return false;
        browsersEmptied_ = browsers_.Empty(*platform_.files, platform_.processes);
        return browsersEmptied_.Emptied();
    }
    return false;
}

}  // namespace velnor
