#include "app/clean_page.h"

#include <algorithm>

#include "app/main_dialog_texts.h"
#include "clean/clean_outcome.h"
#include "clean/clean_progress.h"
#include "clean/confirm_delete.h"
#include "clean/folder_walk.h"
#include "clean/junk_removal.h"
#include "res/resource.h"
#include "ui/result_table.h"
#include "ui/size_text.h"

namespace velnor {

namespace {

constexpr char kTotalGainText[] = "Status: Total amount disk space you gain: ";
constexpr char kJunkDoneText[] = "Success: Clean Junk Files!";
constexpr char kStoppedText[] = "Clean Stoped!";
constexpr char kDeletingText[] = "Deleting: Junk Files ...";
constexpr char kScanAgainText[] = "Scaning:Please click 'start scan' .";
constexpr char kNoBrowserCachesText[] = "Status: No browser cache folders were found.";

constexpr int kShowNormal = 1;

// The controls of each area, in the order of CleanArea.
struct AreaControls {
    int picture, sizeLabel, openButton;
};
constexpr AreaControls kAreaControls[kCleanAreaCount] = {
    {IDC_CLEAN_RECYCLE, IDC_SIZE_RECYCLE, IDC_OPEN_RECYCLE},
    {IDC_CLEAN_TEMP, IDC_SIZE_TEMP, IDC_OPEN_TEMP},
    {IDC_CLEAN_INTERNET, IDC_SIZE_INTERNET, IDC_OPEN_INTERNET},
    {IDC_CLEAN_HISTORY, IDC_SIZE_HISTORY, IDC_OPEN_HISTORY},
    {IDC_CLEAN_RECENT, IDC_SIZE_RECENT, IDC_OPEN_RECENT},
    {IDC_CLEAN_BROWSERS, IDC_SIZE_BROWSERS, IDC_OPEN_BROWSERS},
};

// The k-th of `selected` files fills the bar's junk share proportionally. The
// selected count can be stale (check boxes toggled from the keyboard are not
// counted until the next click), so k may pass it or it may be 0: the bar then
// stands at the end of the share instead of running past it.
int JunkProgress(uint32_t k, uint32_t selected) {
    if (selected == 0 || k >= selected) return kJunkProgressShare;
    const double position = static_cast<double>(k) / selected * kJunkProgressShare;
    return std::clamp(static_cast<int>(position), 0, kJunkProgressShare);
}

// The end of a clean. Where a running browser kept its caches and nothing
// else was left, the line says which browser to close.
std::string CleanEndText(const CleanOutcome& outcome, const BrowserCacheOutcome* caches) {
    const bool onlyTheCachesLeft = outcome.checkedFilesLeft == 0 && outcome.areasLeft.size() == 1;
    if (caches && !caches->running.empty() && caches->left == 0 && onlyTheCachesLeft)
        return CloseBrowsersText(caches->running);
    return CleanCompletedText(outcome);
}

}  // namespace

uint64_t CleanPage::GetFolderSize(const std::string& path, bool allSubfolders) {
    return platform_.files ? FolderSize(*platform_.files, path, allSubfolders) : 0;
}

void CleanPage::MeasureCleanAreas() {
    areas_.Measure();
    for (int i = 0; i < kCleanAreaCount; ++i)
        controls_[kAreaControls[i].sizeLabel].SetText(SizeText(areas_.Size(AreaAt(i))));
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
        if (options_.OptionOn(AreaInfo(AreaAt(i)).flag)) sum += areas_.Size(AreaAt(i));
    controls_[IDC_CLEAN_STATUS].SetText(kTotalGainText + SizeText(sum));
}

void CleanPage::OnToggleCleanItem(int pictureId) {
    ScanOptions::Flag flag;
    if (pictureId == IDC_CLEAN_JUNK) {
        flag = ScanOptions::kClean0;
    } else {
        int i = 0;
        while (i < kCleanAreaCount && kAreaControls[i].picture != pictureId) ++i;
        if (i == kCleanAreaCount) return;
        flag = AreaInfo(AreaAt(i)).flag;
    }
    options_.SetOption(flag, !options_.OptionOn(flag));
    ShowTotalGain();
}

void CleanPage::OnOpenFolder(int buttonId) {
    if (state_.cleanBusy) return;
    int i = 0;
    while (i < kCleanAreaCount && kAreaControls[i].openButton != buttonId) ++i;
    if (i == kCleanAreaCount) return;
    if (platform_.shell) {
        // The Recycle Bin has no one folder on disk; the shell knows where its
        // view is.
        if (AreaAt(i) == CleanArea::RecycleBin)
            platform_.shell->OpenSpecialFolder(kCsidlBitBucket);
        else if (!areas_.Path(AreaAt(i)).empty())
            platform_.shell->Execute("Open", areas_.Path(AreaAt(i)), kShowNormal);
    }
    controls_[buttonId].SetStateAndPicture(picture_state::kNormal);
}

std::vector<std::string> CleanPage::BrowserCacheChoices() {
    controls_[IDC_OPEN_BROWSERS].SetStateAndPicture(picture_state::kNormal);
    if (state_.cleanBusy) return {};
    std::vector<std::string> texts;
    for (const MeasuredCache& cache : areas_.Browsers().Caches()) texts.push_back(CacheMenuText(cache));
    if (texts.empty()) controls_[IDC_CLEAN_STATUS].SetText(kNoBrowserCachesText);
    return texts;
}

void CleanPage::OpenBrowserCache(size_t choice) {
    const std::vector<MeasuredCache>& caches = areas_.Browsers().Caches();
    if (state_.cleanBusy || choice >= caches.size() || !platform_.shell) return;
    platform_.shell->Execute("Open", caches[choice].path, kShowNormal);
}

void CleanPage::OnStartClean() {
    if (state_.cleanBusy) return;
    controls_[IDC_START_CLEAN].SetStateAndPicture(picture_state::kNormal);
    if (!ConfirmDelete(platform_.prompts)) return;

    const bool cleanJunk = options_.OptionOn(ScanOptions::kClean0);
    int range = cleanJunk ? kJunkProgressShare : 0;
    for (int i = 0; i < kCleanAreaCount; ++i)
        if (options_.OptionOn(AreaInfo(AreaAt(i)).flag)) range += kAreaProgressShare;
    Control progress = controls_[IDC_CLEAN_PROGRESS];
    Control status = controls_[IDC_CLEAN_STATUS];
    progress.SetRange(0, range);
    progress.SetPosition(0);

    state_.cleanBusy = true;
    int position = 0;
    CleanOutcome outcome;
    const BrowserCacheOutcome* browsersEmptied = nullptr;
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
        const CleanAreaInfo& area = AreaInfo(AreaAt(i));
        // Exit clears the flag; the steps still to come are then skipped.
        if (!options_.OptionOn(area.flag) || !state_.cleanBusy) continue;
        const WaitCursor wait(platform_.prompts);
        const bool emptied = areas_.Empty(AreaAt(i));
        if (AreaAt(i) == CleanArea::BrowserCaches) browsersEmptied = &areas_.BrowsersEmptied();
        if (!emptied) outcome.areasLeft.push_back(area.shortName);
        position += kAreaProgressShare;
        progress.SetPosition(position);
        status.SetText(AreaStepText(area.stepName, emptied));
    }

