// Start Clean's first step: the checked rows of the result list leave it and
// their files are deleted or sent to the Recycle Bin.
#include <algorithm>
#include <optional>

#include "app/clean_page.h"
#include "app/main_dialog_texts.h"
#include "clean/clean_progress.h"
#include "clean/shell_delete.h"
#include "res/resource.h"

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

// The user checked the file, so its read-only mark does not keep it (the
// Recycle Bin takes such files too). When the deletion fails all the same, the
// file is left as it was found.
bool DeleteCheckedFile(IFileSystem& files, const std::string& path) {
    if (files.DeleteFile(path)) return true;
    const std::optional<uint32_t> attributes = files.Attributes(path);
    if (!attributes || (*attributes & kAttrDirectory) || !(*attributes & kAttrReadOnly)) return false;
    if (!files.SetAttributes(path, *attributes & ~kAttrReadOnly)) return false;
    if (files.DeleteFile(path)) return true;
    files.SetAttributes(path, *attributes);
    return false;
}

bool FileStillThere(IFileSystem* files, const std::string& path) {
    if (!files) return true;
    return files->Enumerate(path, [](const FindData&) { return false; });
}

}  // namespace

void CleanPage::RemoveJunkFiles() {
    const uint32_t selectedAtStart = state_.selectedCount;
    uint32_t k = 0;
    state_.totalCount = 0;
    state_.totalSize = 0;
    std::vector<std::string> toRecycle;
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

        // Stale counters must not wrap round to huge numbers.
        state_.selectedSize -= std::min(state_.selectedSize, item.size);
        if (state_.selectedCount > 0) --state_.selectedCount;

        // A wildcard would make the shell remove every file it matches,
        // checked or not, and a stand-in character would name another file;
        // such a file stays, in either mode.
        if (!UnsafeForShellList(item.path)) {
            if (!permanent)
                toRecycle.push_back(item.path);
            else if (platform_.files)
                DeleteCheckedFile(*platform_.files, item.path);
        }
        controls_[IDC_CLEAN_STATUS].SetText(kDeletingText);
    }
    results_.EraseFront(taken);
    // A count that had gone stale (check boxes changed from the keyboard)
    // must not outlive the rows it counted.
    if (results_.RowCount() == 0) {
        state_.selectedCount = 0;
        state_.selectedSize = 0;
    }

    // The shell refuses the whole list when one of its files is missing, so a
    // file that someone else removed since the scan would keep every other
    // checked file out of the Recycle Bin.
    std::vector<std::string> present;
    for (const std::string& path : toRecycle)
        if (FileStillThere(platform_.files, path)) present.push_back(path);
    if (platform_.shell && ShellDelete(*platform_.shell, DoubleNulList(present), false) != 0 && present.size() > 1) {
        // The shell gives up at the first file it cannot take (one held open
        // by another program) and leaves every file after it; those are
        // offered one by one, so that only the file in use stays.
        for (const std::string& path : present)
            if (FileStillThere(platform_.files, path)) ShellDelete(*platform_.shell, DoubleNulList({path}), false);
    }

    controls_[IDC_TOTAL_FILES].SetText(kTotalFilesZero);
    controls_[IDC_TOTAL_SIZE].SetText(kTotalSizeZero);
    controls_[IDC_SELECTED_FILES].SetText(kSelectedFilesZero);
    controls_[IDC_SELECTED_SIZE].SetText(kSelectedSizeZero);
    controls_[IDC_SCAN_STATUS].SetText(kScanAgainText);
}

}  // namespace velnor
