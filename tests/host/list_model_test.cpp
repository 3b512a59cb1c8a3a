#include "ui/list_model.h"

#include <gtest/gtest.h>

#include "ui/control_model.h"

namespace velnor {
namespace {

// A result list as the Scan page has it, with its totals linked.
struct ResultList {
    ListModel list;
    DialogModel dialog;
    Control files = dialog[1171];
    Control size = dialog[1172];
    uint32_t count = 0;
    uint64_t bytes = 0;

    ResultList() {
        for (const char* heading : {"", "File Name", "Location", "Size(Bytes)", "Modified"}) list.InsertColumn(heading, 50);
        list.SetStyles(true, true);
        list.SetColumnType(1, ColumnType::Text);
        list.SetColumnType(3, ColumnType::Integer);
        list.SetColumnType(4, ColumnType::DateTime);
        list.SetHeaderCheckImage(1);
        list.LinkTotals(&count, &bytes, &files, &size);
    }
    void Add(const std::string& name, const std::string& bytesText, const std::string& modified = "") {
        const int row = list.AppendItem("", 0);
        list.SetCell(row, 1, name);
        list.SetCell(row, 3, bytesText);
        list.SetCell(row, 4, modified);
        list.SetChecked(row, true);
    }
    std::vector<std::string> Column(int column) const {
        std::vector<std::string> cells;
        for (int i = 0; i < list.RowCount(); ++i) cells.push_back(list.Cell(i, column));
        return cells;
    }
};

TEST(ListModel, FirstHeadingTogglesEveryCheckBoxAndRecountsTotals) {
    ResultList r;
    r.Add("a.tmp", "900");
    r.Add("b.tmp", "3000000000");
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

TEST(ListModel, SortsIntegersBeyondThirtyTwoBitsNumericallyBothWays) {
    ResultList r;
    r.Add("x", "3000000000");
    r.Add("y", "900");
    r.Add("z", "10000");
    r.list.OnColumnClick(3);
    EXPECT_EQ(r.Column(3), (std::vector<std::string>{"900", "10000", "3000000000"}));
    EXPECT_EQ(r.list.Header().sortColumn, 3);
    EXPECT_TRUE(r.list.Header().sortAscending);
    EXPECT_TRUE(r.list.Header().IsOwnerDrawn(3));
    r.list.OnColumnClick(3);
    EXPECT_EQ(r.Column(3), (std::vector<std::string>{"3000000000", "10000", "900"}));
    // Another column starts ascending again.
    r.list.OnColumnClick(1);
    EXPECT_EQ(r.Column(1), (std::vector<std::string>{"x", "y", "z"}));
}

TEST(ListModel, TextSortIgnoresCaseAndDatesUseTheParser) {
    ResultList r;
    r.list.SetDateParser([](const std::string& t) -> std::optional<double> {
        if (t.empty()) return std::nullopt;
        return std::stod(t);
    });
    r.Add("beta", "1", "30");
    r.Add("Alpha", "2", "10");
    r.Add("alpha2", "3", "20");
    r.list.OnColumnClick(1);
    EXPECT_EQ(r.Column(1), (std::vector<std::string>{"Alpha", "alpha2", "beta"}));
    r.list.OnColumnClick(4);
    EXPECT_EQ(r.Column(4), (std::vector<std::string>{"10", "20", "30"}));
}

TEST(ListModel, UnparsableDatesCompareEqualAndKeepTheirOrder) {
    ResultList r;
    r.list.SetDateParser([](const std::string&) { return std::nullopt; });
    r.Add("first", "1", "bad");
    r.Add("second", "2", "worse");
    r.list.OnColumnClick(4);
    EXPECT_EQ(r.Column(1), (std::vector<std::string>{"first", "second"}));
}

TEST(ListModel, CheckStripRecountsOnlyInsideItsRectangle) {
    ResultList r;
    r.Add("a", "100");
    r.Add("b", "200");
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
    EXPECT_EQ(ParseByteCount("18446744073709551615"), UINT64_MAX);
}

}  // namespace
}  // namespace velnor
