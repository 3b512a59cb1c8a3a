#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>

#include "app/main_dialog_win32.h"
#include "platform/win32/win32_platform.h"
#include "profile/config_file.h"
#include "res/resource.h"
#include "tests/win32/add_dialog_script.h"
#include "tests/win32/support/main_window.h"
#include "tests/win32/support/win_test_support.h"

namespace velnor {
namespace {

using testing::Click;
using testing::CloseMainWindow;
using testing::OpenMainWindow;
using testing::ProgramInFolder;
using testing::PumpMessages;
using testing::ReadBytes;
using testing::ScriptedPrompts;
using testing::TempDir;
using testing::Type;
using testing::WhileModal;

const char kProfile[] =
    "PathDrive=\r\n\r\n"
    "PathFolder=\r\n\r\n"
    "PathExclude=<?:\\games><?:\\recycled>\r\n\r\n"
    "Filter=<*.tmp|Temporary Files|1|0><*.old|Old Files|0|1>\r\n\r\n"
    "Option=<read|1><system|0><hide|1><zero|0><remove|1><clean0|1><clean1|0><clean2|0><clean3|0><clean4|0>"
    "<clean5|0><clean6|0>\r\n\r\n";

// The entries the file would need to hold to show these rows.
std::string ExclusionEntries(const CheckListModel& exclusions) {
    std::string entries;
    for (int row = 0; row < exclusions.RowCount(); ++row) entries += "<" + exclusions.CellText(row, 0) + ">";
    return entries;
}

std::string FilterEntries(const CheckListModel& filters) {
    std::string entries;
    for (int row = 0; row < filters.RowCount(); ++row)
        entries += "<" + filters.CellText(row, filter_col::kPattern) + "|" +
                   filters.CellText(row, filter_col::kDescription) + "|" + (filters.IsChecked(row) ? "1" : "0") + "|" +
                   (filters.CellText(row, filter_col::kExclude).empty() ? "0" : "1") + ">";
    return entries;
}

class EditingPages : public ::testing::Test {
protected:
    void SetUp() override {
        testing::WriteBytes(dir / "config.ini", kProfile);
        files = std::make_unique<ProgramInFolder>(dir.Path());
        platform.files = files.get();
        platform.prompts = &prompts;
        platform.pump = &pump;
        platform.locale = &locale;
        dialog = OpenMainWindow(platform);
        ASSERT_TRUE(dialog);
        ASSERT_EQ(dialog->parts.lists.filters.RowCount(), 2);
        ASSERT_EQ(dialog->parts.lists.exclusions.RowCount(), 2);
    }
    void TearDown() override {
        CloseMainWindow(dialog);
    }

