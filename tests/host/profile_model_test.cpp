#include "profile/profile.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_platform.h"
#include "ui/profile_lists.h"

namespace velnor {
namespace {

TEST(AddFilterRow, FillsTypeAndExcludeCellsFromThePattern) {
    struct Case {
        const char* pattern;
        FilterType type;
        const char* typeCell;
    } cases[] = {
        {"*.bak", FilterType::Exclude, ".bak"},
        {"*.tmp", FilterType::Include, ".tmp"},
        {"*log.txt", FilterType::Include, ".txt"},
        {"*__ofidx*.*", FilterType::Include, ".*"},
        {"WebPoolFileFile", FilterType::Exclude, ""},
        {".hidden.tmp", FilterType::Include, ""},  // a leading dot gives no type, whatever follows
        {"a.b.c", FilterType::Include, ".b.c"},
    };
    for (const Case& c : cases) {
        FilterTable records;
        const FilterListModel filters(records);
        AddFilterRow(records, c.pattern, "desc", true, c.type);
        ASSERT_EQ(filters.RowCount(), 1);
        EXPECT_EQ(filters.CellText(0, filter_col::kCheck), "");
        EXPECT_EQ(filters.CellText(0, filter_col::kPattern), c.pattern);
        EXPECT_EQ(filters.CellText(0, filter_col::kType), c.typeCell) << c.pattern;
        EXPECT_EQ(filters.CellText(0, filter_col::kDescription), "desc");
        EXPECT_EQ(filters.CellText(0, filter_col::kExclude), c.type == FilterType::Exclude ? "Yes" : "");
        EXPECT_EQ(filters.RowImage(0), static_cast<int>(c.type));
        EXPECT_TRUE(filters.IsChecked(0));
        EXPECT_EQ(filters.At(0).type, c.type);
    }
}

TEST(AddFilterRow, AppendsUncheckedRowsWithoutTouchingTheHeader) {
    FilterTable records;
    FilterListModel filters(records);
    filters.SetHeaderCheckImage(1);
    AddFilterRow(records, "*.a", "", true, FilterType::Include);
    AddFilterRow(records, "*.b", "", false, FilterType::Include);
    EXPECT_EQ(filters.CellText(1, filter_col::kPattern), "*.b");
    EXPECT_FALSE(filters.IsChecked(1));
    EXPECT_EQ(filters.HeaderCheckImage(), 1);
}

TEST(ScanOptions, DefaultsOfTheFileAndOfTheFreshPictures) {
    const ScanOptions file = ScanOptions::FileDefaults();
    const bool expectedFile[ScanOptions::kCount] = {true,  false, true,  false, true,  true,
                                                    false, false, false, false, false, false};
    const ScanOptions created = ScanOptions::CreationStates();
    for (int i = 0; i < ScanOptions::kCount; ++i) {
        const auto flag = static_cast<ScanOptions::Flag>(i);
        EXPECT_EQ(file[flag], expectedFile[i]) << ScanOptions::Token(flag);
        EXPECT_EQ(created[flag], flag == ScanOptions::kRemove) << ScanOptions::Token(flag);
    }
}

TEST(MainDialogOptions, RemovalPairAlwaysHasExactlyOnePictureOn) {
    testing::FakePlatform fakes;
    testing::TestMainDialog dialog(fakes);
    dialog.LayoutControls();
    EXPECT_EQ(dialog.options.Options(), ScanOptions::CreationStates());
    dialog.options.SetOption(ScanOptions::kRemove, false);
    EXPECT_EQ(dialog.controls.StateOf(1072).state, 0);
    EXPECT_EQ(dialog.controls.StateOf(1074).state, 1);
    EXPECT_EQ(dialog.controls.StateOf(1074).shownPicture, 156);
    dialog.options.SetOption(ScanOptions::kSystem, true);
    EXPECT_EQ(dialog.controls.StateOf(1069).shownPicture, 158);
    EXPECT_TRUE(dialog.options.Options()[ScanOptions::kSystem]);
}

TEST(MainDialogStart, ProfileSitsBesideTheExecutableWhicheverSlashItUses) {
    struct Case {
        const char* module;
        const char* profile;
    } cases[] = {
        {"C:\\Program Files\\Velnor\\VelnorCleaner.exe", "C:\\Program Files\\Velnor\\config.ini"},
        {"C:/tools/velnor/VelnorCleaner.exe", "C:/tools/velnor/config.ini"},
        {"VelnorCleaner.exe", "VelnorCleaner.execonfig.ini"},
    };
    for (const Case& c : cases) {
        testing::FakePlatform fakes;
        fakes.files.modulePath = c.module;
        testing::TestMainDialog dialog(fakes);
        dialog.InitializeState();
        EXPECT_EQ(dialog.store.ProfilePath(), c.profile);
    }
}

}  // namespace
}  // namespace velnor
