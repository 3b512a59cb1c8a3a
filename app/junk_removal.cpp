// Start Clean's first step: the checked rows of the result list leave it and
// their files are deleted or sent to the Recycle Bin.
#include <algorithm>

#include "app/clean_page.h"
#include "app/main_dialog_texts.h"
#include "clean/clean_progress.h"
#include "clean/folder_walk.h"
#include "clean/shell_delete.h"
#include "platform/exact_path.h"
#include "res/resource.h"
#include "ui/size_text.h"

namespace velnor {

namespace {

const char kDeletingText[] = "Deleting: Junk Files ...";
const char kScanAgainText[] = "Scaning:Please click 'start scan' .";

// The k-th of `selected` files fills the bar's junk share proportionally. The
// selected count can be stale (check boxes toggled from the keyboard are not
// counted until the next click), so k may pass it or it may be 0: the bar then
// stands at the end of the share instead of running past it.
int JunkProgress(uint32_t k, uint32_t selected) {
    if (selected == 0 || k >= selected) return kJunkProgressShare;
    const double position = static_cast<double>(k) / selected * kJunkProgressShare;
    return std::clamp(static_cast<int>(position), 0, kJunkProgressShare);
}

// The shell takes plain paths only, and a plain path may reach another file
// than the one listed (a name ending in a blank or a dot, a device name, a
// path past the limit) or a link's target: such a file is not handed to it.
bool ShellCanRecycleExactly(IFileSystem* files, const std::string& path) {
    return PlainPathIsExact(path) && files && !files->LeadsElsewhere(path);
}

}  // namespace

uint32_t CleanPage::RemoveJunkFiles() {
    const uint32_t selectedAtStart = state_.selectedCount;
    uint32_t k = 0;
    std::vector<int> left;     // rows of checked files that are still there
    std::vector<int> recycle;  // rows whose files go to the Recycle Bin together
    const bool permanent = !options_.OptionOn(ScanOptions::kRemove);

    // Rows leave the list from the top. Nothing else runs while the files go
    // (the queue is not drained), so the rows taken are dropped together at
    // the end and the list view is brought up to date once.
    int taken = 0;
    for (; state_.cleanBusy && taken < results_.RowCount(); ++taken) {
        const JunkItem& item = results_.Item(taken);
        if (!item.checked) continue;
        ++k;
        controls_[IDC_CLEAN_PROGRESS].SetPosition(JunkProgress(k, selectedAtStart));
        const WaitCursor wait(platform_.prompts);

        // A wildcard would make the shell remove every file it matches,
        // checked or not, and a stand-in character would name another file;
        // such a file stays, in either mode.
        bool stays = true;
        if (UnsafeForShellList(item.path) || !platform_.files) {
            stays = true;
        } else if (permanent) {
            stays = !RemoveChosenFile(*platform_.files, item.path) && FileStillThere(*platform_.files, item.path);
        } else if (ShellCanRecycleExactly(platform_.files, item.path)) {
            recycle.push_back(taken);
            stays = false;
        }
        if (stays) left.push_back(taken);
        controls_[IDC_CLEAN_STATUS].SetText(kDeletingText);
    }

    // The shell refuses the whole list when one of its files is missing, so a
    // file that someone else removed since the scan would keep every other
    // checked file out of the Recycle Bin.
    const auto stillThere = [this](const std::string& path) {
        return !platform_.files || FileStillThere(*platform_.files, path);
    };
    std::vector<std::string> present;
    for (int row : recycle)
        if (stillThere(results_.Item(row).path)) present.push_back(results_.Item(row).path);
    if (platform_.shell && ShellDelete(*platform_.shell, DoubleNulList(present), false) != 0 && present.size() > 1) {
        // The shell gives up at the first file it cannot take (one held open
        // by another program) and leaves every file after it; those are
        // offered one by one, so that only the file in use stays.
        for (const std::string& path : present)
            if (stillThere(path)) ShellDelete(*platform_.shell, DoubleNulList({path}), false);
    }
    // Whatever the shell said, a file that is still there keeps its row.
    for (int row : recycle)
        if (stillThere(results_.Item(row).path)) left.push_back(row);
    std::sort(left.begin(), left.end());
    results_.EraseFront(taken, left);
    ShowRemainingTotals();
    controls_[IDC_SCAN_STATUS].SetText(kScanAgainText);
    return static_cast<uint32_t>(left.size());
}

// What the list holds after a removal: nothing as a rule, or the checked
// files that stayed and the rows that a stopped clean did not reach.
void CleanPage::ShowRemainingTotals() {
    state_.ClearTotals();
    for (int row = 0; row < results_.RowCount(); ++row) {
        const JunkItem& item = results_.Item(row);
        ++state_.totalCount;
        state_.totalSize += item.size;
        if (!item.checked) continue;
        ++state_.selectedCount;
        state_.selectedSize += item.size;
    }
    if (results_.RowCount() == 0) {
        controls_[IDC_TOTAL_FILES].SetText(kTotalFilesZero);
        controls_[IDC_TOTAL_SIZE].SetText(kTotalSizeZero);
        controls_[IDC_SELECTED_FILES].SetText(kSelectedFilesZero);
        controls_[IDC_SELECTED_SIZE].SetText(kSelectedSizeZero);
        return;
    }
    controls_[IDC_TOTAL_FILES].SetText(kTotalFiles + DecimalText(state_.totalCount));
    controls_[IDC_TOTAL_SIZE].SetText(kTotalSize + SizeText(state_.totalSize));
    controls_[IDC_SELECTED_FILES].SetText(SelectedFilesText(state_.selectedCount));
    controls_[IDC_SELECTED_SIZE].SetText(SelectedSizeText(state_.selectedSize));
}

}  // namespace velnor