    void OnPage(int page) {
        dialog->parts.flow.ShowPage(page);
        dialog->parts.state.currentPage = page;
    }
    void Press(int buttonId) { Click(dialog->Item(buttonId)); }
    void SelectRow(int listId, int row) {
        ListView_SetItemState(dialog->Item(listId), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        PumpMessages();
    }
    std::string Saved(const std::string& key) {
        return config_file::FindValue(ReadBytes(dir / "config.ini"), key);
    }

    TempDir dir;
    std::unique_ptr<ProgramInFolder> files;
    ScriptedPrompts prompts;
    Win32MessagePump pump;
    Win32Locale locale;
    Platform platform;
    std::unique_ptr<CMainDialog> dialog;
};

TEST_F(EditingPages, AddAndRemoveFiltersThroughTheRealDialog) {
    OnPage(kPageFilters);
    WhileModal script("Add Filter", [](HWND d) {
        Type(::GetDlgItem(d, IDC_FILTER_PATTERN), "<*.velnor>");
        Type(::GetDlgItem(d, IDC_FILTER_DESCRIPTION), "Velnor|test");
        Click(::GetDlgItem(d, IDC_FILTER_OK));
    });
    Press(IDC_ADD);
    ASSERT_TRUE(script.Ran());
    EXPECT_FALSE(script.TimedOut());
    EXPECT_EQ(Saved("Filter"), "<*.tmp|Temporary Files|1|0><*.old|Old Files|0|1><*.velnor|Velnortest|1|0>");
    EXPECT_EQ(Saved("PathExclude"), "<?:\\games><?:\\recycled>");

    SelectRow(IDC_FILTER_LIST, 1);
    ASSERT_EQ(dialog->parts.lists.filters.FirstSelected(), 1);
    Press(IDC_REMOVE);
    EXPECT_EQ(Saved("Filter"), "<*.tmp|Temporary Files|1|0><*.velnor|Velnortest|1|0>");
    EXPECT_EQ(dialog->parts.lists.filters.HeaderCheckImage(), 1);
}

TEST_F(EditingPages, CancelledAddLeavesTheFileAsItWas) {
    OnPage(kPageFilters);
    WhileModal script("Add Filter", [](HWND d) {
        Type(::GetDlgItem(d, IDC_FILTER_PATTERN), "*.never");
        Click(::GetDlgItem(d, IDC_FILTER_CANCEL));
    });
    Press(IDC_ADD);
    ASSERT_TRUE(script.Ran());
    EXPECT_EQ(dialog->parts.lists.filters.RowCount(), 2);
    EXPECT_EQ(ReadBytes(dir / "config.ini"), kProfile);
}

TEST_F(EditingPages, AddAndRemoveExclusionsWithTheFolderChooser) {
    OnPage(kPageExceptions);
    prompts.folders.push_back(std::string("C:\\Velnor\\Cache"));
    WhileModal script("Add exclude path", [](HWND d) {
        Click(::GetDlgItem(d, IDC_EXCLUDE_BROWSE));
        Click(::GetDlgItem(d, IDC_EXCLUDE_OK));
    });
    Press(IDC_ADD);
    ASSERT_TRUE(script.Ran());
    EXPECT_FALSE(script.TimedOut());
    EXPECT_EQ(Saved("PathExclude"), "<?:\\games><?:\\recycled><C:\\Velnor\\Cache>");

    SelectRow(IDC_EXCLUDE_LIST, 0);
    Press(IDC_REMOVE);
    EXPECT_EQ(Saved("PathExclude"), "<?:\\recycled><C:\\Velnor\\Cache>");
    EXPECT_EQ(Saved("Filter"), "<*.tmp|Temporary Files|1|0><*.old|Old Files|0|1>");
}

LRESULT CALLBACK WithoutItemChanges(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == LVN_ITEMCHANGED) return 0;
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

// Gives every row of a list a state as Windows reports it: the rows change and
// the parent hears one notification, for item -1, whose old state need not say
// what each row was (Wine's list view reports each row on its own instead).
void SetEveryRow(HWND list, UINT state, UINT mask) {
    HWND parent = ::GetParent(list);
    ::SetWindowSubclass(parent, WithoutItemChanges, 1, 0);
    ListView_SetItemState(list, -1, state, mask);
    ::RemoveWindowSubclass(parent, WithoutItemChanges, 1);
    NMLISTVIEW all = {};
    all.hdr.hwndFrom = list;
    all.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(list));
    all.hdr.code = LVN_ITEMCHANGED;
    all.iItem = -1;
    all.uChanged = LVIF_STATE;
    all.uNewState = state & mask;
    ::SendMessageA(parent, WM_NOTIFY, all.hdr.idFrom, reinterpret_cast<LPARAM>(&all));
    PumpMessages();
}

// After every row was deselected at once, Remove must not delete the row
// that was selected before.
TEST_F(EditingPages, ChangesToEveryRowAtOnceReachTheLists) {
    const struct {
        int page, list;
        CheckListModel& rows;
    } pages[] = {
        {kPageFilters, IDC_FILTER_LIST, dialog->parts.lists.filters},
        {kPageExceptions, IDC_EXCLUDE_LIST, dialog->parts.lists.exclusions},
    };
    for (const auto& p : pages) {
        OnPage(p.page);
        SelectRow(p.list, 1);
        ASSERT_EQ(p.rows.FirstSelected(), 1) << p.list;
        SetEveryRow(dialog->Item(p.list), 0, LVIS_SELECTED);
        ASSERT_EQ(ListView_GetNextItem(dialog->Item(p.list), -1, LVNI_SELECTED), -1) << p.list;
        EXPECT_EQ(p.rows.FirstSelected(), -1) << p.list;
        Press(IDC_REMOVE);
        EXPECT_EQ(p.rows.RowCount(), 2) << p.list;
    }
    EXPECT_EQ(ReadBytes(dir / "config.ini"), kProfile);

    // Checking every box at once reaches the filter list as well.
    ASSERT_FALSE(dialog->parts.lists.filters.IsChecked(1));
    SetEveryRow(dialog->Item(IDC_FILTER_LIST), INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
    EXPECT_TRUE(dialog->parts.lists.filters.IsChecked(1));
}

TEST_F(EditingPages, DefaultWritesTheRestoredListOfItsPageOnly) {
    OnPage(kPageExceptions);
    Press(IDC_DEFAULT);
    EXPECT_EQ(dialog->parts.lists.exclusions.RowCount(), 31);
    EXPECT_EQ(Saved("PathExclude"), ExclusionEntries(dialog->parts.lists.exclusions));
    EXPECT_EQ(Saved("Filter"), "<*.tmp|Temporary Files|1|0><*.old|Old Files|0|1>");

    OnPage(kPageFilters);
    Press(IDC_DEFAULT);
    EXPECT_EQ(dialog->parts.lists.filters.RowCount(), 84);
    EXPECT_EQ(Saved("Filter"), FilterEntries(dialog->parts.lists.filters));
}

}  // namespace
}  // namespace velnor
