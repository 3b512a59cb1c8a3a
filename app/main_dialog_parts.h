#pragma once
#include "app/about_page.h"
#include "app/clean_page.h"
#include "app/list_pages.h"
#include "app/main_dialog_state.h"
#include "app/main_window_hooks.h"
#include "app/option_switches.h"
#include "app/page_flow.h"
#include "app/profile_store.h"
#include "app/scan_page.h"
#include "profile/profile.h"
#include "ui/control_model.h"
#include "ui/profile_lists.h"
#include "ui/result_table.h"

namespace velnor {

// The main window, free of the platform's window code, made of its parts:
// every control of template 102 is a ControlState in `controls`, the four
// lists show records through their models, and each part handles the commands of its
// page. The Win32 dialog (CMainDialog) holds one, mirrors its models onto the
// real controls and hands each command to its part.
class MainDialogParts {
public:
    // Without a window, the hooks do nothing.
    explicit MainDialogParts(const Platform& platform, MainWindowHooks* window = nullptr);
    MainDialogParts(const MainDialogParts&) = delete;
    MainDialogParts& operator=(const MainDialogParts&) = delete;

    // Start-up: the portable steps of the dialog's initialisation, in order.
    void InitializeState();      // flags, page, profile path
    void LayoutControls();       // every control at its place, every button set up
    void LoadProfileAndLists();  // location, exclusion and filter lists, result list, options
    // Exit, Close, a double click on the title icon: the profile is saved and
    // the window closes, after a scan or clean has been told to stop.
    void OnExitCommand();

    Control Ctl(int id) { return controls[id]; }

    // Shared by the parts.
    DialogModel controls;
    ScanProfile profile;
    ProfileLists lists{profile};  // the list views' models of the profile's lists
    FoundFiles found;             // what the last scan found
    ResultTable results{found};   // list 1082 on the Scan page
    MainDialogState state;

private:
    // Made before the parts, which are handed them.
    const Platform platform_;
    MainWindowHooks& window_;
    const PartContext context_;

public:
    // The parts, each with the commands of its page.
    OptionSwitches options;
    AboutPage about;
    CleanPage clean;
    PageFlow flow;
    ScanPage scan;
    ProfileStore store;
    ListPages listPages;
};

}  // namespace velnor
