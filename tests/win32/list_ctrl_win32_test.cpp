#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/main_dialog_parts.h"
#include "clean/cookie_cleaner.h"
#include "platform/win32/win32_platform.h"
#include "res/resource.h"
#include "tests/win32/support/win_test_support.h"
#include "ui/list_ctrl_win32.h"

namespace velnor {
namespace {

using testing::HostWindow;
using testing::PumpMessages;

// The result list of the main window on a real list view, with its totals linked
// as a scan links them.
class ResultListOnScreen : public ::testing::Test {
protected:
    void SetUp() override {
        services.locale = &locale;
        model = std::make_unique<MainDialogParts>(services);
        model->scan.SetupResultList();
        list.SubclassControl(host.CreateListView(IDC_RESULT_LIST, 10, 10, 660, 500));
        list.Bind(&model->results);
        files = std::make_unique<Control>(model->controls[IDC_SELECTED_FILES]);
        size = std::make_unique<Control>(model->controls[IDC_SELECTED_SIZE]);
        model->results.LinkTotals(&model->state.selectedCount, &model->state.selectedSize, files.get(), size.get());
    }

    void AddRow(const std::string& name, const std::string& bytes) {
        JunkItem item;
        item.path = "c:\\temp\\" + name;
        item.size = std::stoull(bytes);
        model->found.Append(item);
    }

    // A real click: the header turns it into a column click for the list view.
    void ClickHeading(int column) {
        HWND header = ListView_GetHeader(list.Hwnd());
        RECT r;
        Header_GetItemRect(header, column, &r);
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        ::SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageA(header, WM_LBUTTONUP, 0, at);
        PumpMessages();
    }

