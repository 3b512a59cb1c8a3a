#include "ui/list_model.h"
#include "ui/result_table.h"

#include <gtest/gtest.h>

#include "ui/control_model.h"

namespace velnor {
namespace {

// A result list as the Scan page has it, with its totals linked.
struct ResultList {
    FoundFiles found;
    ResultTable list{found};
    DialogModel dialog;
    Control files = dialog[1171];
    Control size = dialog[1172];
    uint32_t count = 0;
    uint64_t bytes = 0;

    ResultList() {
        for (const char* heading : {"", "File Name", "Location", "Size(Bytes)", "Modified"}) list.InsertColumn(heading, 50);
        list.SetStyles(true, true);
        list.SetHeaderCheckImage(1);
        list.SetTimeFormatter([](uint64_t time) { return "t" + std::to_string(time); });
        list.LinkTotals(&count, &bytes, &files, &size);
    }
    void Add(const std::string& name, uint64_t size, uint64_t modified = 0) {
        JunkItem item;
        item.path = "c:\\junk\\" + name;
        item.size = size;
        item.modified = modified;
        found.Append(item);
    }
    std::vector<std::string> Column(int column) const {
        std::vector<std::string> cells;
        for (int i = 0; i < list.RowCount(); ++i) cells.push_back(list.CellText(i, column));
        return cells;
    }
};

TEST(ResultTable, CellsAreFormattedFromTheData) {
    ResultList r;
    r.Add("a.tmp", 3000000000ull, 42);
    EXPECT_EQ(r.Column(0), (std::vector<std::string>{""}));
    EXPECT_EQ(r.Column(1), (std::vector<std::string>{"a.tmp"}));
    EXPECT_EQ(r.Column(2), (std::vector<std::string>{"c:\\junk\\a.tmp"}));
    EXPECT_EQ(r.Column(3), (std::vector<std::string>{"3000000000"}));
    EXPECT_EQ(r.Column(4), (std::vector<std::string>{"t42"}));
    EXPECT_EQ(r.list.CellText(1, 1), "");
}

TEST(ResultTable, FirstHeadingTogglesEveryCheckBoxAndRecountsTotals) {
    ResultList r;
    r.Add("a.tmp", 900);
    r.Add("b.tmp", 3000000000ull);
    r.list.OnColumnClick(0);
    EXPECT_EQ(r.list.HeaderCheckImage(), 2);
    EXPECT_FALSE(r.list.IsChecked(0));
    EXPECT_FALSE(r.list.IsChecked(1));
    EXPECT_EQ(r.files.Text(), "Selected Files: 0");
    EXPECT_EQ(r.size.Text(), "Selected Size:  0 Byte(s)");

    r.list.OnColumnClick(0);
    EXPECT_EQ(r.list.HeaderCheckImage(), 1);
    EXPECT_EQ(r.count, 2u);
    EXPECT_EQ(r.bytes, 3000000900ull);
    EXPECT_EQ(r.size.Text(), "Selected Size:  2861.02 MB");
    // The check-all heading never sorts.
    EXPECT_EQ(r.Column(1), (std::vector<std::string>{"a.tmp", "b.tmp"}));
}

TEST(ResultTable, SortsEachColumnByItsKindAndCheckBoxesStayWithTheirRows) {
    ResultList r;
    r.Add("x", 3000000000ull, 30);
    r.Add("Y", 900, 10);
    r.Add("z", 10000, 20);
    r.list.SetChecked(1, false);
    r.list.OnColumnClick(3);
    EXPECT_EQ(r.Column(3), (std::vector<std::string>{"900", "10000", "3000000000"}));
    EXPECT_EQ(r.list.Header().sortColumn, 3);
    EXPECT_TRUE(r.list.Header().sortAscending);
    EXPECT_TRUE(r.list.Header().IsOwnerDrawn(3));
    EXPECT_FALSE(r.list.IsChecked(0));  // "Y" went first with its check box
    EXPECT_TRUE(r.list.IsChecked(1));
    r.list.OnColumnClick(3);
    EXPECT_EQ(r.Column(3), (std::vector<std::string>{"3000000000", "10000", "900"}));
    EXPECT_FALSE(r.list.IsChecked(2));
    // Another column starts ascending again; names ignore case.
    r.list.OnColumnClick(1);
    EXPECT_EQ(r.Column(1), (std::vector<std::string>{"x", "Y", "z"}));
    r.list.OnColumnClick(4);
    EXPECT_EQ(r.Column(1), (std::vector<std::string>{"Y", "z", "x"}));
    r.list.OnColumnClick(2);
    EXPECT_EQ(r.Column(1), (std::vector<std::string>{"x", "Y", "z"}));
    EXPECT_FALSE(r.list.IsChecked(1));
}

TEST(ResultTable, EraseFrontTakesTheTopRowsAndClearGivesEverythingBack) {
    ResultList r;
    for (const char* name : {"a", "b", "c"}) r.Add(name, 1);
    r.found.EraseFront(2);
    EXPECT_EQ(r.Column(1), (std::vector<std::string>{"c"}));
    r.found.EraseFront(5);
    EXPECT_EQ(r.list.RowCount(), 0);
    r.Add("d", 1);
    r.found.Clear();
    EXPECT_EQ(r.list.RowCount(), 0);
}

// A text list, as the profile pages have them, sorted by the kinds of its columns.
struct TextList {
    ListModel list;
    explicit TextList(const std::vector<std::vector<std::string>>& rows) {
        for (const char* heading : {"", "Name", "When"}) list.InsertColumn(heading, 50);
        list.SetColumnType(1, ColumnType::Text);
        list.SetColumnType(2, ColumnType::DateTime);
        for (const auto& cells : rows) {
            ListRow row;
            row.cells = cells;
            list.InsertRow(list.RowCount(), row);
        }
    }
};

std::vector<std::string> Names(const ListModel& list) {
    std::vector<std::string> names;
    for (int i = 0; i < list.RowCount(); ++i) names.push_back(list.Cell(i, 1));
    return names;
}

TEST(ListModel, TextSortIgnoresCaseAndDatesUseTheParser) {
    TextList t({{"", "beta", "30"}, {"", "Alpha", "10"}, {"", "alpha2", "20"}});
    ListModel& list = t.list;
    list.SetDateParser([](const std::string& t) -> std::optional<double> {
        if (t.empty()) return std::nullopt;
        return std::stod(t);
    });
    list.OnColumnClick(1);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"Alpha", "alpha2", "beta"}));
    list.OnColumnClick(2);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"Alpha", "alpha2", "beta"}));
    list.OnColumnClick(2);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"beta", "alpha2", "Alpha"}));
}

