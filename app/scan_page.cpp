#include "app/scan_page.h"

#include <string>
#include <vector>

#include "app/main_dialog_texts.h"
#include "app/page_flow.h"
#include "platform/search_pattern.h"
#include "res/resource.h"
#include "scan/location_queue.h"
#include "scan/unusable_name.h"
#include "ui/size_text.h"
#include "scan/utf8.h"

namespace velnor {

namespace {

constexpr char kStatusCompleted[] = "Scaning: Completed!";
constexpr char kStatusFinished[] = "Scaning: Scan Completed! Please Click 'Next' to Continue...";
constexpr char kStatusFolder[] = "Scaning: ";

// A folder of very many entries still lets the window answer: the queue is
// drained after this many entries as well as after every folder.
constexpr int kEntriesPerDrain = 2000;

constexpr int kScanTexts[] = {IDC_SCAN_STATUS, IDC_TOTAL_FILES, IDC_TOTAL_SIZE, IDC_SELECTED_FILES,
                              IDC_SELECTED_SIZE};

using namespace picture_state;

}  // namespace

bool ScanPage::IsScanText(int controlId) {
    for (int id : kScanTexts)
        if (id == controlId) return true;
    return false;
}

ScanPage::ScanPage(const PartContext& context, const ScanProfile& profile, ResultTable& results,
                   const OptionSwitches& options, PageFlow& flow)
    : platform_(context.platform),
      controls_(context.controls),
      state_(context.state),
      profile_(profile),
      results_(results),
      options_(options),
      flow_(flow),
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
    results_.Clear();
    results_.SetHeaderCheckImage(kHeaderAllChecked);
    results_.LinkTotals(&state_.selectedCount, &state_.selectedSize, &selectedFilesText_, &selectedSizeText_);

    PrepareScanLists();

    if (locationQueue_.empty()) {
        state_.busy = false;
        controls_[IDC_STOP_SCAN].SetStateAndPicture(kDisabled);
        controls_[IDC_START_SCAN].SetStateAndPicture(kNormal);
        controls_[IDC_SCAN_STATUS].SetText(kStatusCompleted);
        state_.scanState = kScanIdle;
        return;
    }

    for (;;) {
        if (state_.scanState == kScanRunning) {
            ProcessFolder(locationQueue_.front());
            locationQueue_.pop_front();
        }
        // Stop Scan, closing the window and clicks in the check strip all
        // arrive here, once per folder.
        if (platform_.pump) platform_.pump->Drain();
        if (locationQueue_.empty()) state_.scanState = kScanStopRequested;
        if (state_.scanState == kScanStopRequested) break;
    }

    controls_[IDC_SCAN_STATUS].SetText(kStatusFinished);
    state_.busy = false;
    controls_[IDC_STOP_SCAN].SetStateAndPicture(kDisabled);
    controls_[IDC_START_SCAN].SetStateAndPicture(kNormal);
    state_.scanState = kScanIdle;
}

void ScanPage::PrepareScanLists() {
    locationQueue_.clear();
    filterSet_.Clear();
    taken_ = options_.Options();

    const LocationTable& locations = profile_.locations;
    std::vector<std::string> checked;
    for (int row = 0; row < locations.RowCount(); ++row) {
        const LocationEntry& location = locations.At(row);
        if (!location.checked) continue;
        std::string text = Utf8Prefix(location.path, kMaxLocationChars);
        if (platform_.locale) text = platform_.locale->Lower(text);
        checked.push_back(NormaliseLocation(text));
    }
    for (std::string& location : UncoveredLocations(checked)) locationQueue_.push_back(std::move(location));

    const FilterTable& filters = profile_.filters;
    for (int row = 0; row < filters.RowCount(); ++row) {
        const FilterEntry& filter = filters.At(row);
        if (!filter.checked) continue;
        if (filter.type == FilterType::Exclude)
            filterSet_.AddException(filter.pattern);
        else
            filterSet_.AddInclude(filter.pattern);
    }

    const ExclusionTable& exclusions = profile_.exclusions;
    for (int row = 0; row < exclusions.RowCount(); ++row) filterSet_.AddFolderExclusion(exclusions.At(row).pattern);
}

