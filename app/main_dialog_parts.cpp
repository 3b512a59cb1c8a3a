#include "app/main_dialog_parts.h"

#include "app/main_dialog_layout.h"

namespace velnor {

namespace {

struct NoWindow final : MainWindowHooks {};

MainWindowHooks& WindowOrNone(MainWindowHooks* window) {
    static NoWindow none;
    return window ? *window : none;
}

}  // namespace

MainDialogParts::MainDialogParts(const Platform& platform, MainWindowHooks* window)
    : platform_(platform),
      window_(WindowOrNone(window)),
      context_{platform_, controls, state},
      options(profile.options, controls),
      about(context_),
      clean(context_, found, options),
      flow(context_, clean, about),
      scan(context_, profile, found, results, options, flow),
      store(platform_, profile, lists, options),
      listPages(context_, profile, lists, store, window_) {}

void MainDialogParts::InitializeState() {
    state.backgroundPaint = true;
    state.currentPage = kPageAbout;
    state.scanState = kScanIdle;
    state.busy = false;
    state.cleanBusy = false;
    store.LocateProfile();
}

void MainDialogParts::LayoutControls() {
    PlaceControls(controls);
    // The option pictures show the profile's options from the start.
    options.SetOptions(profile.options);
}

void MainDialogParts::LoadProfileAndLists() {
    flow.HidePageControls();
    store.SetupLocationList();
    store.LoadExclusions();
    store.LoadFilters();
    scan.SetupResultList();
    store.LoadOptions();
    about.FillAboutPage();
    window_.OnListsSetUp();
}

void MainDialogParts::OnExitCommand() {
    if (state.scanState != kScanIdle) state.scanState = kScanStopRequested;
    state.cleanBusy = false;
    store.SaveProfile();
    window_.EndMainDialog();
}

}  // namespace velnor
