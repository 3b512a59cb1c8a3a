#pragma once
// The system areas that a clean empties beside the junk files, measured and
// emptied without any window.
#include <cstdint>
#include <string>

#include "clean/browser_caches.h"
#include "platform/platform.h"
#include "profile/profile.h"

namespace velnor {

// In cleaning order.
enum class CleanArea { RecycleBin, TempFolder, InternetCache, History, RecentDocuments, BrowserCaches };
constexpr int kCleanAreaCount = 6;

struct CleanAreaInfo {
    ScanOptions::Flag flag;  // the profile's option that checks it
    const char* stepName;    // what the step's status text says it cleaned
    const char* shortName;   // how the end of a clean names an area that was not emptied
};

const CleanAreaInfo& AreaInfo(CleanArea area);
inline CleanArea AreaAt(int index) { return static_cast<CleanArea>(index); }

class SystemAreas {
public:
    explicit SystemAreas(const Platform& platform) : platform_(platform) {}

    // Finds every area and what it holds now.
    void Measure();
    uint64_t Size(CleanArea area) const { return sizes_[Index(area)]; }
    // Where the area was found; empty for the Recycle Bin, which has no one
    // folder, and for an area that was not found.
    const std::string& Path(CleanArea area) const { return paths_[Index(area)]; }
    // Empties one area; false when the platform failed or something stayed.
    bool Empty(CleanArea area);

    // The browsers' caches: many folders, as last measured, and what their
    // last emptying did (which browsers ran and kept theirs).
    const BrowserCaches& Browsers() const { return browsers_; }
    const BrowserCacheOutcome& BrowsersEmptied() const { return browsersEmptied_; }

    uint64_t RecycleBinBytes();
    // The URL cache's entries but its cookies; false when it could not be walked.
    bool CleanUrlCache();
    // The platform's result (an HRESULT).
    long ClearUrlHistory();

private:
    static int Index(CleanArea area) { return static_cast<int>(area); }
    void MeasureFolder(CleanArea area, std::string path, bool allSubfolders);

    const Platform platform_;
    std::string paths_[kCleanAreaCount];
    uint64_t sizes_[kCleanAreaCount] = {};
    BrowserCaches browsers_;
    BrowserCacheOutcome browsersEmptied_;
};

}  // namespace velnor
