#include "app/page_flow.h"

#include <cstddef>
#include <vector>

#include "app/about_page.h"
#include "app/clean_page.h"
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
     IDC_PERMANENT_MODE, IDC_RECYCLE_PICTURE, IDC_CROSS_PICTURE, IDC_COOKIES_FRAME, IDC_COOKIES_BUTTON,
     IDC_CLEAN_BROWSERS, IDC_CLEAN_BROWSERS_CAPTION, IDC_RULE_BROWSERS, IDC_SIZE_BROWSERS, IDC_OPEN_BROWSERS},
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
    int tabAfter;  // the control Tab reaches just before it there, 0 for none
};

// The removal pair and its two pictures serve both the Options and the Clean
// page. Tab takes the pair where the page shows it: last on the Options page,
// right after the junk files' row on the Clean page.
constexpr Spot kRemovalOnOptions[] = {
    {IDC_RECYCLE_MODE, 220, 320, IDC_OPT_ZERO_CAPTION}, {IDC_PERMANENT_MODE, 220, 350, IDC_RECYCLE_CAPTION},
    {IDC_RECYCLE_PICTURE, 240, 320, 0}, {IDC_CROSS_PICTURE, 240, 350, 0}};
constexpr Spot kRemovalOnClean[] = {
    {IDC_RECYCLE_MODE, 190, 130, IDC_JUNK_SIZE}, {IDC_RECYCLE_PICTURE, 210, 130, 0},
    {IDC_PERMANENT_MODE, 250, 130, IDC_RECYCLE_MODE}, {IDC_CROSS_PICTURE, 270, 130, 0}};
constexpr int kRemovalPictureSize = 16;

template <size_t N>
void PlaceRemovalPair(DialogModel& controls, const Spot (&spots)[N]) {
    for (const Spot& s : spots) {
        controls[s.id].Place(s.x, s.y, kRemovalPictureSize, kRemovalPictureSize);
        if (s.tabAfter != 0) controls[s.id].FollowInTabOrder(s.tabAfter);
    }
}

}  // namespace

void PageFlow::HidePageControls() {
    state_.backgroundPaint = false;
    for (const std::vector<int>& page : kPageControls)
        for (int id : page) controls_[id].Show(false);
    state_.backgroundPaint = true;
}

void PageFlow::UpdateNavigation(int page) {
    if (page < kPageAbout || page > kPageClean) return;
    for (int id : kPageButtons) controls_[id].SetStateAndPicture(kOff);
    if (page != kPageAbout) controls_[kPageButtons[page - 1]].SetStateAndPicture(kOn);

    const Navigation& nav = kNavigation[page];
    controls_[IDC_BACK].SetTooltip(nav.backTip);
    controls_[IDC_NEXT].SetTooltip(nav.nextTip);
    if (nav.addTip) {
        controls_[IDC_ADD].SetTooltip(nav.addTip);
        controls_[IDC_REMOVE].SetTooltip(nav.removeTip);
        controls_[IDC_DEFAULT].SetTooltip(nav.defaultTip);
    }
    controls_[IDC_BACK].SetStateAndPicture(nav.backEnabled ? kNormal : kDisabled);
    controls_[IDC_NEXT].SetStateAndPicture(nav.nextEnabled ? kNormal : kDisabled);
}

const std::vector<int>& PageFlow::PageControlIds(int page) { return kPageControls[page]; }

void PageFlow::EnterPage(int page) {
    state_.currentPage = page;
    HidePageControls();
    UpdateNavigation(page);
    if (page == kPageOptions) {
        PlaceRemovalPair(controls_, kRemovalOnOptions);
        controls_[IDC_HINT].SetText(kHintText);
        controls_[IDC_HINT].Place(150, 90, 400, 30);
    } else if (page == kPageClean) {
        clean_.ShowJunkCaption();
        PlaceRemovalPair(controls_, kRemovalOnClean);
        clean_.MeasureAndShowGain();
    } else if (page == kPageAbout) {
        about_.FillAboutPage();
    }
    for (int id : kPageControls[page]) controls_[id].Show(true);
}

void PageFlow::ShowPage(int page) {
    if (page < kPagePath || page > kPageClean) return;
    if (!state_.Idle()) return;
    state_.backgroundPaint = false;
    // Pressing the current page's button again neither redraws the page nor,
    // on the Clean page, measures the areas again.
    if (page != state_.currentPage) EnterPage(page);
    state_.backgroundPaint = true;
}

void PageFlow::OnAbout() {
    if (!state_.Idle()) return;
    if (controls_[IDC_ABOUT_BUTTON].ButtonState() == kDisabled || state_.currentPage == kPageAbout) return;
    EnterPage(kPageAbout);
    controls_[IDC_ABOUT_BUTTON].SetStateAndPicture(kNormal);
}

void PageFlow::OnBack() {
    if (!state_.Idle() || controls_[IDC_BACK].ButtonState() == kDisabled) return;
    if (state_.currentPage == kPagePath)
        OnAbout();
    else if (state_.currentPage > kPagePath)
        ShowPage(state_.currentPage - 1);
}

void PageFlow::OnNext() {
    if (!state_.Idle() || controls_[IDC_NEXT].ButtonState() == kDisabled) return;
    if (state_.currentPage < kPageClean) ShowPage(state_.currentPage + 1);
}

}  // namespace velnor
