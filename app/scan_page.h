#pragma once
#include <cstdint>
#include <string>

#include "app/main_dialog_state.h"
#include "app/option_switches.h"
#include "profile/profile.h"
#include "scan/junk_scan.h"
#include "ui/result_table.h"

namespace velnor {

class PageFlow;

// The Scan page: Start Scan walks the checked locations breadth-first and
// lists every wanted file in the result list, with live totals; Stop Scan
// ends the walk. The walk is the scan engine's; this page shows it and lets
// the window answer between folders.
class ScanPage : private ScanListener {
public:
    ScanPage(const PartContext& context, const ScanProfile& profile, FoundFiles& found, ResultTable& results,
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

    const std::deque<std::string>& LocationQueue() const { return engine_.Queue(); }
    const FilterSet& Filters() const { return engine_.Filters(); }
    const ScanOptions& TakenOptions() const { return engine_.Options(); }

private:
    void OnFolder(const std::string& path) override;
    void OnHits(std::vector<JunkItem>& hits) override;
    bool OnBreath() override;
    void ShowHits();

    const Platform platform_;
    DialogModel& controls_;
    MainDialogState& state_;
    const ScanProfile& profile_;
    FoundFiles& found_;
    ResultTable& results_;
    const OptionSwitches& options_;
    PageFlow& flow_;

    JunkScan engine_;
    uint32_t shownTotal_ = 0;  // the found files that the totals' texts count
    Control selectedFilesText_;
    Control selectedSizeText_;
};

}  // namespace velnor
