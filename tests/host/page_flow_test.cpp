#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/fakes/fake_platform.h"

namespace velnor {
namespace {

using Ids = std::vector<int>;

const Ids kAbout = {IDC_ABOUT_TITLE, IDC_ABOUT_PICTURE, IDC_ABOUT_FOOTER,    IDC_DEVELOPER,  IDC_VERSION,
                    IDC_HOME_CAPTION, IDC_SUPPORT_CAPTION, IDC_HOME_LINK, IDC_SUPPORT_LINK};
const Ids kOptions = {IDC_SCAN_OPTIONS_FRAME, IDC_OPT_READ, IDC_OPT_SYSTEM, IDC_OPT_HIDE, IDC_OPT_ZERO,
                      IDC_OPT_READ_CAPTION, IDC_OPT_SYSTEM_CAPTION, IDC_OPT_HIDE_CAPTION, IDC_OPT_ZERO_CAPTION,
                      IDC_REMOVAL_FRAME, IDC_RECYCLE_MODE, IDC_PERMANENT_MODE, IDC_RECYCLE_CAPTION,
                      IDC_PERMANENT_CAPTION, IDC_RECYCLE_PICTURE, IDC_CROSS_PICTURE, IDC_HINT};
const Ids kScan = {IDC_RESULT_LIST, IDC_SCAN_STATUS_FRAME, IDC_TOTAL_FILES, IDC_TOTAL_SIZE,
                   IDC_SELECTED_FILES, IDC_SELECTED_SIZE, IDC_SCAN_STATUS};
const Ids kClean = {
    IDC_CLEAN_FRAME, IDC_CLEAN_JUNK, IDC_CLEAN_RECYCLE, IDC_CLEAN_TEMP, IDC_CLEAN_INTERNET, IDC_CLEAN_HISTORY,
    IDC_CLEAN_RECENT, IDC_JUNK_CAPTION, IDC_JUNK_SIZE, IDC_CLEAN_RECYCLE_CAPTION, IDC_CLEAN_TEMP_CAPTION,
    IDC_CLEAN_INTERNET_CAPTION, IDC_CLEAN_HISTORY_CAPTION, IDC_CLEAN_RECENT_CAPTION, IDC_RULE_RECYCLE,
    IDC_RULE_TEMP, IDC_RULE_INTERNET, IDC_RULE_HISTORY, IDC_RULE_RECENT, IDC_SIZE_RECYCLE, IDC_SIZE_TEMP,
    IDC_SIZE_INTERNET, IDC_SIZE_HISTORY, IDC_SIZE_RECENT, IDC_OPEN_RECYCLE, IDC_OPEN_TEMP, IDC_OPEN_INTERNET,
    IDC_OPEN_HISTORY, IDC_OPEN_RECENT, IDC_CLEAN_STATUS, IDC_CLEAN_PROGRESS, IDC_START_CLEAN, IDC_RECYCLE_MODE,
    IDC_PERMANENT_MODE, IDC_RECYCLE_PICTURE, IDC_CROSS_PICTURE, IDC_COOKIES_FRAME, IDC_COOKIES_BUTTON,
    IDC_CLEAN_BROWSERS, IDC_CLEAN_BROWSERS_CAPTION, IDC_RULE_BROWSERS, IDC_SIZE_BROWSERS, IDC_OPEN_BROWSERS};
const Ids kPageShows[] = {
    kAbout,
    {IDC_LOCATION_LIST, IDC_ADD, IDC_REMOVE, IDC_DEFAULT},
    {IDC_FILTER_LIST, IDC_ADD, IDC_REMOVE, IDC_DEFAULT},
    {IDC_EXCLUDE_LIST, IDC_ADD, IDC_REMOVE, IDC_DEFAULT},
    kOptions,
    kScan,
    kClean,
};
const Ids kEveryPage = {IDC_PAGE_PATH,   IDC_PAGE_FILTERS, IDC_PAGE_EXCEPTIONS, IDC_PAGE_OPTIONS, IDC_PAGE_SCAN,
                        IDC_PAGE_CLEAN,  IDC_ABOUT_BUTTON, IDC_HELP_BUTTON,     IDC_BACK,         IDC_NEXT,
                        IDC_EXIT,        IDC_MINIMIZE,     IDC_CLOSE,           IDC_START_SCAN,   IDC_STOP_SCAN,
                        IDC_ORNAMENT};
const int kPageButtons[] = {IDC_PAGE_PATH,    IDC_PAGE_FILTERS, IDC_PAGE_EXCEPTIONS,
                            IDC_PAGE_OPTIONS, IDC_PAGE_SCAN,    IDC_PAGE_CLEAN};

class PageFlow : public ::testing::Test {
protected:
    void SetUp() override {
        fakes.files.AddFolder("C:\\Program Files\\Velnor");
        fakes.files.AddFolder("C:\\TEMP");
        fakes.files.AddFile("C:\\TEMP\\a.tmp", 2048);
        fakes.shell.recycleBins["C:\\"] = 100;
        dialog.Start();
        dialog.controls.SetObserver([this](int id, unsigned changes) {
            if (changes & kVisibilityChanged) ++visibilityChanges;
        });
    }

