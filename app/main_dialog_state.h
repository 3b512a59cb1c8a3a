#pragma once
// What every part of the main window sees: the platform, the controls and the
// few flags that the parts share by design.
#include <cstdint>

#include "platform/platform.h"
#include "ui/control_model.h"

namespace velnor {

enum Page : int { kPageAbout = 0, kPagePath, kPageFilters, kPageExceptions, kPageOptions, kPageScan, kPageClean };

enum ScanState : int { kScanIdle = 0, kScanRunning = 1, kScanStopRequested = 3 };

struct MainDialogState {
    int currentPage = kPageAbout;
    int scanState = kScanIdle;
    // A scan runs (busy) or a clean runs (cleanBusy): the page buttons, Back,
    // Next and Help wait until it ends.
    bool busy = false;
    bool cleanBusy = false;
    // Off while a page's controls are swapped, so that the window does not
    // paint its background between the hiding and the showing.
    bool backgroundPaint = true;
    // The selected totals as the Scan page shows them: each hit of a scan
    // adds to them, a click in the result list's check strip and a clean
    // count them again from the found files. A check changed from the
    // keyboard is counted at the next click.
    uint32_t selectedCount = 0;
    uint64_t selectedSize = 0;

    bool Idle() const { return !busy && !cleanBusy; }
    void ClearTotals() {
        selectedCount = 0;
        selectedSize = 0;
    }
};

// Handed to every part when the main window is made.
struct PartContext {
    Platform platform;
    DialogModel& controls;
    MainDialogState& state;
};

}  // namespace velnor
