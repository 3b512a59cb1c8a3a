#pragma once
#include <deque>
#include <string>
#include <vector>

#include "app/main_dialog_state.h"
#include "app/option_switches.h"
#include "profile/profile.h"
#include "scan/filter_set.h"
#include "ui/result_table.h"

namespace velnor {

class PageFlow;

// The Scan page: Start Scan walks the checked locations breadth-first and
// lists every wanted file in the result list, with live totals; Stop Scan
// ends the walk.
class ScanPage {
public:
    ScanPage(const PartContext& context, const ScanProfile& profile, ResultTable& results,
             const OptionSwitches& options, PageFlow& flow);

    void OnStartScan();
    void OnStopScan();
    void RunScan();
    // The walk's work lists and the options it runs with, taken from the
    // profile when a scan starts.
    void PrepareScanLists();
    void SetupResultList();
    // The status line and the four totals: the texts that a scan changes in
    // every folder.
    static bool IsScanText(int controlId);

    const std::deque<std::string>& LocationQueue() const { return locationQueue_; }
    const FilterSet& Filters() const { return filterSet_; }
    const ScanOptions& TakenOptions() const { return taken_; }

private:
    void ProcessFolder(const std::string& path);
    void ShowHits(std::vector<JunkItem>& hits);

    const Platform platform_;
    DialogModel& controls_;
    MainDialogState& state_;
    const ScanProfile& profile_;
    ResultTable& results_;
    const OptionSwitches& options_;
    PageFlow& flow_;

    std::deque<std::string> locationQueue_;
    FilterSet filterSet_;
    ScanOptions taken_;
    Control selectedFilesText_;
    Control selectedSizeText_;
};

}  // namespace velnor