TEST(ListModel, UnparsableDatesCompareEqualAndKeepTheirOrder) {
    TextList t({{"", "first", "bad"}, {"", "second", "worse"}});
    ListModel& list = t.list;
    list.SetDateParser([](const std::string&) { return std::nullopt; });
    list.OnColumnClick(2);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"first", "second"}));
}

TEST(ResultTable, CheckStripRecountsOnlyInsideItsRectangle) {
    ResultList r;
    r.Add("a", 100);
    r.Add("b", 200);
    r.list.RecountSelection();
    // A check box toggled from the keyboard changes nothing until a click.
    r.list.SetChecked(0, false);
    EXPECT_EQ(r.count, 2u);
    r.list.OnMouseButton(10, 400);  // below the strip
    EXPECT_EQ(r.count, 2u);
    EXPECT_EQ(r.list.HeaderCheckImage(), 1);
    r.list.OnMouseButton(25, 100);  // right of it
    EXPECT_EQ(r.count, 2u);
    r.list.OnMouseButton(24, 399);  // its corner
    EXPECT_EQ(r.count, 1u);
    EXPECT_EQ(r.bytes, 200u);
    EXPECT_EQ(r.list.HeaderCheckImage(), 2);

    // At 200 %, over a check box column scrolled 10 pixels out to the left:
    // the strip is twice as large and moves with the column.
    r.list.SetCheckStrip(CheckStrip::Over(DisplayScale::ForDpi(192), -10, 50));
    r.list.SetChecked(1, false);
    r.list.OnMouseButton(39, 500);
    r.list.OnMouseButton(20, 799);
    r.list.OnMouseButton(20, 29);
    EXPECT_EQ(r.count, 1u);
    r.list.OnMouseButton(38, 798);
    EXPECT_EQ(r.count, 0u);
    // A first column narrower than the strip bounds it.
    r.list.SetCheckStrip(CheckStrip::Over(DisplayScale::ForDpi(96), 0, 20));
    r.list.SetChecked(0, true);
    r.list.OnMouseButton(20, 100);
    EXPECT_EQ(r.count, 0u);
    r.list.OnMouseButton(19, 100);
    EXPECT_EQ(r.count, 1u);
}

TEST(ListModel, EmptyListShowsAllCheckedAfterAStripClick) {
    ListModel list;
    list.InsertColumn("", 30);
    list.SetHeaderCheckImage(2);
    list.OnMouseButton(5, 20);
    EXPECT_EQ(list.HeaderCheckImage(), 1);
}

TEST(ListModel, DataFirstColumnSortsOnItsOnlyHeading) {
    ListModel exclusions;
    exclusions.InsertColumn("Exclude Folders", 360);
    exclusions.SetFirstColumnIsData(true);
    exclusions.AppendItem("?:\\win*\\temp", 3);
    exclusions.AppendItem("*\\i386", 3);
    exclusions.OnColumnClick(0);
    EXPECT_EQ(exclusions.Cell(0, 0), "*\\i386");
    EXPECT_EQ(exclusions.Header().sortColumn, 0);
    EXPECT_FALSE(exclusions.Header().hideArrow);
    EXPECT_EQ(exclusions.HeaderCheckImage(), -1);
}

TEST(ListModel, SingleSelectionAndFirstSelected) {
    ListModel list;
    list.InsertColumn("", 30);
    for (int i = 0; i < 3; ++i) list.AppendItem("", 0);
    EXPECT_EQ(list.FirstSelected(), -1);
    list.SetSelected(2, true);
    list.SetSelected(1, true);
    EXPECT_EQ(list.FirstSelected(), 1);
    EXPECT_FALSE(list.Row(2).selected);
}

TEST(ListModel, LeadingIntegerReadsSignAndSaturates) {
    EXPECT_EQ(LeadingInteger("3000000000"), 3000000000ll);
    EXPECT_EQ(LeadingInteger("-12abc"), -12);
    EXPECT_EQ(LeadingInteger("1024.00"), 1024);
    EXPECT_EQ(LeadingInteger(""), 0);
    EXPECT_EQ(LeadingInteger("99999999999999999999999"), INT64_MAX);
    EXPECT_EQ(LeadingInteger("-99999999999999999999999"), INT64_MIN);
}

}  // namespace
}  // namespace velnor