    MeasureAndShowGain();
    if (state_.cleanBusy) {
        state_.cleanBusy = false;
        status.SetText(CleanEndText(outcome, browsersEmptied));
    } else {
        status.SetText(kStoppedText);
    }
}

uint32_t CleanPage::RemoveJunkFiles() {
    const uint32_t selectedAtStart = state_.selectedCount;
    const RemovalMode mode = options_.OptionOn(ScanOptions::kRemove) ? RemovalMode::RecycleBin : RemovalMode::Permanent;
    // Nothing else runs while the files go (the queue is not drained); Exit
    // can only have cleared the busy flag before.
    const uint32_t left = RemoveCheckedFiles(found_, platform_, mode, nullptr, [&](uint32_t k) {
        if (!state_.cleanBusy) return false;
        const WaitCursor wait(platform_.prompts);
        controls_[IDC_CLEAN_PROGRESS].SetPosition(JunkProgress(k, selectedAtStart));
        controls_[IDC_CLEAN_STATUS].SetText(kDeletingText);
        return true;
    });
    ShowRemainingTotals();
    controls_[IDC_SCAN_STATUS].SetText(kScanAgainText);
    return left;
}

// What the list holds after a removal: nothing as a rule, or the checked
// files that stayed and the rows that a stopped clean did not reach.
void CleanPage::ShowRemainingTotals() {
    state_.selectedCount = found_.CheckedCount();
    state_.selectedSize = found_.CheckedSize();
    if (found_.Count() == 0) {
        controls_[IDC_TOTAL_FILES].SetText(kTotalFilesZero);
        controls_[IDC_TOTAL_SIZE].SetText(kTotalSizeZero);
        controls_[IDC_SELECTED_FILES].SetText(kSelectedFilesZero);
        controls_[IDC_SELECTED_SIZE].SetText(kSelectedSizeZero);
        return;
    }
    controls_[IDC_TOTAL_FILES].SetText(kTotalFiles + DecimalText(found_.TotalCount()));
    controls_[IDC_TOTAL_SIZE].SetText(kTotalSize + SizeText(found_.TotalSize()));
    controls_[IDC_SELECTED_FILES].SetText(SelectedFilesText(state_.selectedCount));
    controls_[IDC_SELECTED_SIZE].SetText(SelectedSizeText(state_.selectedSize));
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
