#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "app/main_dialog_state.h"
#include "app/option_switches.h"
#include "clean/browser_caches.h"
#include "ui/result_table.h"

namespace velnor {

enum class CleanArea { RecycleBin, TempFolder, InternetCache, History, RecentDocuments, BrowserCaches };
constexpr int kCleanAreaCount = 6;

// The Clean page: the junk files' item and the six system areas with their
// sizes, the removal mode, the open-folder buttons and Start Clean, which
// removes the checked junk files and empties the chosen areas.
class CleanPage {
public:
    CleanPage(const PartContext& context, ResultTable& results, OptionSwitches& options)
        : platform_(context.platform), controls_(context.controls), state_(context.state), results_(results),
          options_(options) {}

    void OnStartClean();
    // Returns how many checked files stayed on disk; their rows stay, checked.
    uint32_t RemoveJunkFiles();
    void MeasureCleanAreas();
    void ShowTotalGain();
    // Both of the above, under the wait cursor: as the page is entered and
    // after a clean.
    void MeasureAndShowGain();
    uint64_t GetFolderSize(const std::string& path, bool allSubfolders);
    bool CleanUrlCache();
    long ClearUrlHistory();
    void OnToggleCleanItem(int pictureId);
    void OnOpenFolder(int buttonId);

    // The Recycle Bin and permanent-deletion pictures, on this page and on
    // the Options page, and the junk item's caption that follows them.
    void OnRecycleMode();
    void OnPermanentMode();
    void ShowJunkCaption();

    // Where an area was found and what it held when last measured.
    const std::string& AreaPath(CleanArea area) const { return areaPaths_[static_cast<int>(area)]; }
    uint64_t AreaSize(CleanArea area) const { return areaSizes_[static_cast<int>(area)]; }

    // The browsers' caches: their folders as last measured, and the
    // open-folder button's menu of them. BrowserCacheChoices gives the menu's
    // texts, or none when there is nothing to show (the clean runs, or no
    // cache was found, which the status line then says).
    const BrowserCaches& BrowserCacheFolders() const { return browserCaches_; }
    std::vector<std::string> BrowserCacheChoices();
    void OpenBrowserCache(size_t choice);

private:
    bool EmptyArea(CleanArea area);
    uint64_t RecycleBinBytes();
    void ShowRemainingTotals();

    const Platform platform_;
    DialogModel& controls_;
    MainDialogState& state_;
    ResultTable& results_;
    OptionSwitches& options_;

    // Indexed by CleanArea.
    std::string areaPaths_[kCleanAreaCount];
    uint64_t areaSizes_[kCleanAreaCount] = {};
    BrowserCaches browserCaches_;
    // What the last emptying of the browsers' caches left, for the end of the clean.
    BrowserCacheOutcome browserCacheOutcome_;
};

}  // namespace velnor