    void ClickAt(int x, int y) {
        ::SendMessageA(list.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        ::SendMessageA(list.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        PumpMessages();
    }

    bool CheckedOnScreen(int row) { return ListView_GetCheckState(list.Hwnd(), row) != 0; }
    std::string TextOnScreen(int row, int column) {
        char text[260] = {};
        ListView_GetItemText(list.Hwnd(), row, column, text, sizeof text);
        return text;
    }
    int HeaderImageOnScreen() {
        HDITEMA item = {};
        item.mask = HDI_IMAGE | HDI_FORMAT;
        Header_GetItem(ListView_GetHeader(list.Hwnd()), 0, &item);
        return (item.fmt & HDF_IMAGE) ? item.iImage : -1;
    }

    Win32Locale locale;
    Platform services;
    std::unique_ptr<MainDialogParts> model;
    HostWindow host;
    CMyListCtrlEx list;
    std::unique_ptr<Control> files, size;
};

TEST_F(ResultListOnScreen, ShowsTheColumnsStylesAndHeaderImageOfTheResultList) {
    const DWORD styles = ListView_GetExtendedListViewStyle(list.Hwnd());
    EXPECT_TRUE(styles & LVS_EX_CHECKBOXES);
    EXPECT_TRUE(styles & LVS_EX_FULLROWSELECT);
    HWND header = ListView_GetHeader(list.Hwnd());
    ASSERT_EQ(Header_GetItemCount(header), 5);
    const char* headings[] = {"", "File Name", "Location", "Size(Bytes)", "Modified"};
    const int widths[] = {30, 100, 165, 70, 85};
    for (int i = 0; i < 5; ++i) {
        char text[64] = {};
        HDITEMA item = {};
        item.mask = HDI_TEXT | HDI_WIDTH;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        Header_GetItem(header, i, &item);
        EXPECT_STREQ(text, headings[i]);
        EXPECT_EQ(item.cxy, widths[i]);
    }
    EXPECT_EQ(HeaderImageOnScreen(), 1);
    EXPECT_NE(Header_GetImageList(header), nullptr);
}

TEST_F(ResultListOnScreen, FirstHeadingUnchecksEveryRowAndZeroesTheSelectedTotals) {
    AddRow("a.tmp", "900");
    AddRow("b.tmp", "10000");
    AddRow("c.tmp", "3000000000");
    model->results.RecountSelection();
    EXPECT_EQ(files->Text(), "Selected Files: 3");

    ClickHeading(0);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(CheckedOnScreen(i)) << i;
    EXPECT_EQ(files->Text(), "Selected Files: 0");
    EXPECT_EQ(size->Text(), "Selected Size:  0 Byte(s)");
    EXPECT_EQ(HeaderImageOnScreen(), 2);

    ClickHeading(0);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(CheckedOnScreen(i)) << i;
    EXPECT_EQ(model->state.selectedCount, 3u);
    EXPECT_EQ(model->state.selectedSize, 3000010900ull);
    EXPECT_EQ(HeaderImageOnScreen(), 1);
}

TEST_F(ResultListOnScreen, SizeHeadingSortsNumericallyThenReversed) {
    AddRow("big", "3000000000");
    AddRow("small", "900");
    AddRow("mid", "10000");
    ClickHeading(3);
    EXPECT_EQ(TextOnScreen(0, 3), "900");
    EXPECT_EQ(TextOnScreen(1, 3), "10000");
    EXPECT_EQ(TextOnScreen(2, 3), "3000000000");
    EXPECT_EQ(TextOnScreen(2, 1), "big");
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    Header_GetItem(ListView_GetHeader(list.Hwnd()), 3, &item);
    EXPECT_TRUE(item.fmt & HDF_OWNERDRAW);

    ClickHeading(3);
    EXPECT_EQ(TextOnScreen(0, 3), "3000000000");
    EXPECT_EQ(TextOnScreen(2, 3), "900");
}

TEST_F(ResultListOnScreen, CheckBoxClickBelowTheStripChangesTheBoxButNotTheTotals) {
    for (int i = 0; i < 40; ++i) AddRow("f" + std::to_string(i) + ".tmp", "100");
    model->results.RecountSelection();
    ASSERT_EQ(model->state.selectedCount, 40u);

    // A row whose check box lies below y 399.
    int low = -1;
    RECT r = {};
    for (int i = 0; i < 40; ++i) {
        r.left = LVIR_BOUNDS;
        ListView_GetItemRect(list.Hwnd(), i, &r, LVIR_BOUNDS);
        if (r.top > 402 && r.bottom < 480) {
            low = i;
            break;
        }
    }
    ASSERT_GE(low, 0);
    RECT icon = {};
    ListView_GetItemRect(list.Hwnd(), low, &icon, LVIR_ICON);
    const int checkX = icon.left > 8 ? icon.left / 2 : 8;
    ClickAt(checkX, (r.top + r.bottom) / 2);
    EXPECT_FALSE(CheckedOnScreen(low));
    EXPECT_FALSE(model->results.IsChecked(low));
    EXPECT_EQ(model->state.selectedCount, 40u);

    // The same kind of click inside the strip brings the totals up to date.
    RECT top = {};
    top.left = LVIR_BOUNDS;
    ListView_GetItemRect(list.Hwnd(), 1, &top, LVIR_BOUNDS);
    ClickAt(checkX, (top.top + top.bottom) / 2);
    EXPECT_FALSE(model->results.IsChecked(1));
    EXPECT_EQ(model->state.selectedCount, 38u);
    EXPECT_EQ(HeaderImageOnScreen(), 2);
}

TEST_F(ResultListOnScreen, EmptyListShowsTheAllCheckedImageAfterAStripClick) {
    model->results.SetHeaderCheckImage(2);
    ClickAt(5, 30);
    EXPECT_EQ(HeaderImageOnScreen(), 1);
}

TEST_F(ResultListOnScreen, RightButtonNeverSelects) {
    AddRow("a.tmp", "1");
    RECT r = {};
    r.left = LVIR_BOUNDS;
    ListView_GetItemRect(list.Hwnd(), 0, &r, LVIR_BOUNDS);
    const LPARAM at = MAKELPARAM(120, (r.top + r.bottom) / 2);
    ::SendMessageA(list.Hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, at);
    ::SendMessageA(list.Hwnd(), WM_RBUTTONUP, 0, at);
    PumpMessages();
    EXPECT_EQ(ListView_GetNextItem(list.Hwnd(), -1, LVNI_SELECTED), -1);
    EXPECT_EQ(model->results.FirstSelected(), -1);
}

TEST_F(ResultListOnScreen, HeaderWidthsSurviveTheArchiveOnlyForTheSameColumns) {
    CArchive out(true);
    list.Header().Serialize(out);
    ListView_SetColumnWidth(list.Hwnd(), 2, 40);
    CArchive in(false, out.Bytes());
    list.Header().Serialize(in);
    EXPECT_EQ(ListView_GetColumnWidth(list.Hwnd(), 2), 165);

    CArchive wrongCount(true);
    wrongCount.WriteInt32(3);
    for (int i = 0; i < 3; ++i) wrongCount.WriteInt32(10);
    CArchive load(false, wrongCount.Bytes());
    list.Header().Serialize(load);
    EXPECT_EQ(ListView_GetColumnWidth(list.Hwnd(), 1), 100);
}

// The list view keeps no rows: whatever the table does, what it paints and
// what it reads back come from the table.
TEST_F(ResultListOnScreen, RowsArePaintedFromTheTableAfterSortsDeletionsAndToggles) {
    AddRow("c.tmp", "300");
    AddRow("a.tmp", "100");
    AddRow("b.tmp", "200");
    auto expectShown = [&](std::vector<std::string> names) {
        ASSERT_EQ(ListView_GetItemCount(list.Hwnd()), static_cast<int>(names.size()));
        for (int row = 0; row < static_cast<int>(names.size()); ++row) {
            SCOPED_TRACE(row);
            EXPECT_EQ(TextOnScreen(row, 1), names[row]);
            EXPECT_EQ(TextOnScreen(row, 2), "c:\\temp\\" + names[row]);
            EXPECT_EQ(CheckedOnScreen(row), model->results.IsChecked(row));
        }
    };
    ClickHeading(1);
    expectShown({"a.tmp", "b.tmp", "c.tmp"});
    EXPECT_EQ(TextOnScreen(2, 3), "300");

    // A check box clicked on screen goes with its row through the next sort.
    RECT r = {};
    r.left = LVIR_BOUNDS;
    ListView_GetItemRect(list.Hwnd(), 0, &r, LVIR_BOUNDS);
    RECT icon = {};
    ListView_GetItemRect(list.Hwnd(), 0, &icon, LVIR_ICON);
    ClickAt(icon.left > 8 ? icon.left / 2 : 8, (r.top + r.bottom) / 2);
    ASSERT_FALSE(model->results.IsChecked(0));
    ClickHeading(3);
    ClickHeading(3);
    expectShown({"c.tmp", "b.tmp", "a.tmp"});
    EXPECT_FALSE(CheckedOnScreen(2));
    EXPECT_EQ(model->state.selectedCount, 2u);

    model->results.SetChecked(0, false);
    EXPECT_FALSE(CheckedOnScreen(0));
    model->found.EraseFront(1);
    expectShown({"b.tmp", "a.tmp"});
    AddRow("d.tmp", "1");
    expectShown({"b.tmp", "a.tmp", "d.tmp"});
    model->found.Clear();
    expectShown({});
}

// Every pixel of a window, its frame included, as the screen shows it.
std::vector<uint32_t> WindowPixels(HWND window) {
    RECT r = {};
    ::GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = ::GetWindowDC(window);
    HDC copy = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(copy, bitmap);
    ::BitBlt(copy, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    ::GdiFlush();
    const uint32_t* pixels = static_cast<const uint32_t*>(bits);
    std::vector<uint32_t> result(pixels, pixels + static_cast<size_t>(width) * height);
    ::SelectObject(copy, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(copy);
    ::ReleaseDC(window, screen);
    return result;
}

// Rows that a scan adds reach the list view a little later, when the window
// answers its messages: the rows then in view are drawn, and the vertical bar
// too once the rows pass a page.
TEST_F(ResultListOnScreen, AddedRowsAreDrawnWhereTheyAreInView) {
    const HWND lv = list.Hwnd();
    // The dark pixels of a row's name as the screen shows it; the list view
    // is asked for its rows first, which brings its count up to date.
    const auto inkOfRow = [&](int row) {
        ListView_GetItemCount(lv);
        PumpMessages();
        RECT cell = {};
        ListView_GetSubItemRect(lv, row, 1, LVIR_LABEL, &cell);
        HDC dc = ::GetDC(lv);
        int ink = 0;
        for (int y = cell.top; y < cell.bottom; ++y)
            for (int x = cell.left; x < cell.right; ++x) {
                const COLORREF c = ::GetPixel(dc, x, y);
                if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128) ++ink;
            }
        ::ReleaseDC(lv, dc);
        return ink;
    };
    // Pixels that differ from those of a whole redraw at once, frame and
    // heading included.
    const auto unlikeAWholeRedraw = [&] {
        const std::vector<uint32_t> drawn = WindowPixels(lv);
        ::RedrawWindow(lv, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        const std::vector<uint32_t> whole = WindowPixels(lv);
        int differ = drawn.size() == whole.size() ? 0 : -1;
        for (size_t i = 0; differ >= 0 && i < drawn.size(); ++i) differ += drawn[i] != whole[i];
        return differ;
    };
    // The first rows of a scan come while the list, just shown, is still to
    // be drawn, its heading too.
    // What was on the screen before is painted over, so that nothing of the
    // list can pass for drawn unless it is drawn again.
    for (HWND window : {lv, ListView_GetHeader(lv)}) {
        RECT all = {};
        ::GetWindowRect(window, &all);
        ::OffsetRect(&all, -all.left, -all.top);
        HDC dc = ::GetWindowDC(window);
        ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        ::ReleaseDC(window, dc);
    }
    ::RedrawWindow(lv, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    AddRow("a.tmp", "1");
    EXPECT_GT(inkOfRow(0), 0);
    EXPECT_EQ(unlikeAWholeRedraw(), 0);
    AddRow("b.tmp", "2");
    EXPECT_GT(inkOfRow(1), 0);
    EXPECT_FALSE(::GetWindowLongPtrA(lv, GWL_STYLE) & WS_VSCROLL);
    const int page = ListView_GetCountPerPage(lv);
    for (int i = 2; i < page + 10; ++i) AddRow("f" + std::to_string(i) + ".tmp", "3");
    // The count is taken and the list is drawn anew in parts; a press on a
    // row's check box meanwhile goes to that row, and the row shows it.
    ListView_GetItemCount(lv);
    RECT bounds = {}, icon = {};
    ListView_GetItemRect(lv, 2, &bounds, LVIR_BOUNDS);
    ListView_GetItemRect(lv, 2, &icon, LVIR_ICON);
    const LPARAM press = MAKELPARAM(icon.left > 8 ? icon.left / 2 : 8, (bounds.top + bounds.bottom) / 2);
    ::PostMessageA(lv, WM_LBUTTONDOWN, MK_LBUTTON, press);
    ::PostMessageA(lv, WM_LBUTTONUP, 0, press);
    for (int row = 0; row < page; ++row) EXPECT_GT(inkOfRow(row), 0) << row;
    EXPECT_FALSE(model->results.IsChecked(2));
    EXPECT_TRUE(model->results.IsChecked(1));
    EXPECT_TRUE(model->results.IsChecked(3));
    EXPECT_TRUE(::GetWindowLongPtrA(lv, GWL_STYLE) & WS_VSCROLL);
    // The window as drawn then is the window that a whole redraw draws.
    EXPECT_EQ(unlikeAWholeRedraw(), 0);
    SCROLLINFO bar = {sizeof bar, SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(::GetScrollInfo(lv, SB_VERT, &bar));
    EXPECT_EQ(bar.nMax, page + 9);
    // Rows past the page change the bar only; at the bottom they are in view.
    ListView_EnsureVisible(lv, page + 9, FALSE);
    for (int i = page + 10; i < page + 12; ++i) AddRow("g" + std::to_string(i) + ".tmp", "4");
    ListView_GetItemCount(lv);
    ASSERT_TRUE(::GetScrollInfo(lv, SB_VERT, &bar));
    EXPECT_EQ(bar.nMax, page + 11);
    ListView_EnsureVisible(lv, page + 11, FALSE);
    PumpMessages();
    EXPECT_GT(inkOfRow(page + 11), 0);
}

// Where a user may press the left button on a row: its check box, the text of
// each column, the row right of the last column, and a double click on the
// name (its first press is the one that could turn the check).
struct RowSpot {
    std::string what;
    POINT at;
    bool onCheckBox = false;
    bool doubleClick = false;
};

std::vector<RowSpot> SpotsOfRow(HWND lv, int row, bool checkBoxes) {
    RECT bounds = {}, icon = {}, label = {}, client = {};
    ListView_GetItemRect(lv, row, &bounds, LVIR_BOUNDS);
    ListView_GetItemRect(lv, row, &icon, LVIR_ICON);
    ListView_GetItemRect(lv, row, &label, LVIR_LABEL);
    ::GetClientRect(lv, &client);
    const int y = (bounds.top + bounds.bottom) / 2;
    std::vector<RowSpot> spots;
    // The state image is drawn left of the row's own image.
    if (checkBoxes) spots.push_back({"check box", {(bounds.left + icon.left) / 2, y}, true});
    POINT name = {(label.left + label.right) / 2, y};
    if (label.right - label.left > 4) spots.push_back({"column 0", name});
    const int columns = Header_GetItemCount(ListView_GetHeader(lv));
    int right = label.right;
    for (int column = 1; column < columns; ++column) {
        RECT cell = {};
        ListView_GetSubItemRect(lv, row, column, LVIR_LABEL, &cell);
        const POINT at = {(cell.left + cell.right) / 2, y};
        spots.push_back({"column " + std::to_string(column), at});
        if (column == 1) name = at;
        right = cell.right;
    }
    spots.push_back({"double click on the name", name, false, true});
    if (right + 10 < client.right) spots.push_back({"right of the last column", {right + 10, y}});
    return spots;
}

// Every list of the program, as the program sets it up, on a real list view:
// a press anywhere on a row selects it, and only a press on the check box
// itself turns its check; a press below the rows and a heading other than
// the check-all one leave every check as it was.
TEST_F(ResultListOnScreen, OnlyAPressOnTheCheckBoxTurnsACheckInEveryList) {
    testing::TempDir dir;
    testing::ProgramInFolder programFiles(dir.Path());
    services.files = &programFiles;
    list.Bind(nullptr);
    model = std::make_unique<MainDialogParts>(services);
    model->InitializeState();
    model->LoadProfileAndLists();
    model->profile.locations.InsertRow(0, MakeFolderLocation(dir.Path(), true));
    for (const char* name : {"c.tmp", "a.tmp", "d.tmp", "b.tmp"}) AddRow(name, std::to_string(name[0] * 10));
    CookieCleaner cookies(nullptr, nullptr);
    cookies.Open();
    for (const char* site : {"user@b.example", "user@a.example", "user@c.example"})
        cookies.list.InsertRow(cookies.list.RowCount(), ListRow{{"", CookieDisplayText(site)}, false, false, 1});

    const struct {
        const char* name;
        CheckListModel* rows;
    } lists[] = {{"locations", &model->lists.locations},
                 {"filters", &model->lists.filters},
                 {"exclusions", &model->lists.exclusions},
                 {"results", &model->results},
                 {"cookies", &cookies.list}};
    // One list's presses; the first wrong check ends them, as the rest would
    // only repeat it.
    auto pressEverywhere = [&](CheckListModel& rows) {
        list.Bind(&rows);
        PumpMessages();
        ASSERT_GE(rows.RowCount(), 3);
        const bool checkBoxes = rows.HasCheckBoxes();
        // Checked and unchecked rows side by side: a stray turn shows either way.
        for (int row = 0; row < rows.RowCount(); ++row) rows.SetChecked(row, row % 2 == 0);
        auto keyOf = [&](int row) {
            std::string key;
            for (size_t column = 0; column < rows.Columns().size(); ++column) key += rows.CellText(row, column) + "|";
            return key;
        };
        std::map<std::string, bool> expected;
        for (int row = 0; row < rows.RowCount(); ++row) expected[keyOf(row)] = rows.IsChecked(row);
        ASSERT_EQ(expected.size(), static_cast<size_t>(rows.RowCount())) << "rows must differ to be told apart";
        auto expectChecks = [&](const std::string& after) {
            for (int row = 0; row < rows.RowCount(); ++row) {
                ASSERT_EQ(rows.IsChecked(row), expected[keyOf(row)]) << after << ": row " << row;
                if (checkBoxes) {
                    ASSERT_EQ(CheckedOnScreen(row), expected[keyOf(row)]) << after << ": row " << row;
                }
            }
        };

        for (int row = 0; row < 3; ++row) {
            for (const RowSpot& spot : SpotsOfRow(list.Hwnd(), row, checkBoxes)) {
                const std::string what = "a press on row " + std::to_string(row) + ", " + spot.what;
                ClickAt(spot.at.x, spot.at.y);
                if (spot.doubleClick) {
                    const LPARAM at = MAKELPARAM(spot.at.x, spot.at.y);
                    ::SendMessageA(list.Hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
                    ::SendMessageA(list.Hwnd(), WM_LBUTTONUP, 0, at);
                    PumpMessages();
                }
                if (spot.onCheckBox) expected[keyOf(row)] = !expected[keyOf(row)];
                ASSERT_NO_FATAL_FAILURE(expectChecks(what));
                if (spot.what.rfind("column", 0) == 0) {
                    EXPECT_EQ(rows.FirstSelected(), row) << what;
                    EXPECT_EQ(ListView_GetNextItem(list.Hwnd(), -1, LVNI_SELECTED), row) << what;
                }
            }
        }

        RECT last = {}, client = {};
        ListView_GetItemRect(list.Hwnd(), rows.RowCount() - 1, &last, LVIR_BOUNDS);
        ::GetClientRect(list.Hwnd(), &client);
        if (last.bottom + 10 < client.bottom) {
            ClickAt(10, last.bottom + 10);
            ClickAt(120, last.bottom + 10);
            ASSERT_NO_FATAL_FAILURE(expectChecks("a press below the rows"));
        }
        for (int column = checkBoxes ? 1 : 0; column < static_cast<int>(rows.Columns().size()); ++column) {
            ClickHeading(column);
            ASSERT_NO_FATAL_FAILURE(expectChecks("a click on heading " + std::to_string(column)));
        }
    };
    for (const auto& each : lists) {
        SCOPED_TRACE(each.name);
        pressEverywhere(*each.rows);
    }
    list.Bind(nullptr);
}

// The pump of a scan that runs a step of the test in its first drain.
struct StepPump : IMessagePump {
    std::function<void()> step;
    void Drain() override {
        if (!step) return;
        std::function<void()> once = std::move(step);
        step = nullptr;
        once();
    }
};

// A check box clicked while a scan reads a big folder (the queue is drained
// inside it) lands on the row under the pointer and stays with that row; the
// totals then agree with the table to the end of the scan.
TEST_F(ResultListOnScreen, ACheckBoxClickedDuringAScanStaysWithItsRow) {
    testing::TempDir dir;
    for (int i = 0; i < 2100; ++i) testing::WriteBytes(dir / ("f" + std::to_string(i) + ".tmp"), "12");
    Win32FileSystem files;
    StepPump pump;
    services.files = &files;
    services.pump = &pump;
    list.Bind(nullptr);
    model = std::make_unique<MainDialogParts>(services);
    model->LayoutControls();
    model->scan.SetupResultList();
    list.Bind(&model->results);
    AddFilterRow(model->profile.filters, "*.tmp", "", true, FilterType::Include);
    model->profile.locations.InsertRow(0, MakeFolderLocation(dir.Path(), true));

    std::string clicked;
    pump.step = [&] {
        ASSERT_GT(ListView_GetItemCount(list.Hwnd()), 3);
        ASSERT_LT(model->results.RowCount(), 2100);
        RECT r = {};
        r.left = LVIR_BOUNDS;
        ListView_GetItemRect(list.Hwnd(), 3, &r, LVIR_BOUNDS);
        RECT icon = {};
        ListView_GetItemRect(list.Hwnd(), 3, &icon, LVIR_ICON);
        clicked = TextOnScreen(3, 1);
        ClickAt(icon.left > 8 ? icon.left / 2 : 8, (r.top + r.bottom) / 2);
        ClickHeading(1);
        ClickHeading(1);
    };
    model->scan.OnStartScan();

    ASSERT_EQ(model->results.RowCount(), 2100);
    ASSERT_FALSE(clicked.empty());
    for (int row = 0; row < model->results.RowCount(); ++row) {
        const bool isClicked = model->results.Item(row).Name() == clicked;
        EXPECT_EQ(model->results.IsChecked(row), !isClicked) << row;
        EXPECT_EQ(CheckedOnScreen(row), !isClicked) << row;
    }
    EXPECT_EQ(model->state.selectedCount, 2099u);
    EXPECT_EQ(model->state.selectedSize, 2 * 2099u);
}

}  // namespace
}  // namespace velnor
