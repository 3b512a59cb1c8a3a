// The page flow: the page buttons, About, Back and Next, and which controls
// each page shows.
#include <vector>

#include "app/main_dialog_model.h"
#include "app/main_dialog_texts.h"
#include "res/resource.h"

namespace velnor {

namespace {

constexpr char kHintText[] =
    "The default settings are safe and effective;don't change them unless you know you are doing!";

using namespace picture_state;

constexpr int kPageButtons[] = {IDC_PAGE_PATH,    IDC_PAGE_FILTERS, IDC_PAGE_EXCEPTIONS,
                                IDC_PAGE_OPTIONS, IDC_PAGE_SCAN,    IDC_PAGE_CLEAN};

// What each page shows besides the controls that every page shows, by page number.
const std::vector<int> kPageControls[] = {
    // About
    {IDC_ABOUT_TITLE, IDC_ABOUT_PICTURE, IDC_ABOUT_FOOTER, IDC_DEVELOPER, IDC_VERSION, IDC_HOME_CAPTION,
     IDC_SUPPORT_CAPTION, IDC_HOME_LINK, IDC_SUPPORT_LINK},
    // Path, Filters, Exceptions
    {IDC_LOCATION_LIST, IDC_ADD, IDC_REMOVE, IDC_DEFAULT},
    {IDC_FILTER_LIST, IDC_ADD, IDC_REMOVE, IDC_DEFAULT},
    {IDC_EXCLUDE_LIST, IDC_ADD, IDC_REMOVE, IDC_DEFAULT},
    // Options
    {IDC_SCAN_OPTIONS_FRAME, IDC_OPT_READ, IDC_OPT_SYSTEM, IDC_OPT_HIDE, IDC_OPT_ZERO, IDC_OPT_READ_CAPTION,
     IDC_OPT_SYSTEM_CAPTION, IDC_OPT_HIDE_CAPTION, IDC_OPT_ZERO_CAPTION, IDC_REMOVAL_FRAME, IDC_RECYCLE_MODE,
     IDC_PERMANENT_MODE, IDC_RECYCLE_CAPTION, IDC_PERMANENT_CAPTION, IDC_RECYCLE_PICTURE, IDC_CROSS_PICTURE,
     IDC_HINT},
    // Scan
    {IDC_RESULT_LIST, IDC_SCAN_STATUS_FRAME, IDC_TOTAL_FILES, IDC_TOTAL_SIZE, IDC_SELECTED_FILES,
     IDC_SELECTED_SIZE, IDC_SCAN_STATUS},
    // Clean
    {IDC_CLEAN_FRAME, IDC_CLEAN_JUNK, IDC_CLEAN_RECYCLE, IDC_CLEAN_TEMP, IDC_CLEAN_INTERNET, IDC_CLEAN_HISTORY,
     IDC_CLEAN_RECENT, IDC_JUNK_CAPTION, IDC_JUNK_SIZE, IDC_CLEAN_RECYCLE_CAPTION, IDC_CLEAN_TEMP_CAPTION,
     IDC_CLEAN_INTERNET_CAPTION, IDC_CLEAN_HISTORY_CAPTION, IDC_CLEAN_RECENT_CAPTION, IDC_RULE_RECYCLE,
     IDC_RULE_TEMP, IDC_RULE_INTERNET, IDC_RULE_HISTORY, IDC_RULE_RECENT, IDC_SIZE_RECYCLE, IDC_SIZE_TEMP,
     IDC_SIZE_INTERNET, IDC_SIZE_HISTORY, IDC_SIZE_RECENT, IDC_OPEN_RECYCLE, IDC_OPEN_TEMP, IDC_OPEN_INTERNET,
     IDC_OPEN_HISTORY, IDC_OPEN_RECENT, IDC_CLEAN_STATUS, IDC_CLEAN_PROGRESS, IDC_START_CLEAN, IDC_RECYCLE_MODE,
     IDC_PERMANENT_MODE, IDC_RECYCLE_PICTURE, IDC_CROSS_PICTURE, IDC_COOKIES_FRAME, IDC_COOKIES_BUTTON},
};

struct Navigation {
    bool backEnabled;
    const char* backTip;
    bool nextEnabled;
    const char* nextTip;
    // Only the list pages re-label Add, Remove and Default; null leaves them.
    const char* addTip;
    const char* removeTip;
    const char* defaultTip;
};

const Navigation kNavigation[] = {
    {false, "", true, "Path", nullptr, nullptr, nullptr},
    {true, "About", true, "Filters", "Add a custom path that will be scaned", "Delete a custom path",
     "Restore default settings for PATH"},
    {true, "Path", true, "Exceptions", "Add a custom type of files", "Delete a custom type of files",
     "Restore default settings for FILTERS"},
    {true, "Filters", true, "Options", "Add a custom path that will NOT be scaned", "Delete a custom path",
     "Restore default settings for EXCEPTIONS"},
    {true, "Exceptions", true, "Scan", nullptr, nullptr, nullptr},
    {true, "Options", true, "Clean", nullptr, nullptr, nullptr},
    {true, "Scan", false, "", nullptr, nullptr, nullptr},
};

struct Spot {
    int id, x, y;
};

// The removal pair and its two pictures serve both the Options and the Clean page.
constexpr Spot kRemovalOnOptions[] = {
    {IDC_RECYCLE_MODE, 220, 320}, {IDC_PERMANENT_MODE, 220, 350},
    {IDC_RECYCLE_PICTURE, 240, 320}, {IDC_CROSS_PICTURE, 240, 350}};
constexpr Spot kRemovalOnClean[] = {
    {IDC_RECYCLE_MODE, 190, 130}, {IDC_RECYCLE_PICTURE, 210, 130},
    {IDC_PERMANENT_MODE, 250, 130}, {IDC_CROSS_PICTURE, 270, 130}};
constexpr int kRemovalPictureSize = 16;

}  // namespace

void MainDialogModel::HidePageControls() {
    backgroundPaint = false;
    for (const std::vector<int>& page : kPageControls)
        for (int id : page) controls[id].Show(false);
    backgroundPaint = true;
}

void MainDialogModel::UpdateNavigation(int page) {
    if (page < kPageAbout || page > kPageClean) return;
    for (int id : kPageButtons) controls[id].SetStateAndPicture(kOff);
    if (page != kPageAbout) controls[kPageButtons[page - 1]].SetStateAndPicture(kOn);

    const Navigation& nav = kNavigation[page];
    controls[IDC_BACK].SetTooltip(nav.backTip);
    controls[IDC_NEXT].SetTooltip(nav.nextTip);
    if (nav.addTip) {
        controls[IDC_ADD].SetTooltip(nav.addTip);
        controls[IDC_REMOVE].SetTooltip(nav.removeTip);
        controls[IDC_DEFAULT].SetTooltip(nav.defaultTip);
    }
    controls[IDC_BACK].SetStateAndPicture(nav.backEnabled ? kNormal : kDisabled);
    controls[IDC_NEXT].SetStateAndPicture(nav.nextEnabled ? kNormal : kDisabled);
}

const std::vector<int>& MainDialogModel::PageControlIds(int page) { return kPageControls[page]; }

// Every way onto a page (its button, Back and Next, About, Start Scan) goes
// through here, so a page always looks the same however it was reached.
void MainDialogModel::EnterPage(int page) {
    currentPage = page;
    HidePageControls();
    UpdateNavigation(page);
    if (page == kPageOptions) {
        for (const Spot& s : kRemovalOnOptions)
            controls[s.id].Place(s.x, s.y, kRemovalPictureSize, kRemovalPictureSize);
        controls[IDC_HINT].SetText(kHintText);
        controls[IDC_HINT].Place(150, 90, 400, 30);
    } else if (page == kPageClean) {
        ShowJunkCaption();
        for (const Spot& s : kRemovalOnClean)
            controls[s.id].Place(s.x, s.y, kRemovalPictureSize, kRemovalPictureSize);
        if (platform_.prompts) platform_.prompts->BeginWaitCursor();
        MeasureCleanAreas();
        ShowTotalGain();
        if (platform_.prompts) platform_.prompts->EndWaitCursor();
    } else if (page == kPageAbout) {
        FillAboutPage();
    }
    for (int id : kPageControls[page]) controls[id].Show(true);
}

void MainDialogModel::ShowPage(int page) {
    if (page < kPagePath || page > kPageClean) return;
    if (busy || cleanBusy) return;
    backgroundPaint = false;
    // Pressing the current page's button again neither redraws the page nor,
    // on the Clean page, measures the areas again.
    if (page != currentPage) EnterPage(page);
    backgroundPaint = true;
}

void MainDialogModel::OnAbout() {
    if (busy || cleanBusy) return;
    if (controls[IDC_ABOUT_BUTTON].ButtonState() == kDisabled || currentPage == kPageAbout) return;
    EnterPage(kPageAbout);
    controls[IDC_ABOUT_BUTTON].SetStateAndPicture(kNormal);
}

void MainDialogModel::OnBack() {
    if (busy || cleanBusy || controls[IDC_BACK].ButtonState() == kDisabled) return;
    if (currentPage == kPagePath)
        OnAbout();
    else if (currentPage > kPagePath)
        ShowPage(currentPage - 1);
}

void MainDialogModel::OnNext() {
    if (busy || cleanBusy || controls[IDC_NEXT].ButtonState() == kDisabled) return;
    if (currentPage < kPageClean) ShowPage(currentPage + 1);
}

}  // namespace velnor
