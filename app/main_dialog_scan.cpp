#include <string>
#include <vector>

#include "app/main_dialog_model.h"
#include "app/main_dialog_texts.h"
#include "platform/search_pattern.h"
#include "res/resource.h"
#include "scan/location_queue.h"
#include "scan/unusable_name.h"
#include "ui/size_text.h"
#include "ui/utf8.h"

namespace velnor {

namespace {

constexpr char kStatusCompleted[] = "Scaning: Completed!";
constexpr char kStatusFinished[] = "Scaning: Scan Completed! Please Click 'Next' to Continue...";
constexpr char kStatusFolder[] = "Scaning: ";
constexpr char kTotalFiles[] = "Total Files: ";
constexpr char kTotalSize[] = "Total Size:  ";
constexpr char kSelectedFiles[] = "Selected Files: ";
constexpr char kSelectedSize[] = "Selected Size:  ";

// A folder of very many entries still lets the window answer: the queue is
// drained after this many entries as well as after every folder.
constexpr int kEntriesPerDrain = 2000;

using namespace picture_state;

}  // namespace

void MainDialogModel::OnStartScan() {
    if (busy || cleanBusy) return;
    const int state = controls[IDC_START_SCAN].ButtonState();
    if (state != kNormal && state != kHover) return;
    if (currentPage != kPageScan) EnterPage(kPageScan);
    controls[IDC_START_SCAN].SetStateAndPicture(kBusy);
    controls[IDC_STOP_SCAN].SetStateAndPicture(kNormal);
    if (scanState != kScanIdle) return;
    busy = true;
    scanState = kScanRunning;
    RunScan();
    if (scanState != kScanIdle) {
        controls[IDC_STOP_SCAN].SetStateAndPicture(kDisabled);
        controls[IDC_START_SCAN].SetStateAndPicture(kNormal);
        scanState = kScanIdle;
        busy = false;
    }
}

void MainDialogModel::OnStopScan() {
    if (controls[IDC_STOP_SCAN].ButtonState() == kDisabled) return;
    controls[IDC_STOP_SCAN].SetStateAndPicture(kDisabled);
    controls[IDC_START_SCAN].SetStateAndPicture(kNormal);
    if (scanState == kScanRunning) scanState = kScanStopRequested;
    busy = false;
}

void MainDialogModel::RunScan() {
    controls[IDC_TOTAL_FILES].SetText(kTotalFilesZero);
    controls[IDC_TOTAL_SIZE].SetText(kTotalSizeZero);
    selectedFilesText_.SetText(kSelectedFilesZero);
    selectedSizeText_.SetText(kSelectedSizeZero);
    totalCount = 0;
    totalSize = 0;
    selectedCount = 0;
    selectedSize = 0;
    results.Clear();
    results.SetHeaderCheckImage(kHeaderAllChecked);
    results.LinkTotals(&selectedCount, &selectedSize, &selectedFilesText_, &selectedSizeText_);

    PrepareScanLists();

    if (locationQueue.empty()) {
        busy = false;
        controls[IDC_STOP_SCAN].SetStateAndPicture(kDisabled);
        controls[IDC_START_SCAN].SetStateAndPicture(kNormal);
        controls[IDC_SCAN_STATUS].SetText(kStatusCompleted);
        scanState = kScanIdle;
        return;
    }

    for (;;) {
        if (scanState == kScanRunning) {
            ProcessFolder(locationQueue.front());
            locationQueue.pop_front();
        }
        // Stop Scan, closing the window and clicks in the check strip all
        // arrive here, once per folder.
        if (platform_.pump) platform_.pump->Drain();
        if (locationQueue.empty()) scanState = kScanStopRequested;
        if (scanState == kScanStopRequested) break;
    }

    controls[IDC_SCAN_STATUS].SetText(kStatusFinished);
    busy = false;
    controls[IDC_STOP_SCAN].SetStateAndPicture(kDisabled);
    controls[IDC_START_SCAN].SetStateAndPicture(kNormal);
    scanState = kScanIdle;
}

void MainDialogModel::PrepareScanLists() {
    locationQueue.clear();
    filterSet.Clear();
    includeReadOnly = OptionOn(ScanOptions::kRead);
    includeSystem = OptionOn(ScanOptions::kSystem);
    includeHidden = OptionOn(ScanOptions::kHide);
    findZeroSize = OptionOn(ScanOptions::kZero);

    const LocationTable& locations = profile.locations;
    std::vector<std::string> checked;
    for (int row = 0; row < locations.RowCount(); ++row) {
        const LocationEntry& location = locations.At(row);
        if (!location.checked) continue;
        std::string text = Utf8Prefix(location.path, kMaxLocationChars);
        if (platform_.locale) text = platform_.locale->Lower(text);
        checked.push_back(NormaliseLocation(text));
    }
    for (std::string& location : UncoveredLocations(checked)) locationQueue.push_back(std::move(location));

    const FilterTable& filters = profile.filters;
    for (int row = 0; row < filters.RowCount(); ++row) {
        const FilterEntry& filter = filters.At(row);
        if (!filter.checked) continue;
        if (filter.type == FilterType::Exclude)
            filterSet.AddException(filter.pattern);
        else
            filterSet.AddInclude(filter.pattern);
    }

    const ExclusionTable& exclusions = profile.exclusions;
    for (int row = 0; row < exclusions.RowCount(); ++row) filterSet.AddFolderExclusion(exclusions.At(row).pattern);
}

void MainDialogModel::ProcessFolder(const std::string& path) {
    if (filterSet.IsFolderExcluded(path)) return;
    controls[IDC_SCAN_STATUS].SetText(kStatusFolder + path);
    // A location can name no file too (chosen where the code page could not
    // hold its name); nothing below it could be handed back.
    if (!platform_.files || NamesNoFile(path)) return;

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
        if (scanState != kScanRunning) return false;
        if (entriesSinceDrain == kEntriesPerDrain) {
            entriesSinceDrain = 0;
            ShowHits(hits);
            if (platform_.pump) platform_.pump->Drain();
            if (scanState != kScanRunning) return false;
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
            if (!refused && !(a & kAttrReparsePoint)) locationQueue.push_back(folder + entry.name);
            return true;
        }
        const bool zeroSizeHit = findZeroSize && entry.size == 0;
        if (!zeroSizeHit && (refused || !filterSet.IsFileWanted(entry.name))) return true;

        ++totalCount;
        totalSize += entry.size;
        ++selectedCount;
        selectedSize += entry.size;
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

void MainDialogModel::ShowHits(std::vector<JunkItem>& hits) {
    if (hits.empty()) return;
    results.Append(hits);
    controls[IDC_TOTAL_FILES].SetText(kTotalFiles + DecimalText(totalCount));
    controls[IDC_TOTAL_SIZE].SetText(kTotalSize + SizeText(totalSize));
    selectedFilesText_.SetText(kSelectedFiles + DecimalText(selectedCount));
    selectedSizeText_.SetText(kSelectedSize + SizeText(selectedSize));
}

}  // namespace velnor
