#include "profile/defaults.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/fakes/fake_platform.h"

namespace velnor {
namespace {

TEST(DefaultFilters, OrderTypesAndCheckStates) {
    const std::set<size_t> unchecked = {11, 12, 21, 22, 23, 35, 36, 42};
    for (size_t i = 0; i < kDefaultFilterCount; ++i) {
        const size_t number = i + 1;
        EXPECT_EQ(kDefaultFilters[i].type, number <= 57 ? FilterType::Include : FilterType::Exclude) << number;
        EXPECT_EQ(kDefaultFilters[i].checked, unchecked.count(number) == 0) << number;
    }
    struct Row {
        size_t number;
        const char* pattern;
        const char* description;
    } rows[] = {
        {1, "*.$$$", "MS-DOS Temporary Files"},
        {10, "*.#Res", "Temporary Files (Mac Photoshop to PC)"},
        {11, "*.bak", "Backup Files"},
        {21, "*.ftg", "Word List File of *.HLP"},
        {45, "anti-vir.dat", "Created by F-Prot Anit-Virus"},
        {57, "~*.*", "Temporary Files"},
        {58, "config.*", "System file"},
        {72, "MM2048.DAT", "Data Files"},
        {84, "wz.pif", "PIF Files"},
    };
    for (const Row& r : rows) {
        EXPECT_STREQ(kDefaultFilters[r.number - 1].pattern, r.pattern) << r.number;
        EXPECT_STREQ(kDefaultFilters[r.number - 1].description, r.description) << r.number;
    }
}

TEST(DefaultExclusions, FolderPatternsWithSingleBackslashes) {
    EXPECT_STREQ(kDefaultExclusions[0], "?:\\Program files\\common files");
    EXPECT_STREQ(kDefaultExclusions[12], "?:\\recycle?");
    EXPECT_STREQ(kDefaultExclusions[14], "?:\\SYSTEM VOLUME INFORMATION");
    EXPECT_STREQ(kDefaultExclusions[15], "*\\temporary internet files");
    EXPECT_STREQ(kDefaultExclusions[29], "*\\microsoft\\money\\*\\webcache");
    EXPECT_STREQ(kDefaultExclusions[30], "*\\microsoft\\office\\data");
    for (size_t i = 0; i < kDefaultExclusionCount; ++i) {
        const std::string p = kDefaultExclusions[i];
        EXPECT_EQ(p.find("\\\\"), std::string::npos) << p;
        EXPECT_TRUE(p.rfind(i < 15 ? "?:\\" : "*\\", 0) == 0) << p;
    }
}

class FillDefaults : public ::testing::Test {
protected:
    testing::FakePlatform fakes;
    testing::TestMainDialog dialog{fakes};
};

TEST_F(FillDefaults, FilterListIsReplacedAndOnlyIt) {
    AddFilterRow(dialog.profile.filters, "*.mine", "user row", true, FilterType::Include);
    AddExclusionRow(dialog.profile.exclusions, "c:\\keep");
    dialog.lists.filters.SetSortImage(3, false, false);
    dialog.store.FillDefaultFilters();

    const auto& filters = dialog.lists.filters;
    ASSERT_EQ(filters.RowCount(), 84);
    int checked = 0;
    for (int row = 0; row < filters.RowCount(); ++row) {
        checked += filters.IsChecked(row);
        EXPECT_EQ(filters.CellText(row, filter_col::kPattern), kDefaultFilters[row].pattern);
        EXPECT_EQ(filters.CellText(row, filter_col::kExclude), row >= 57 ? "Yes" : "");
    }
    EXPECT_EQ(checked, 76);
    EXPECT_FALSE(filters.IsChecked(10));
    EXPECT_EQ(filters.CellText(0, filter_col::kType), ".$$$");
    EXPECT_EQ(filters.CellText(41, filter_col::kType), ".txt");
    EXPECT_EQ(filters.CellText(42, filter_col::kType), ".*");
    EXPECT_EQ(filters.CellText(79, filter_col::kType), "");
    EXPECT_EQ(filters.HeaderCheckImage(), 2);
    EXPECT_EQ(filters.Header().sortColumn, filter_col::kPattern);
    EXPECT_TRUE(filters.Header().sortAscending);
    EXPECT_TRUE(filters.Header().hideArrow);

    ASSERT_EQ(dialog.lists.exclusions.RowCount(), 1);
    EXPECT_EQ(dialog.lists.exclusions.CellText(0, 0), "c:\\keep");
}

TEST_F(FillDefaults, ExclusionListIsReplacedInOrder) {
    AddExclusionRow(dialog.profile.exclusions, "c:\\mine");
    AddFilterRow(dialog.profile.filters, "*.mine", "", true, FilterType::Include);
    dialog.store.FillDefaultExclusions();

    const auto& exclusions = dialog.lists.exclusions;
    ASSERT_EQ(exclusions.RowCount(), 31);
    for (int row = 0; row < exclusions.RowCount(); ++row) {
        EXPECT_EQ(exclusions.CellText(row, exclude_col::kPattern), kDefaultExclusions[row]);
        EXPECT_EQ(exclusions.RowImage(row), kExclusionImage);
    }
    EXPECT_EQ(exclusions.Header().sortColumn, exclude_col::kPattern);
    EXPECT_TRUE(exclusions.Header().hideArrow);
    EXPECT_EQ(dialog.lists.filters.RowCount(), 1);
}

}  // namespace
}  // namespace velnor
