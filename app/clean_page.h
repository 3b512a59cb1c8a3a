#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "app/main_dialog_state.h"
#include "app/option_switches.h"
#include "clean/system_areas.h"
#include "scan/found_files.h"

namespace velnor {

// The Clean page: the junk files' item and the six system areas with their
// sizes, the removal mode, the open-folder buttons and Start Clean, which
// removes the checked junk files and empties the chosen areas. The removal
// and the areas are the clean engine's; this page shows them.
class CleanPage {
public:
    CleanPage(const PartContext& context, FoundFiles& found, OptionSwitches& options)
        : platform_(context.platform),
          controls_(context.controls),
          state_(context.state),
          found_(found),
          options_(options),
          areas_(context.platform) {}

    void OnStartClean();
    // Returns how many checked files stayed on disk; their rows stay, checked.
    uint32_t RemoveJunkFiles();
    void MeasureCleanAreas();
    void ShowTotalGain();
    // Both of the above, under the wait cursor: as the page is entered and
    // after a clean.
    void MeasureAndShowGain();
    uint64_t GetFolderSize(const std::string& path, bool allSubfolders);
    bool CleanUrlCache() { return areas_.CleanUrlCache(); }
    long ClearUrlHistory() { return areas_.ClearUrlHistory(); }
    void OnToggleCleanItem(int pictureId);
    void OnOpenFolder(int buttonId);

    // The Recycle Bin and permanent-deletion pictures, on this page and on
    // the Options page, and the junk item's caption that follows them.
    void OnRecycleMode();
    void OnPermanentMode();
    void ShowJunkCaption();

    // Where an area was found and what it held when last measured.
    const std::string& AreaPath(CleanArea area) const { return areas_.Path(area); }
    uint64_t AreaSize(CleanArea area) const { return areas_.Size(area); }

    // The browsers' caches: their folders as last measured, and the
    // open-folder button's menu of them. BrowserCacheChoices gives the menu's
    // texts, or none when there is nothing to show (the clean runs, or no
    // cache was found, which the status line then says).
    const BrowserCaches& BrowserCacheFolders() const { return areas_.Browsers(); }
    std::vector<std::string> BrowserCacheChoices();
    void OpenBrowserCache(size_t choice);

private:
    void ShowRemainingTotals();

    const Platform platform_;
    DialogModel& controls_;
    MainDialogState& state_;
    FoundFiles& found_;
    OptionSwitches& options_;
    SystemAreas areas_;
};

}  // namespace velnor