void ScanPage::ProcessFolder(const std::string& path) {
    if (filterSet_.IsFolderExcluded(path)) return;
    controls_[IDC_SCAN_STATUS].SetText(kStatusFolder + path);
    // A location can name no file too (chosen where the code page could not
    // hold its name); nothing below it could be handed back.
    if (!platform_.files || NamesNoFile(path)) return;

    const bool includeHidden = taken_[ScanOptions::kHide];
    const bool includeReadOnly = taken_[ScanOptions::kRead];
    const bool includeSystem = taken_[ScanOptions::kSystem];
    const bool findZeroSize = taken_[ScanOptions::kZero];
    const std::string pattern = SearchPattern(path);
    // Entries are named from the pattern's folder part, so "c:" and "c:\temp\"
    // give "c:\name" and "c:\temp\name".
    const std::string folder = pattern.substr(0, pattern.find_last_of("\\/")) + "\\";
    // Nothing is painted between two drains, so hits wait here and reach the
    // table and the texts together just before the next drain: whatever runs
    // in the drain (a check-strip click, a sort, Stop Scan) sees a table that
    // agrees with the counters.
    std::vector<JunkItem> hits;
    int entriesSinceDrain = 0;

    platform_.files->Enumerate(pattern, [&](const FindData& entry) {
        if (state_.scanState != kScanRunning) return false;
        if (entriesSinceDrain == kEntriesPerDrain) {
            entriesSinceDrain = 0;
            ShowHits(hits);
            if (platform_.pump) platform_.pump->Drain();
            if (state_.scanState != kScanRunning) return false;
        }
        ++entriesSinceDrain;
        if (entry.name == "." || entry.name == "..") return true;
        if (NamesNoFile(entry.name)) return true;
        const uint32_t a = entry.attributes;
        const bool refused = ((a & kAttrHidden) && !includeHidden) || ((a & kAttrReadOnly) && !includeReadOnly) ||
                             ((a & kAttrSystem) && !includeSystem);
        if (a & kAttrDirectory) {
            // A junction or link can lead back up (an endless walk) or into a
            // folder that the exclusions were written to keep out.
            if (!refused && !(a & kAttrReparsePoint)) locationQueue_.push_back(folder + entry.name);
            return true;
        }
        // A link to a file is not the file it leads to: it is never listed,
        // so that no removal can reach its target. (Where listings do not
        // show such links, the removal itself refuses them.)
        if (a & kAttrReparsePoint) return true;
        const bool zeroSizeHit = findZeroSize && entry.size == 0;
        if (!zeroSizeHit && (refused || !filterSet_.IsFileWanted(entry.name))) return true;

        ++state_.totalCount;
        state_.totalSize += entry.size;
        ++state_.selectedCount;
        state_.selectedSize += entry.size;
        JunkItem item;
        item.name = entry.name;
        item.path = folder + entry.name;
        item.size = entry.size;
        item.modified = entry.lastWriteTime;
        hits.push_back(std::move(item));
        return true;
    });
    ShowHits(hits);
}

void ScanPage::ShowHits(std::vector<JunkItem>& hits) {
    if (hits.empty()) return;
    results_.Append(hits);
    controls_[IDC_TOTAL_FILES].SetText(kTotalFiles + DecimalText(state_.totalCount));
    controls_[IDC_TOTAL_SIZE].SetText(kTotalSize + SizeText(state_.totalSize));
    selectedFilesText_.SetText(SelectedFilesText(state_.selectedCount));
    selectedSizeText_.SetText(SelectedSizeText(state_.selectedSize));
}

}  // namespace velnor
