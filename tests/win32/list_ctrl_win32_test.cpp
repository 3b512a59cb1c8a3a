#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/main_dialog_model.h"
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
        model = std::make_unique<MainDialogModel>(services);
        model->SetupResultList();
        list.SubclassControl(host.CreateListView(IDC_RESULT_LIST, 10, 10, 660, 500));
        list.Bind(&model->results);
        files = std::make_unique<Control>(model->controls[IDC_SELECTED_FILES]);
        size = std::make_unique<Control>(model->controls[IDC_SELECTED_SIZE]);
        model->results.LinkTotals(&model->selectedCount, &model->selectedSize, files.get(), size.get());
    }

    void AddRow(const std::string& name, const std::string& bytes) {
        ListModel& r = model->results;
        const int row = r.AppendItem("", 0);
        r.SetCell(row, 1, name);
        r.SetCell(row, 2, "c:\\temp\\" + name);
        r.SetCell(row, 3, bytes);
        r.SetCell(row, 4, "12/07/26 10:00:00");
        r.SetChecked(row, true);
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
    std::unique_ptr<MainDialogModel> model;
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
    EXPECT_EQ(model->selectedCount, 3u);
    EXPECT_EQ(model->selectedSize, 3000010900ull);
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
    ASSERT_EQ(model->selectedCount, 40u);

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
    EXPECT_EQ(model->selectedCount, 40u);

    // The same kind of click inside the strip brings the totals up to date.
    RECT top = {};
    top.left = LVIR_BOUNDS;
    ListView_GetItemRect(list.Hwnd(), 1, &top, LVIR_BOUNDS);
    ClickAt(checkX, (top.top + top.bottom) / 2);
    EXPECT_FALSE(model->results.IsChecked(1));
    EXPECT_EQ(model->selectedCount, 38u);
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

// A scan appends a folder's hits in one step; the list view may show them a
// little later, but never out of step with the model.
TEST_F(ResultListOnScreen, AppendedRowsReachTheListViewInOrderWhateverHappensMeanwhile) {
    ListModel& r = model->results;
    auto rows = [](std::initializer_list<const char*> names) {
        std::vector<ListRow> out;
        for (const char* name : names) {
            ListRow row;
            row.cells = {"", name, std::string("c:\\junk\\") + name, "10", ""};
            row.checked = true;
            out.push_back(row);
        }
        return out;
    };
    r.AppendRows(rows({"a.tmp", "b.tmp"}));
    r.AppendRows(rows({"c.tmp", "d.tmp", "e.tmp"}));
    r.AppendRows(rows({"f.tmp"}));
    // Changing, deleting and inserting rows, shown or not yet shown.
    r.SetChecked(4, false);
    r.DeleteRow(1);
    r.AppendRows(rows({"g.tmp"}));
    r.DeleteRow(r.RowCount() - 1);
    r.FinishAppending();

    ASSERT_EQ(ListView_GetItemCount(list.Hwnd()), r.RowCount());
    ASSERT_EQ(r.RowCount(), 5);
    for (int row = 0; row < r.RowCount(); ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(TextOnScreen(row, 1), r.Cell(row, 1));
        EXPECT_EQ(TextOnScreen(row, 2), r.Cell(row, 2));
        EXPECT_EQ(CheckedOnScreen(row), r.IsChecked(row));
    }
    EXPECT_EQ(TextOnScreen(3, 1), "e.tmp");
    EXPECT_FALSE(CheckedOnScreen(3));

    // Rows left pending show up by themselves once the batch time has passed.
    r.AppendRows(rows({"h.tmp"}));
    r.AppendRows(rows({"i.tmp"}));
    const DWORD start = ::GetTickCount();
    while (ListView_GetItemCount(list.Hwnd()) != 7 && ::GetTickCount() - start < 3000) {
        PumpMessages();
        ::Sleep(10);
    }
    EXPECT_EQ(ListView_GetItemCount(list.Hwnd()), 7);
    EXPECT_EQ(TextOnScreen(6, 1), "i.tmp");
}

}  // namespace
}  // namespace velnor
