#include "app/clean_page.h"

#include <optional>
#include <vector>

#include "app/main_dialog_texts.h"
#include "clean/clean_progress.h"
#include "clean/confirm_delete.h"
#include "clean/shell_delete.h"
#include "clean/url_cache_walk.h"
#include "platform/fixed_drives.h"
#include "platform/search_pattern.h"
#include "res/resource.h"
#include "ui/size_text.h"

namespace velnor {

namespace {

constexpr char kTotalGainText[] = "Status: Total amount disk space you gain: ";
constexpr char kJunkDoneText[] = "Success: Clean Junk Files!";
constexpr char kCompletedText[] = "Clean Completed!";
constexpr char kStoppedText[] = "Clean Stoped!";

constexpr unsigned kEmptyBinQuietly = 7;  // no confirmation, no progress, no sound
constexpr int kShowNormal = 1;

// A path this short names a drive ("C:\", "C:" or "\"): emptying it would wipe
// the drive, so such an area is only measured.
constexpr size_t kDriveRootChars = 3;

struct AreaItem {
    ScanOptions::Flag flag;
    int picture, sizeLabel, openButton;
    const char* successText;
};

// In the order of CleanArea, which is also the cleaning order.
constexpr AreaItem kAreas[kCleanAreaCount] = {
    {ScanOptions::kClean1, IDC_CLEAN_RECYCLE, IDC_SIZE_RECYCLE, IDC_OPEN_RECYCLE,
     "Success: Clean Windows Recycle Bin!"},
    {ScanOptions::kClean2, IDC_CLEAN_TEMP, IDC_SIZE_TEMP, IDC_OPEN_TEMP, "Success: Clean Windows Temp Folder!"},
    {ScanOptions::kClean3, IDC_CLEAN_INTERNET, IDC_SIZE_INTERNET, IDC_OPEN_INTERNET,
     "Success: Clean Temporary Internet Files Folder!"},
    {ScanOptions::kClean4, IDC_CLEAN_HISTORY, IDC_SIZE_HISTORY, IDC_OPEN_HISTORY,
     "Success: Clean Windows History Folder!"},
    {ScanOptions::kClean5, IDC_CLEAN_RECENT, IDC_SIZE_RECENT, IDC_OPEN_RECENT,
     "Success: Clean Recent Documents Folder!"},
};

constexpr int Index(CleanArea area) { return static_cast<int>(area); }

bool EndsInSeparator(const std::string& path) {
    return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

}  // namespace

uint64_t CleanPage::GetFolderSize(const std::string& path, bool allSubfolders) {
    if (!platform_.files || path.empty()) return 0;
    const std::string folder = EndsInSeparator(path) ? path : path + "\\";
    uint64_t sum = 0;
    platform_.files->Enumerate(SearchPattern(path), [&](const FindData& entry) {
        if (entry.name == "." || entry.name == "..") return true;
        if (!(entry.attributes & kAttrDirectory)) {
            sum += entry.size;
            return true;
        }
        // A junction or link holds none of the bytes it leads to, and may lead
        // back up the tree.
        if (entry.attributes & kAttrReparsePoint) return true;
        if (!allSubfolders && (entry.attributes & (kAttrHidden | kAttrSystem))) return true;
        sum += GetFolderSize(folder + entry.name, allSubfolders);
        return true;
    });
    return sum;
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

    uint64_t binBytes = 0;
    if (platform_.files && platform_.shell) {
        for (const std::string& root : FixedDriveRoots(*platform_.files)) {
            uint64_t bytes = 0;
            if (platform_.shell->QueryRecycleBin(root, bytes)) binBytes += bytes;
        }
    }
    areaSizes_[Index(CleanArea::RecycleBin)] = binBytes;
    controls_[IDC_SIZE_RECYCLE].SetText(SizeText(binBytes));

    controls_[IDC_JUNK_SIZE].SetText("(" + SizeText(state_.selectedSize) + ")");
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
    if (cleanJunk) {
        // The removal moves the bar through the junk share itself, under one
        // wait cursor from its first file to its last.
        {
            const WaitCursor wait(platform_.prompts);
            RemoveJunkFiles();
        }
        status.SetText(kJunkDoneText);
        position = kJunkProgressShare;
    }

    const auto emptyFolder = [this](CleanArea area) {
        const std::string& path = areaPaths_[Index(area)];
        if (path.size() <= kDriveRootChars || !platform_.shell) return;
        ShellDelete(*platform_.shell, DoubleNulList({SearchPattern(path)}), true);
    };
    for (int i = 0; i < kCleanAreaCount; ++i) {
        // Exit clears the flag; the steps still to come are then skipped.
        if (!options_.OptionOn(kAreas[i].flag) || !state_.cleanBusy) continue;
        const WaitCursor wait(platform_.prompts);
        switch (static_cast<CleanArea>(i)) {
        case CleanArea::RecycleBin:
            if (platform_.shell) platform_.shell->EmptyRecycleBin(kEmptyBinQuietly);
            break;
        case CleanArea::TempFolder:
        case CleanArea::RecentDocuments:
            emptyFolder(static_cast<CleanArea>(i));
            break;
        case CleanArea::InternetCache:
            CleanUrlCache();
            break;
        case CleanArea::History:
            ClearUrlHistory();
            break;
        }
        position += kAreaProgressShare;
        progress.SetPosition(position);
        status.SetText(kAreas[i].successText);
    }

    MeasureAndShowGain();
    if (state_.cleanBusy) {
        state_.cleanBusy = false;
        status.SetText(kCompletedText);
    } else {
        status.SetText(kStoppedText);
    }
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
