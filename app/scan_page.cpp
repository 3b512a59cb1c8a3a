#include "app/scan_page.h"

#include <string>

#include "app/main_dialog_texts.h"
#include "app/page_flow.h"
#include "res/resource.h"
#include "ui/size_text.h"

namespace velnor {

namespace {

constexpr char kStatusCompleted[] = "Scaning: Completed!";
constexpr char kStatusFinished[] = "Scaning: Scan Completed! Please Click 'Next' to Continue...";
constexpr char kStatusFolder[] = "Scaning: ";

constexpr int kScanTexts[] = {IDC_SCAN_STATUS, IDC_TOTAL_FILES, IDC_TOTAL_SIZE, IDC_SELECTED_FILES,
                              IDC_SELECTED_SIZE};

using namespace picture_state;

}  // namespace

bool ScanPage::IsScanText(int controlId) {
    for (int id : kScanTexts)
        if (id == controlId) return true;
    return false;
}

ScanPage::ScanPage(const PartContext& context, const ScanProfile& profile, FoundFiles& found, ResultTable& results,
                   const OptionSwitches& options, PageFlow& flow)
    : platform_(context.platform),
      controls_(context.controls),
      state_(context.state),
      profile_(profile),
      found_(found),
      results_(results),
      options_(options),
      flow_(flow),
      engine_(context.platform.files, context.platform.locale),
      selectedFilesText_(controls_[IDC_SELECTED_FILES]),
      selectedSizeText_(controls_[IDC_SELECTED_SIZE]) {}

void ScanPage::SetupResultList() {
    state_.ClearTotals();
    results_.SetStyles(true, true);
    results_.InsertColumns({{"", 30},
                            {"File Name", 100},
                            {"Location", 165},
                            {"Size(Bytes)", 70, ColumnType::Integer},
                            {"Modified", 85, ColumnType::DateTime}});
    results_.SetHeaderImages(ImageStrip{IDB_HEADER_CHECKS, 13});
    results_.SetHeaderCheckImage(kHeaderAllChecked);
    if (platform_.locale) {
        ILocale* locale = platform_.locale;
        results_.SetTimeFormatter([locale](uint64_t time) { return locale->FormatModified(time); });
    }
}

void ScanPage::OnStartScan() {
    if (!state_.Idle()) return;
    const int state = controls_[IDC_START_SCAN].ButtonState();
    if (state != kNormal && state != kHover) return;
    if (state_.currentPage != kPageScan) flow_.EnterPage(kPageScan);
    controls_[IDC_START_SCAN].SetStateAndPicture(kBusy);
    controls_[IDC_STOP_SCAN].SetStateAndPicture(kNormal);
    if (state_.scanState != kScanIdle) return;
    state_.busy = true;
    state_.scanState = kScanRunning;
    RunScan();
    if (state_.scanState != kScanIdle) {
        controls_[IDC_STOP_SCAN].SetStateAndPicture(kDisabled);
        controls_[IDC_START_SCAN].SetStateAndPicture(kNormal);
        state_.scanState = kScanIdle;
        state_.busy = false;
    }
}

void ScanPage::OnStopScan() {
    if (controls_[IDC_STOP_SCAN].ButtonState() == kDisabled) return;
    controls_[IDC_STOP_SCAN].SetStateAndPicture(kDisabled);
    controls_[IDC_START_SCAN].SetStateAndPicture(kNormal);
    if (state_.scanState == kScanRunning) state_.scanState = kScanStopRequested;
    state_.busy = false;
}

void ScanPage::RunScan() {
    controls_[IDC_TOTAL_FILES].SetText(kTotalFilesZero);
    controls_[IDC_TOTAL_SIZE].SetText(kTotalSizeZero);
    selectedFilesText_.SetText(kSelectedFilesZero);
    selectedSizeText_.SetText(kSelectedSizeZero);
    state_.ClearTotals();
    found_.Clear();
    shownTotal_ = 0;
    results_.SetHeaderCheckImage(kHeaderAllChecked);
    results_.LinkTotals(&state_.selectedCount, &state_.selectedSize, &selectedFilesText_, &selectedSizeText_);

    PrepareScanLists();

    if (engine_.Done()) {
        state_.busy = false;
        controls_[IDC_STOP_SCAN].SetStateAndPicture(kDisabled);
        controls_[IDC_START_SCAN].SetStateAndPicture(kNormal);
        controls_[IDC_SCAN_STATUS].SetText(kStatusCompleted);
        state_.scanState = kScanIdle;
        return;
    }

    // Stop Scan, closing the window and clicks in the check strip arrive in
    // a drain between folders (and within a big one) once a frame's time has
    // passed since the last; a stop ends the scan there, so that what the
    // folder in hand held is listed.
    IMessagePump* pump = platform_.pump;
    while (!engine_.Done() && state_.scanState == kScanRunning) {
        engine_.WalkNextFolder(*this);
        // A stop within the folder ended it; the queue is drained once more.
        if (pump && (pump->DrainDue() || state_.scanState != kScanRunning)) pump->Drain();
    }
    // A stop between two folders lets go of the folders read ahead.
    engine_.Stop();

    controls_[IDC_SCAN_STATUS].SetText(kStatusFinished);
    state_.busy = false;
    controls_[IDC_STOP_SCAN].SetStateAndPicture(kDisabled);
    controls_[IDC_START_SCAN].SetStateAndPicture(kNormal);
    state_.scanState = kScanIdle;
}

void ScanPage::OnFolder(const std::string& path) { controls_[IDC_SCAN_STATUS].SetText(kStatusFolder + path); }

void ScanPage::OnHits(std::vector<JunkItem>& hits) {
    found_.Append(hits);
    ShowHits();
}

bool ScanPage::OnBreath() {
    IMessagePump* pump = platform_.pump;
    if (pump && pump->DrainDue()) pump->Drain();
    return state_.scanState == kScanRunning;
}

void ScanPage::PrepareScanLists() {
    engine_.Start(profile_);
}

// The texts follow the hits that reached the list since they were last shown;
// each hit is checked, so it counts in the selected totals too.
void ScanPage::ShowHits() {
    if (found_.TotalCount() == shownTotal_) return;
    uint64_t newBytes = 0;
    for (int row = static_cast<int>(shownTotal_); row < found_.Count(); ++row) newBytes += found_.At(row).size;
    state_.selectedCount += found_.TotalCount() - shownTotal_;
    state_.selectedSize += newBytes;
    shownTotal_ = found_.TotalCount();
    controls_[IDC_TOTAL_FILES].SetText(kTotalFiles + DecimalText(found_.TotalCount()));
    controls_[IDC_TOTAL_SIZE].SetText(kTotalSize + SizeText(found_.TotalSize()));
    selectedFilesText_.SetText(SelectedFilesText(state_.selectedCount));
    selectedSizeText_.SetText(SelectedSizeText(state_.selectedSize));
}

}  // namespace velnor