    // Page 0 by About, the others by their page button.
    void Go(int page) {
        if (page == kPageAbout)
            dialog.flow.OnAbout();
        else
            dialog.flow.ShowPage(page);
    }
    const ControlState& State(int id) { return dialog.controls.StateOf(id); }
    std::set<int> VisiblePageControls() {
        std::set<int> all, shown;
        for (const Ids& page : kPageShows) all.insert(page.begin(), page.end());
        for (int id : all)
            if (State(id).visible) shown.insert(id);
        return shown;
    }
    int TempMeasurements() {
        const auto& p = fakes.files.enumeratedPatterns;
        return static_cast<int>(std::count(p.begin(), p.end(), "C:\\TEMP\\*.*"));
    }

    testing::FakePlatform fakes;
    testing::TestMainDialog dialog{fakes};
    int visibilityChanges = 0;
};

TEST_F(PageFlow, NavigationTableForEveryPage) {
    struct Row {
        int page;
        int back;
        const char* backTip;
        int next;
        const char* nextTip;
        const char* add;
        const char* remove;
        const char* restore;
    } rows[] = {
        {kPagePath, 1, "About", 1, "Filters", "Add a custom path that will be scaned", "Delete a custom path",
         "Restore default settings for PATH"},
        {kPageFilters, 1, "Path", 1, "Exceptions", "Add a custom type of files", "Delete a custom type of files",
         "Restore default settings for FILTERS"},
        {kPageExceptions, 1, "Filters", 1, "Options", "Add a custom path that will NOT be scaned",
         "Delete a custom path", "Restore default settings for EXCEPTIONS"},
        // Pages without a list keep what the last list page said.
        {kPageOptions, 1, "Exceptions", 1, "Scan", "Add a custom path that will NOT be scaned",
         "Delete a custom path", "Restore default settings for EXCEPTIONS"},
        {kPageScan, 1, "Options", 1, "Clean", "Add a custom path that will NOT be scaned", "Delete a custom path",
         "Restore default settings for EXCEPTIONS"},
        {kPageClean, 1, "Scan", 0, "", "Add a custom path that will NOT be scaned", "Delete a custom path",
         "Restore default settings for EXCEPTIONS"},
        {kPageAbout, 0, "", 1, "Path", "Add a custom path that will NOT be scaned", "Delete a custom path",
         "Restore default settings for EXCEPTIONS"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.page);
        Go(r.page);
        ASSERT_EQ(dialog.state.currentPage, r.page);
        EXPECT_EQ(State(IDC_BACK).state, r.back);
        EXPECT_EQ(State(IDC_BACK).shownPicture, r.back ? IDB_BACK : IDB_BACK_OFF);
        EXPECT_EQ(State(IDC_BACK).tooltip, r.backTip);
        EXPECT_EQ(State(IDC_NEXT).state, r.next);
        EXPECT_EQ(State(IDC_NEXT).shownPicture, r.next ? IDB_NEXT : IDB_NEXT_OFF);
        EXPECT_EQ(State(IDC_NEXT).tooltip, r.nextTip);
        EXPECT_EQ(State(IDC_ADD).tooltip, r.add);
        EXPECT_EQ(State(IDC_REMOVE).tooltip, r.remove);
        EXPECT_EQ(State(IDC_DEFAULT).tooltip, r.restore);
        for (int i = 0; i < 6; ++i) {
            const bool current = i + 1 == r.page;
            EXPECT_EQ(State(kPageButtons[i]).state, current ? 1 : 0) << kPageButtons[i];
            EXPECT_EQ(State(kPageButtons[i]).shownPicture, State(kPageButtons[i]).pictures[current ? 2 : 0]);
        }
        EXPECT_EQ(State(IDC_ABOUT_BUTTON).state, 1);
    }
}

TEST_F(PageFlow, EachPageShowsExactlyItsControls) {
    for (int page : {kPagePath, kPageFilters, kPageExceptions, kPageOptions, kPageScan, kPageClean, kPageAbout,
                     kPageClean, kPageOptions, kPagePath}) {
        SCOPED_TRACE(page);
        Go(page);
        EXPECT_EQ(VisiblePageControls(), std::set<int>(kPageShows[page].begin(), kPageShows[page].end()));
        for (int id : kEveryPage) EXPECT_TRUE(State(id).visible) << id;
        EXPECT_TRUE(dialog.state.backgroundPaint);
    }
}

TEST_F(PageFlow, NextWalksForwardAndBackWalksHome) {
    std::vector<int> pages;
    for (int i = 0; i < 7; ++i) {
        dialog.flow.OnNext();
        pages.push_back(dialog.state.currentPage);
    }
    EXPECT_EQ(pages, (std::vector<int>{1, 2, 3, 4, 5, 6, 6}));
    pages.clear();
    for (int i = 0; i < 7; ++i) {
        dialog.flow.OnBack();
        pages.push_back(dialog.state.currentPage);
    }
    EXPECT_EQ(pages, (std::vector<int>{5, 4, 3, 2, 1, 0, 0}));
    EXPECT_EQ(VisiblePageControls(), std::set<int>(kAbout.begin(), kAbout.end()));
}

TEST_F(PageFlow, BusyFlagsRefuseEveryPageChange) {
    Go(kPageOptions);
    for (bool* flag : {&dialog.state.busy, &dialog.state.cleanBusy}) {
        *flag = true;
        visibilityChanges = 0;
        for (int page = kPagePath; page <= kPageClean; ++page) dialog.flow.ShowPage(page);
        dialog.flow.OnNext();
        dialog.flow.OnBack();
        dialog.flow.OnAbout();
        EXPECT_EQ(dialog.state.currentPage, kPageOptions);
        EXPECT_EQ(visibilityChanges, 0);
        EXPECT_EQ(State(IDC_PAGE_OPTIONS).state, 1);
        *flag = false;
    }
    dialog.flow.OnNext();
    EXPECT_EQ(dialog.state.currentPage, kPageScan);
}

TEST_F(PageFlow, ScanPageButtonIsRefusedWhileAScanRunsAndWorksAfterStop) {
    fakes.files.AddFolder("C:\\Walk\\Sub");
    dialog.profile.locations.DeleteAllRows();
    dialog.profile.locations.InsertRow(0, MakeFolderLocation("C:\\Walk", true));
    std::vector<int> pagesDuringScan;
    fakes.pump.onDrain = [&](int drain) {
        dialog.flow.ShowPage(kPageClean);
        dialog.flow.OnNext();
        pagesDuringScan.push_back(dialog.state.currentPage);
        if (drain == 1) dialog.scan.OnStopScan();
    };
    Go(kPageOptions);

    dialog.scan.OnStartScan();

    EXPECT_EQ(pagesDuringScan, std::vector<int>{kPageScan});
    EXPECT_EQ(VisiblePageControls(), std::set<int>(kScan.begin(), kScan.end()));
    EXPECT_EQ(State(IDC_PAGE_SCAN).state, 1);
    EXPECT_EQ(State(IDC_BACK).tooltip, "Options");
    dialog.flow.ShowPage(kPageClean);
    EXPECT_EQ(dialog.state.currentPage, kPageClean);
}

TEST_F(PageFlow, CleanPageMeasuresOnEntryOnlyUnderTheWaitCursor) {
    for (ScanOptions::Flag f : {ScanOptions::kClean0, ScanOptions::kClean1, ScanOptions::kClean3,
                                ScanOptions::kClean4, ScanOptions::kClean5})
        dialog.options.SetOption(f, false);
    dialog.options.SetOption(ScanOptions::kClean2, true);
    int depthSeen = -1;
    fakes.shell.onSpecialFolder = [&] { depthSeen = fakes.prompts.waitDepth; };
    const int waits = fakes.prompts.waitCount;

    dialog.flow.ShowPage(kPageClean);
    EXPECT_EQ(TempMeasurements(), 1);
    EXPECT_EQ(fakes.prompts.waitCount, waits + 1);
    EXPECT_EQ(depthSeen, 1);
    EXPECT_EQ(fakes.prompts.waitDepth, 0);
    EXPECT_EQ(State(IDC_SIZE_TEMP).text, "2.00 KB");
    EXPECT_EQ(State(IDC_SIZE_RECYCLE).text, "100 Byte(s)");
    EXPECT_EQ(State(IDC_CLEAN_STATUS).text, "Status: Total amount disk space you gain: 2.00 KB");

    visibilityChanges = 0;
    dialog.flow.ShowPage(kPageClean);
    EXPECT_EQ(TempMeasurements(), 1);
    EXPECT_EQ(visibilityChanges, 0);

    dialog.flow.OnBack();
    dialog.flow.OnNext();
    EXPECT_EQ(TempMeasurements(), 2);
    EXPECT_EQ(fakes.prompts.waitCount, waits + 2);
}

TEST_F(PageFlow, RemovalPairMovesBetweenOptionsAndCleanAndKeepsItsState) {
    const auto at = [this](int id) { return State(id).placement; };
    dialog.clean.OnPermanentMode();
    for (int round = 0; round < 2; ++round) {
        Go(kPageOptions);
        EXPECT_EQ(at(IDC_RECYCLE_MODE), (Placement{220, 320, 16, 16}));
        EXPECT_EQ(at(IDC_PERMANENT_MODE), (Placement{220, 350, 16, 16}));
        EXPECT_EQ(at(IDC_RECYCLE_PICTURE), (Placement{240, 320, 16, 16}));
        EXPECT_EQ(at(IDC_CROSS_PICTURE), (Placement{240, 350, 16, 16}));
        EXPECT_EQ(at(IDC_HINT), (Placement{150, 90, 400, 30}));
        EXPECT_EQ(State(IDC_HINT).text,
                  "The default settings are safe and effective;don't change them unless you know you are doing!");
        Go(kPageClean);
        EXPECT_EQ(at(IDC_RECYCLE_MODE), (Placement{190, 130, 16, 16}));
        EXPECT_EQ(at(IDC_RECYCLE_PICTURE), (Placement{210, 130, 16, 16}));
        EXPECT_EQ(at(IDC_PERMANENT_MODE), (Placement{250, 130, 16, 16}));
        EXPECT_EQ(at(IDC_CROSS_PICTURE), (Placement{270, 130, 16, 16}));
        EXPECT_EQ(State(IDC_PERMANENT_MODE).state, 1);
        EXPECT_EQ(State(IDC_RECYCLE_MODE).state, 0);
    }
}

TEST_F(PageFlow, CleanPageNamesWhatHappensToTheJunkFiles) {
    dialog.options.SetOption(ScanOptions::kRemove, false);
    Go(kPageClean);
    EXPECT_EQ(State(IDC_JUNK_CAPTION).text, "Delete Junk Files Permanently");
    Go(kPageScan);
    dialog.options.SetOption(ScanOptions::kRemove, true);
    Go(kPageClean);
    EXPECT_EQ(State(IDC_JUNK_CAPTION).text, "Send Junk Files To The Recycle Bin");
}

TEST_F(PageFlow, AboutIsIgnoredWhenDisabledOrAlreadyShown) {
    Go(kPageScan);
    dialog.controls[IDC_ABOUT_BUTTON].SetStateAndPicture(0);
    dialog.flow.OnAbout();
    EXPECT_EQ(dialog.state.currentPage, kPageScan);

    dialog.controls[IDC_ABOUT_BUTTON].SetStateAndPicture(2);
    dialog.flow.OnAbout();
    EXPECT_EQ(dialog.state.currentPage, kPageAbout);
    EXPECT_EQ(State(IDC_ABOUT_BUTTON).state, 1);
    EXPECT_EQ(State(IDC_ABOUT_BUTTON).shownPicture, IDB_ABOUT);

    visibilityChanges = 0;
    dialog.flow.OnAbout();
    EXPECT_EQ(visibilityChanges, 0);
}

TEST_F(PageFlow, DisabledBackAndNextIgnoreClicks) {
    Go(kPageFilters);
    dialog.controls[IDC_NEXT].SetStateAndPicture(0);
    dialog.flow.OnNext();
    EXPECT_EQ(dialog.state.currentPage, kPageFilters);
    dialog.controls[IDC_BACK].SetStateAndPicture(0);
    dialog.flow.OnBack();
    EXPECT_EQ(dialog.state.currentPage, kPageFilters);
    dialog.controls[IDC_BACK].SetStateAndPicture(2);  // hovered counts as enabled
    dialog.flow.OnBack();
    EXPECT_EQ(dialog.state.currentPage, kPagePath);
}

TEST_F(PageFlow, StartUpHidesEveryPageControl) {
    testing::FakePlatform other;
    other.files.AddFolder("C:\\Program Files\\Velnor");
    testing::TestMainDialog fresh{other};
    fresh.Start();
    for (int page = kPagePath; page <= kPageClean; ++page)
        for (int id : kPageShows[page])
            if (std::find(kAbout.begin(), kAbout.end(), id) == kAbout.end())
                EXPECT_FALSE(fresh.controls.StateOf(id).visible) << id;
    EXPECT_EQ(fresh.state.currentPage, kPageAbout);
}

}  // namespace
}  // namespace velnor
