#include "app/clean_page.h"

#include <optional>
#include <vector>

#include "app/main_dialog_texts.h"
#include "clean/clean_progress.h"
#include "clean/clean_outcome.h"
#include "clean/confirm_delete.h"
#include "clean/folder_walk.h"
#include "clean/url_cache_walk.h"
#include "platform/fixed_drives.h"
#include "res/resource.h"
#include "ui/size_text.h"

namespace velnor {

namespace {

constexpr char kTotalGainText[] = "Status: Total amount disk space you gain: ";
constexpr char kJunkDoneText[] = "Success: Clean Junk Files!";
constexpr char kStoppedText[] = "Clean Stoped!";
constexpr char kNoBrowserCachesText[] = "Status: No browser cache folders were found.";

constexpr unsigned kEmptyBinQuietly = 7;  // no confirmation, no progress, no sound
constexpr int kShowNormal = 1;

// A path this short names a drive ("C:\", "C:" or "\"): emptying it would wipe
// the drive, so such an area is only measured.
constexpr size_t kDriveRootChars = 3;

struct AreaItem {
    ScanOptions::Flag flag;
    int picture, sizeLabel, openButton;
    const char* stepName;   // what the step's status text says it cleaned
    const char* shortName;  // how the end of a clean names an area that was not emptied
};

// In the order of CleanArea, which is also the cleaning order.
constexpr AreaItem kAreas[kCleanAreaCount] = {
    {ScanOptions::kClean1, IDC_CLEAN_RECYCLE, IDC_SIZE_RECYCLE, IDC_OPEN_RECYCLE, "Windows Recycle Bin", "Recycle Bin"},
    {ScanOptions::kClean2, IDC_CLEAN_TEMP, IDC_SIZE_TEMP, IDC_OPEN_TEMP, "Windows Temp Folder", "Temp Folder"},
    {ScanOptions::kClean3, IDC_CLEAN_INTERNET, IDC_SIZE_INTERNET, IDC_OPEN_INTERNET,
     "Temporary Internet Files Folder", "Internet Files"},
    {ScanOptions::kClean4, IDC_CLEAN_HISTORY, IDC_SIZE_HISTORY, IDC_OPEN_HISTORY, "Windows History Folder",
     "History"},
    {ScanOptions::kClean5, IDC_CLEAN_RECENT, IDC_SIZE_RECENT, IDC_OPEN_RECENT, "Recent Documents Folder",
     "Recent Documents"},
    {ScanOptions::kClean6, IDC_CLEAN_BROWSERS, IDC_SIZE_BROWSERS, IDC_OPEN_BROWSERS, "Browsers' Cache Folders",
     "Browser Caches"},
};

constexpr int Index(CleanArea area) { return static_cast<int>(area); }

// The end of a clean. Where a running browser kept its caches and nothing
// else was left, the line says which browser to close.
std::string CleanEndText(const CleanOutcome& outcome, const BrowserCacheOutcome& caches) {
    const bool onlyTheCachesLeft = outcome.checkedFilesLeft == 0 && outcome.areasLeft.size() == 1;
    if (!caches.running.empty() && caches.left == 0 && onlyTheCachesLeft) return CloseBrowsersText(caches.running);
    return CleanCompletedText(outcome);
}

}  // namespace

uint64_t CleanPage::GetFolderSize(const std::string& path, bool allSubfolders) {
    return platform_.files ? FolderSize(*platform_.files, path, allSubfolders) : 0;
}

void CleanPage::MeasureCleanAreas() {
    for (int i = 0; i < kCleanAreaCount; ++i) {
        areaPaths_[i].clear();
        areaSizes_[i] = 0;
    }

    const auto measureFolder = [this](CleanArea area, std::string path, bool allSubfolders) {
        const int i = Index(area);
        areaPaths_[i] = std::move(path);
        areaSizes_[i] = GetFolderSize(areaPaths_[i], allSubfolders);
        controls_[kAreas[i].sizeLabel].SetText(SizeText(areaSizes_[i]));
    };
    const auto shellFolder = [this](int csidl) {
        std::optional<std::string> path = platform_.shell ? platform_.shell->SpecialFolderPath(csidl) : std::nullopt;
        return path ? *path : std::string();
    };

    // The temporary folder's hidden and system subfolders are mostly held by
    // running programs and would not go away; they are left out of its size.
    measureFolder(CleanArea::TempFolder, platform_.files ? platform_.files->TempPath() : std::string(), false);
    measureFolder(CleanArea::InternetCache, shellFolder(kCsidlInternetCache), true);
    measureFolder(CleanArea::History, shellFolder(kCsidlHistory), true);
    measureFolder(CleanArea::RecentDocuments, shellFolder(kCsidlRecent), true);

    // The browsers' caches: many folders, listed by the open-folder button's menu.
    browserCaches_.Clear();
    if (platform_.files && platform_.shell)
        browserCaches_.Measure(*platform_.files, UserAppDataFolders(*platform_.shell));
    areaSizes_[Index(CleanArea::BrowserCaches)] = browserCaches_.TotalBytes();
    controls_[IDC_SIZE_BROWSERS].SetText(SizeText(browserCaches_.TotalBytes()));

    const uint64_t binBytes = RecycleBinBytes();
    areaSizes_[Index(CleanArea::RecycleBin)] = binBytes;
    controls_[IDC_SIZE_RECYCLE].SetText(SizeText(binBytes));

    controls_[IDC_JUNK_SIZE].SetText("(" + SizeText(state_.selectedSize) + ")");
}

uint64_t CleanPage::RecycleBinBytes() {
    uint64_t binBytes = 0;
    if (!platform_.files || !platform_.shell) return 0;
    for (const std::string& root : FixedDriveRoots(*platform_.files)) {
        uint64_t bytes = 0;
        if (platform_.shell->QueryRecycleBin(root, bytes)) binBytes += bytes;
    }
    return binBytes;
}

void CleanPage::MeasureAndShowGain() {
    const WaitCursor wait(platform_.prompts);
    MeasureCleanAreas();
    ShowTotalGain();
}

void CleanPage::ShowTotalGain() {
    uint64_t sum = options_.OptionOn(ScanOptions::kClean0) ? state_.selectedSize : 0;
    for (int i = 0; i < kCleanAreaCount; ++i)
        if (options_.OptionOn(kAreas[i].flag)) sum += areaSizes_[i];
    controls_[IDC_CLEAN_STATUS].SetText(kTotalGainText + SizeText(sum));
}

bool CleanPage::CleanUrlCache() {
    IUrlCache* cache = platform_.urlCache;
    if (!cache) return false;
    return WalkUrlCache(*cache, [cache](const UrlCacheEntry& entry) {
        // Cookies are the cookie cleaner's to choose from.
        if (!(entry.entryType & kCookieCacheEntry)) cache->DeleteEntry(entry.sourceUrlName);
    });
}

long CleanPage::ClearUrlHistory() {
    constexpr long kFailed = static_cast<long>(static_cast<int32_t>(0x80004005u));  // E_FAIL
    return platform_.urlHistory ? platform_.urlHistory->ClearHistory() : kFailed;
}

void CleanPage::OnToggleCleanItem(int pictureId) {
    ScanOptions::Flag flag;
    if (pictureId == IDC_CLEAN_JUNK) {
        flag = ScanOptions::kClean0;
    } else {
        int i = 0;
        while (i < kCleanAreaCount && kAreas[i].picture != pictureId) ++i;
        if (i == kCleanAreaCount) return;
        flag = kAreas[i].flag;
    }
    options_.SetOption(flag, !options_.OptionOn(flag));
    ShowTotalGain();
}

void CleanPage::OnOpenFolder(int buttonId) {
    if (state_.cleanBusy) return;
    int i = 0;
    while (i < kCleanAreaCount && kAreas[i].openButton != buttonId) ++i;
    if (i == kCleanAreaCount) return;
    if (platform_.shell) {
        // The Recycle Bin has no one folder on disk; the shell knows where its
        // view is.
        if (i == Index(CleanArea::RecycleBin))
            platform_.shell->OpenSpecialFolder(kCsidlBitBucket);
        else if (!areaPaths_[i].empty())
            platform_.shell->Execute("Open", areaPaths_[i], kShowNormal);
    }
    controls_[buttonId].SetStateAndPicture(picture_state::kNormal);
}

std::vector<std::string> CleanPage::BrowserCacheChoices() {
    controls_[IDC_OPEN_BROWSERS].SetStateAndPicture(picture_state::kNormal);
    if (state_.cleanBusy) return {};
    std::vector<std::string> texts;
    for (const MeasuredCache& cache : browserCaches_.Caches()) texts.push_back(CacheMenuText(cache));
    if (texts.empty()) controls_[IDC_CLEAN_STATUS].SetText(kNoBrowserCachesText);
    return texts;
}

void CleanPage::OpenBrowserCache(size_t choice) {
    const std::vector<MeasuredCache>& caches = browserCaches_.Caches();
    if (state_.cleanBusy || choice >= caches.size() || !platform_.shell) return;
    platform_.shell->Execute("Open", caches[choice].path, kShowNormal);
}

void CleanPage::OnStartClean() {
    if (state_.cleanBusy) return;
    controls_[IDC_START_CLEAN].SetStateAndPicture(picture_state::kNormal);
    if (!ConfirmDelete(platform_.prompts)) return;

    const bool cleanJunk = options_.OptionOn(ScanOptions::kClean0);
    int range = cleanJunk ? kJunkProgressShare : 0;
    for (const AreaItem& item : kAreas)
        if (options_.OptionOn(item.flag)) range += kAreaProgressShare;
    Control progress = controls_[IDC_CLEAN_PROGRESS];
    Control status = controls_[IDC_CLEAN_STATUS];
    progress.SetRange(0, range);
    progress.SetPosition(0);

    state_.cleanBusy = true;
    int position = 0;
    CleanOutcome outcome;
    browserCacheOutcome_ = BrowserCacheOutcome();
    if (cleanJunk) {
        // The removal moves the bar through the junk share itself, under one
        // wait cursor from its first file to its last.
        {
            const WaitCursor wait(platform_.prompts);
            outcome.checkedFilesLeft = RemoveJunkFiles();
        }
        status.SetText(outcome.checkedFilesLeft ? CheckedFilesLeftText(outcome.checkedFilesLeft) : kJunkDoneText);
        position = kJunkProgressShare;
    }

    for (int i = 0; i < kCleanAreaCount; ++i) {
        // Exit clears the flag; the steps still to come are then skipped.
        if (!options_.OptionOn(kAreas[i].flag) || !state_.cleanBusy) continue;
        const WaitCursor wait(platform_.prompts);
        const bool emptied = EmptyArea(static_cast<CleanArea>(i));
        if (!emptied) outcome.areasLeft.push_back(kAreas[i].shortName);
        position += kAreaProgressShare;
        progress.SetPosition(position);
        status.SetText(AreaStepText(kAreas[i].stepName, emptied));
    }

    MeasureAndShowGain();
    if (state_.cleanBusy) {
        state_.cleanBusy = false;
        status.SetText(CleanEndText(outcome, browserCacheOutcome_));
    } else {
        status.SetText(kStoppedText);
    }
}

// Empties one area; false when the platform failed or something stayed.
bool CleanPage::EmptyArea(CleanArea area) {
    switch (area) {
    case CleanArea::RecycleBin: {
        if (!platform_.shell) return false;
        // Emptying a bin that is empty already counts as done, whatever the
        // shell answers.
        return platform_.shell->EmptyRecycleBin(kEmptyBinQuietly) >= 0 || RecycleBinBytes() == 0;
    }
    case CleanArea::TempFolder:
    case CleanArea::RecentDocuments: {
        const std::string& path = AreaPath(area);
        if (path.size() <= kDriveRootChars || !platform_.files) return path.empty();
        return EmptyFolder(*platform_.files, path).left == 0;
    }
    case CleanArea::InternetCache:
        return CleanUrlCache();
    case CleanArea::History:
        return ClearUrlHistory() >= 0;
    case CleanArea::BrowserCaches:
        if (!platform_.files) return false;
        browserCacheOutcome_ = browserCaches_.Empty(*platform_.files, platform_.processes);
        return browserCacheOutcome_.Emptied();
    }
    return false;
}

// The two pictures are a radio pair: clicking the checked one never unchecks it.
void CleanPage::OnRecycleMode() {
    if (options_.OptionOn(ScanOptions::kRemove)) return;
    options_.SetOption(ScanOptions::kRemove, true);
    ShowJunkCaption();
}

void CleanPage::OnPermanentMode() {
    if (!options_.OptionOn(ScanOptions::kRemove)) return;
    options_.SetOption(ScanOptions::kRemove, false);
    ShowJunkCaption();
}

// The junk files' item is named after the removal mode.
void CleanPage::ShowJunkCaption() {
    controls_[IDC_JUNK_CAPTION].SetText(options_.OptionOn(ScanOptions::kRemove) ? kRecycleCaption : kPermanentCaption);
}

}  // namespace velnor
