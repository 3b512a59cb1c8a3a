// The page flow of the real main window: what each page puts on the screen,
// Back and Next with their pictures and tips, the Clean page's measuring and
// Start Clean driven through the window's own commands.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/main_dialog_win32.h"
#include "platform/win32/url_cache_win32.h"
#include "profile/profile.h"
#include "res/resource.h"
#include "tests/win32/moved_services_win32.h"
#include "tests/win32/support/main_window.h"
#include "tests/win32/support/win_test_support.h"
#include "ui/gdi_handles_win32.h"

namespace velnor {
namespace {

using testing::CloseMainWindow;
using testing::FileExists;
using testing::MakeFolder;
using testing::OpenMainWindow;
using testing::PumpMessages;
using testing::TempDir;
using testing::WriteBytes;
using Ids = std::vector<int>;

const Ids kPageControls[] = {
    // About
    {IDC_ABOUT_TITLE, IDC_ABOUT_PICTURE, IDC_ABOUT_FOOTER, IDC_DEVELOPER, IDC_VERSION, IDC_HOME_CAPTION,
     IDC_SUPPORT_CAPTION, IDC_HOME_LINK, IDC_SUPPORT_LINK},
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
const Ids kEveryPage = {IDC_TITLE_ICON,   IDC_MINIMIZE, IDC_CLOSE,      IDC_HELP_BUTTON, IDC_ABOUT_BUTTON,
                        IDC_PAGE_PATH,    IDC_PAGE_FILTERS, IDC_PAGE_EXCEPTIONS, IDC_PAGE_OPTIONS,
                        IDC_PAGE_SCAN,    IDC_PAGE_CLEAN, IDC_START_SCAN, IDC_STOP_SCAN,   IDC_ORNAMENT,
                        IDC_BACK,         IDC_NEXT,     IDC_SEPARATOR,  IDC_EXIT};
const int kPageButtons[] = {IDC_PAGE_PATH,    IDC_PAGE_FILTERS, IDC_PAGE_EXCEPTIONS,
                            IDC_PAGE_OPTIONS, IDC_PAGE_SCAN,    IDC_PAGE_CLEAN};
// Normal and selected pictures of the page buttons.
const int kPagePictures[][2] = {{IDB_PAGE_PATH, IDB_PAGE_PATH_ON},         {IDB_PAGE_FILTERS, IDB_PAGE_FILTERS_ON},
                                {IDB_PAGE_EXCEPTIONS, IDB_PAGE_EXCEPTIONS_ON}, {IDB_PAGE_OPTIONS, IDB_PAGE_OPTIONS_ON},
                                {IDB_PAGE_SCAN, IDB_PAGE_SCAN_ON},         {IDB_PAGE_CLEAN, IDB_PAGE_CLEAN_ON}};

class PagesOnScreen : public ::testing::Test {
protected:
    void SetUp() override {
        temp = dir / "Temp\\";
        recent = dir / "Recent";
        MakeFolder(dir / "Temp");
        MakeFolder(recent);
        WriteBytes(temp + "old.tmp", std::string(3072, 't'));
        files.tempPath = temp;
        files.modulePath = dir / "VelnorCleaner.exe";
        shell.recent = recent;
        platform.files = &files;
        platform.shell = &shell;
        platform.prompts = &prompts;
        platform.pump = &pump;
        platform.locale = &locale;
        platform.urlCache = &urlCache;
        platform.urlHistory = &urlHistory;
        dialog = OpenMainWindow(platform);
        ASSERT_TRUE(dialog);
    }
    void TearDown() override {
        CloseMainWindow(dialog);
    }

    // A click on a control, as its window reports it.
    void Click(int id) {
        ::SendMessageA(dialog->Hwnd(), WM_COMMAND, MAKEWPARAM(id, STN_CLICKED),
                       reinterpret_cast<LPARAM>(dialog->Item(id)));
        PumpMessages();
    }
    void Go(int page) { Click(page == kPageAbout ? IDC_ABOUT_BUTTON : kPageButtons[page - 1]); }

    bool OnScreen(int id) { return ::IsWindowVisible(dialog->Item(id)) != FALSE; }
    std::set<int> PageControlsOnScreen() {
        std::set<int> all, shown;
        for (const Ids& page : kPageControls) all.insert(page.begin(), page.end());
        for (int id : all)
            if (OnScreen(id)) shown.insert(id);
        return shown;
    }
    HBITMAP PictureOf(int id) {
        return reinterpret_cast<HBITMAP>(::SendMessageA(dialog->Item(id), STM_GETIMAGE, IMAGE_BITMAP, 0));
    }
    std::string TipOf(int id) {
        CBitmapPic* picture = dialog->Picture(id);
        if (!picture || !picture->Tooltip()) return "<no tooltip>";
        char text[256] = {};
        TOOLINFOA tool = {};
        tool.cbSize = sizeof tool;
        tool.hwnd = dialog->Hwnd();
        tool.uId = reinterpret_cast<UINT_PTR>(dialog->Item(id));
        tool.lpszText = text;
        ::SendMessageA(picture->Tooltip(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
        return text;
    }
    std::string TextOf(int id) {
        char text[256] = {};
        ::GetWindowTextA(dialog->Item(id), text, sizeof text);
        return text;
    }
    POINT PlaceOf(int id) {
        RECT r;
        ::GetWindowRect(dialog->Item(id), &r);
        ::MapWindowPoints(nullptr, dialog->Hwnd(), reinterpret_cast<POINT*>(&r), 2);
        return POINT{r.left, r.top};
    }

    TempDir dir;
    std::string temp, recent;
    testing::MovedTempFileSystem files;
    testing::MovedRecentShell shell;
    testing::AnsweringPrompts prompts;
    Win32MessagePump pump;
    Win32Locale locale;
    Win32UrlCache urlCache;
    Win32UrlHistory urlHistory;
    Platform platform;
    std::unique_ptr<CMainDialog> dialog;
};

TEST_F(PagesOnScreen, EachPageShowsItsControlsAndItsNavigation) {
    struct Row {
        int page;
        bool back;
        const char* backTip;
        bool next;
        const char* nextTip;
    } rows[] = {
        {kPagePath, true, "About", true, "Filters"},     {kPageFilters, true, "Path", true, "Exceptions"},
        {kPageExceptions, true, "Filters", true, "Options"}, {kPageOptions, true, "Exceptions", true, "Scan"},
        {kPageScan, true, "Options", true, "Clean"},     {kPageClean, true, "Scan", false, ""},
        {kPageAbout, false, "", true, "Path"},           {kPageOptions, true, "Exceptions", true, "Scan"},
        {kPagePath, true, "About", true, "Filters"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.page);
        Go(r.page);
        ASSERT_EQ(dialog->parts.state.currentPage, r.page);
        EXPECT_EQ(PageControlsOnScreen(), std::set<int>(kPageControls[r.page].begin(), kPageControls[r.page].end()));
        for (int id : kEveryPage) EXPECT_TRUE(OnScreen(id)) << id;

        EXPECT_EQ(PictureOf(IDC_BACK), SharedBitmap(r.back ? IDB_BACK : IDB_BACK_OFF));
        EXPECT_EQ(PictureOf(IDC_NEXT), SharedBitmap(r.next ? IDB_NEXT : IDB_NEXT_OFF));
        EXPECT_EQ(dialog->parts.controls.StateOf(IDC_BACK).state, r.back ? 1 : 0);
        EXPECT_EQ(dialog->parts.controls.StateOf(IDC_NEXT).state, r.next ? 1 : 0);
        EXPECT_EQ(TipOf(IDC_BACK), r.backTip);
        EXPECT_EQ(TipOf(IDC_NEXT), r.nextTip);
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(PictureOf(kPageButtons[i]), SharedBitmap(kPagePictures[i][i + 1 == r.page ? 1 : 0]))
                << kPageButtons[i];
    }
}

TEST_F(PagesOnScreen, ListPagesRelabelAddRemoveAndDefault) {
    Go(kPagePath);
    EXPECT_EQ(TipOf(IDC_ADD), "Add a custom path that will be scaned");
    EXPECT_EQ(TipOf(IDC_DEFAULT), "Restore default settings for PATH");
    Go(kPageFilters);
    EXPECT_EQ(TipOf(IDC_REMOVE), "Delete a custom type of files");
    Go(kPageExceptions);
    EXPECT_EQ(TipOf(IDC_ADD), "Add a custom path that will NOT be scaned");
    EXPECT_EQ(TipOf(IDC_DEFAULT), "Restore default settings for EXCEPTIONS");
}

TEST_F(PagesOnScreen, BackAndNextWalkThePages) {
    std::vector<int> pages;
    for (int i = 0; i < 7; ++i) {
        Click(IDC_NEXT);
        pages.push_back(dialog->parts.state.currentPage);
    }
    for (int i = 0; i < 7; ++i) {
        Click(IDC_BACK);
        pages.push_back(dialog->parts.state.currentPage);
    }
    EXPECT_EQ(pages, (std::vector<int>{1, 2, 3, 4, 5, 6, 6, 5, 4, 3, 2, 1, 0, 0}));
    EXPECT_EQ(PageControlsOnScreen(), std::set<int>(kPageControls[0].begin(), kPageControls[0].end()));
}

TEST_F(PagesOnScreen, CleanPageMeasuresOnEntryOnly) {
    Go(kPageScan);
    const int before = files.tempPathCalls;
    Go(kPageClean);
    EXPECT_EQ(files.tempPathCalls, before + 1);
    EXPECT_EQ(TextOf(IDC_SIZE_TEMP), "3.00 KB");
    EXPECT_EQ(prompts.waitDepth, 0);
    EXPECT_GE(prompts.deepest, 1);

    WriteBytes(temp + "new.tmp", std::string(1024, 'n'));
    Go(kPageClean);  // its own button again: nothing is measured
    EXPECT_EQ(files.tempPathCalls, before + 1);
    EXPECT_EQ(TextOf(IDC_SIZE_TEMP), "3.00 KB");

    Click(IDC_BACK);
    Click(IDC_NEXT);
    EXPECT_EQ(files.tempPathCalls, before + 2);
    EXPECT_EQ(TextOf(IDC_SIZE_TEMP), "4.00 KB");
}

TEST_F(PagesOnScreen, RemovalPairSitsOnEachOfItsTwoPages) {
    Go(kPageOptions);
    EXPECT_EQ(PlaceOf(IDC_RECYCLE_MODE).y, 320);
    EXPECT_EQ(PlaceOf(IDC_PERMANENT_MODE).x, 220);
    EXPECT_EQ(PlaceOf(IDC_PERMANENT_MODE).y, 350);
    EXPECT_EQ(PlaceOf(IDC_CROSS_PICTURE).x, 240);
    EXPECT_EQ(PlaceOf(IDC_HINT).x, 150);
    EXPECT_EQ(PlaceOf(IDC_HINT).y, 90);
    Click(IDC_PERMANENT_MODE);
    Go(kPageClean);
    EXPECT_EQ(PlaceOf(IDC_RECYCLE_MODE).x, 190);
    EXPECT_EQ(PlaceOf(IDC_RECYCLE_MODE).y, 130);
    EXPECT_EQ(PlaceOf(IDC_CROSS_PICTURE).x, 270);
    EXPECT_EQ(TextOf(IDC_JUNK_CAPTION), "Delete Junk Files Permanently");
    EXPECT_EQ(PictureOf(IDC_PERMANENT_MODE), SharedBitmap(IDB_RADIO_ON));
    EXPECT_FALSE(OnScreen(IDC_HINT));
}

TEST_F(PagesOnScreen, BusyWindowRefusesEveryPageChange) {
    Go(kPageFilters);
    for (bool* flag : {&dialog->parts.state.busy, &dialog->parts.state.cleanBusy}) {
        *flag = true;
        for (int id : kPageButtons) Click(id);
        Click(IDC_NEXT);
        Click(IDC_BACK);
        Click(IDC_ABOUT_BUTTON);
        EXPECT_EQ(dialog->parts.state.currentPage, kPageFilters);
        EXPECT_TRUE(OnScreen(IDC_FILTER_LIST));
        EXPECT_FALSE(OnScreen(IDC_RESULT_LIST));
        *flag = false;
    }
}

TEST_F(PagesOnScreen, StartCleanWithEverythingCheckedEndsAtOneHundred) {
    WriteBytes(recent + "\\a.lnk", "link");
    Go(kPageClean);
    for (int id : {IDC_CLEAN_JUNK, IDC_CLEAN_RECYCLE, IDC_CLEAN_TEMP, IDC_CLEAN_INTERNET, IDC_CLEAN_HISTORY,
                   IDC_CLEAN_RECENT})
        if (dialog->parts.controls.StateOf(id).state != 1) Click(id);
    // At least the temporary folder's 3 KB; the cache and the history hold
    // whatever earlier tests left there.
    EXPECT_EQ(TextOf(IDC_CLEAN_STATUS).rfind("Status: Total amount disk space you gain: ", 0), 0u);
    EXPECT_EQ(TextOf(IDC_SIZE_TEMP), "3.00 KB");

    Click(IDC_START_CLEAN);

    EXPECT_EQ(prompts.asked, 1);
    HWND bar = dialog->Item(IDC_CLEAN_PROGRESS);
    EXPECT_EQ(::SendMessageA(bar, PBM_GETRANGE, FALSE, 0), 100);
    EXPECT_EQ(::SendMessageA(bar, PBM_GETRANGE, TRUE, 0), 0);
    EXPECT_EQ(::SendMessageA(bar, PBM_GETPOS, 0, 0), 100);
    EXPECT_EQ(TextOf(IDC_CLEAN_STATUS), testing::CleanEndWithHistory());
    EXPECT_EQ(TextOf(IDC_SIZE_TEMP), "0 Byte(s)");
    EXPECT_FALSE(FileExists(temp + "old.tmp"));
    EXPECT_FALSE(FileExists(recent + "\\a.lnk"));
    EXPECT_EQ(shell.binEmptied, 1);
    EXPECT_FALSE(dialog->parts.state.cleanBusy);

    // The bar keeps its place when the page is left and entered again.
    Go(kPageScan);
    Go(kPageClean);
    EXPECT_EQ(::SendMessageA(bar, PBM_GETPOS, 0, 0), 100);
    // Entering the page brings back the total-gain line (the cache and the
    // history keep their index files, so it need not be zero).
    EXPECT_EQ(TextOf(IDC_CLEAN_STATUS).rfind("Status: Total amount disk space you gain: ", 0), 0u);
    EXPECT_EQ(TextOf(IDC_SIZE_TEMP), "0 Byte(s)");
}

// A check set through the list view's own interface, as a screen reader or
// test automation sets it, is the list's check: it reads back so, a press in
// the check strip counts it in the totals, and Start Clean removes exactly
// the files checked so.
TEST_F(PagesOnScreen, ChecksSetThroughTheListViewAreReadBackAndCleanedAsSet) {
    const std::string junk = dir / "Junk";
    MakeFolder(junk);
    for (const char* name : {"a.tmp", "b.tmp", "c.tmp", "d.tmp"}) WriteBytes(junk + "\\" + name, name);
    auto& locations = dialog->parts.lists.locations;
    for (int row = 0; row < locations.RowCount(); ++row) locations.SetChecked(row, false);
    dialog->parts.store.AddLocationRow(locations.RowCount(), MakeFolderLocation(junk, true));
    Click(IDC_START_SCAN);
    const ResultTable& results = dialog->parts.results;
    ASSERT_EQ(results.RowCount(), 4);
    const HWND lv = dialog->Item(IDC_RESULT_LIST);
    auto rowOf = [&](const std::string& name) {
        for (int row = 0; row < results.RowCount(); ++row)
            if (results.Item(row).Name() == name) return row;
        return -1;
    };

    ListView_SetCheckState(lv, rowOf("a.tmp"), FALSE);
    EXPECT_EQ(ListView_GetCheckState(lv, rowOf("a.tmp")), 0u);
    EXPECT_FALSE(results.IsChecked(rowOf("a.tmp")));
    ListView_SetItemState(lv, -1, INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK);
    for (const char* name : {"b.tmp", "c.tmp"}) ListView_SetCheckState(lv, rowOf(name), TRUE);
    for (const char* name : {"a.tmp", "b.tmp", "c.tmp", "d.tmp"}) {
        const bool wanted = name[0] == 'b' || name[0] == 'c';
        EXPECT_EQ(ListView_GetCheckState(lv, rowOf(name)) != 0, wanted) << name;
        EXPECT_EQ(results.IsChecked(rowOf(name)), wanted) << name;
    }

    // A press in the check strip below the rows brings the totals up to date.
    RECT last = {};
    ListView_GetItemRect(lv, results.RowCount() - 1, &last, LVIR_BOUNDS);
    ::SendMessageA(lv, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, last.bottom + 10));
    ::SendMessageA(lv, WM_LBUTTONUP, 0, MAKELPARAM(5, last.bottom + 10));
    PumpMessages();
    EXPECT_EQ(TextOf(IDC_SELECTED_FILES), "Selected Files: 2");
    EXPECT_EQ(dialog->parts.state.selectedSize, 10u);

    Go(kPageClean);
    for (int id : {IDC_CLEAN_RECYCLE, IDC_CLEAN_TEMP, IDC_CLEAN_INTERNET, IDC_CLEAN_HISTORY, IDC_CLEAN_RECENT,
                   IDC_CLEAN_BROWSERS})
        if (dialog->parts.controls.StateOf(id).state == 1) Click(id);
    if (dialog->parts.controls.StateOf(IDC_CLEAN_JUNK).state != 1) Click(IDC_CLEAN_JUNK);
    EXPECT_EQ(TextOf(IDC_JUNK_SIZE), "(10 Byte(s))");
    Click(IDC_START_CLEAN);
    EXPECT_EQ(prompts.asked, 1);
    EXPECT_TRUE(FileExists(junk + "\\a.tmp"));
    EXPECT_FALSE(FileExists(junk + "\\b.tmp"));
    EXPECT_FALSE(FileExists(junk + "\\c.tmp"));
    EXPECT_TRUE(FileExists(junk + "\\d.tmp"));
}

TEST_F(PagesOnScreen, AWindowThatCleansShowsTheWaitCursor) {
    HWND start = dialog->Item(IDC_START_CLEAN);
    const LPARAM move = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    dialog->parts.state.cleanBusy = true;
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    ::SendMessageA(start, WM_SETCURSOR, reinterpret_cast<WPARAM>(start), move);
    EXPECT_EQ(::GetCursor(), ::LoadCursor(nullptr, IDC_WAIT));
    dialog->parts.state.cleanBusy = false;
    ::SendMessageA(dialog->Hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(dialog->Hwnd()), move);
    EXPECT_EQ(::GetCursor(), ::LoadCursor(nullptr, IDC_ARROW));
}

}  // namespace
}  // namespace velnor
