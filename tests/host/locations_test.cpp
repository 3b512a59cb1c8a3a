#include <gtest/gtest.h>

#include <memory>

#include "app/main_dialog_parts.h"
#include "res/resource.h"
#include "tests/fakes/fake_platform.h"

namespace velnor {
namespace {

using testing::FakeFileSystem;
using testing::FakePlatform;
using testing::TestMainDialog;

const char kFolder[] = "C:\\Program Files\\Velnor";
const char kConfig[] = "C:\\Program Files\\Velnor\\config.ini";

std::vector<std::string> Cells(const LocationListModel& list, int row) {
    std::vector<std::string> cells;
    for (int column = location_col::kCheck; column <= location_col::kFree; ++column)
        cells.push_back(list.CellText(row, column));
    return cells;
}

class Locations : public ::testing::Test {
protected:
    void SetUp() override {
        fakes.files.AddFolder(kFolder);
        fakes.files.drives = {
            {"A:\\", kDriveRemovable, 1474560, 0},
            {"C:\\", kDriveFixed, 1073741824, 1234567890123},
            {"D:\\", kDriveFixed, 1073741823, 21474836480},
            {"E:\\", kDriveCdRom, 700ull << 20, 0},
        };
        fakes.shell.displayNames["C:\\"] = "System (C:)";
        fakes.shell.displayNames["D:\\"] = "Data (D:)";
        fakes.shell.displayNames["E:\\"] = "CD (E:)";
    }
    LocationListModel& Start(const std::string& profile) {
        fakes.files.SetText(kConfig, profile);
        dialog = std::make_unique<TestMainDialog>(fakes);
        dialog->Start();
        saves = fakes.files.replaceCount;
        return dialog->lists.locations;
    }
    int NewSaves() const { return fakes.files.replaceCount - saves; }

    FakePlatform fakes;
    std::unique_ptr<TestMainDialog> dialog;
    int saves = 0;
};

TEST_F(Locations, ListsOnlyFixedDrivesWithTheirSizes) {
    const LocationListModel& list = Start("\n");
    ASSERT_EQ(list.RowCount(), 2);
    const std::vector<std::string> expected[] = {
        {"", "System (C:)", "1024.00", "1177375.75"},  // free space through single precision
        {"", "Data (D:)", "1024.00", "20480.00"},      // 1,048,575 whole kilobytes
    };
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(Cells(list, row), expected[row]) << row;
        EXPECT_TRUE(list.IsChecked(row));
        EXPECT_EQ(list.RowImage(row), kDriveImage);
    }
    EXPECT_EQ(list.HeaderCheckImage(), 1);
    EXPECT_EQ(list.Header().sortColumn, location_col::kPath);
    EXPECT_TRUE(list.Header().hideArrow);
    ASSERT_EQ(list.Columns().size(), 4u);
    EXPECT_EQ(list.Columns()[3].heading, "Free Space(MB)");
    EXPECT_EQ(list.Columns()[3].width, 105);
}

TEST_F(Locations, ADriveWithoutANameOrASizeStillGetsARow) {
    fakes.shell.displayNames.erase("D:\\");
    fakes.files.drives[2].spaceQueryFails = true;
    const LocationListModel& list = Start("\n");
    ASSERT_EQ(list.RowCount(), 2);
    EXPECT_EQ(Cells(list, 1), (std::vector<std::string>{"", "D:\\", "", ""}));
    EXPECT_TRUE(list.IsChecked(1));
}

TEST_F(Locations, SavedDriveChecksApplyWithLetterCase) {
    struct Case {
        const char* profile;
        bool cChecked, dChecked;
        int header;
    } cases[] = {
        {"PathDrive=<C:|0><D:|1>\n", false, true, 2},
        {"PathDrive=<c:|0><D:|1>\n", true, true, 1},
        {"PathDrive=<Z:|0><D:|0>\n", true, false, 2},
        {"\n", true, true, 1},
    };
    for (const Case& c : cases) {
        const LocationListModel& list = Start(c.profile);
        ASSERT_EQ(list.RowCount(), 2) << c.profile;
        EXPECT_EQ(list.IsChecked(0), c.cChecked) << c.profile;
        EXPECT_EQ(list.IsChecked(1), c.dChecked) << c.profile;
        EXPECT_EQ(list.HeaderCheckImage(), c.header) << c.profile;
    }
}

TEST_F(Locations, SavedFoldersFollowTheDrives) {
    const LocationListModel& list = Start("PathFolder=<C:\\Temp|0><C:\\|1><D:\\Work|1>\n");
    ASSERT_EQ(list.RowCount(), 4);
    EXPECT_EQ(Cells(list, 2), (std::vector<std::string>{"", "C:\\Temp", "", ""}));
    EXPECT_FALSE(list.IsChecked(2));
    EXPECT_EQ(list.CellText(3, location_col::kPath), "D:\\Work");
    EXPECT_TRUE(list.IsChecked(3));
    EXPECT_EQ(list.RowImage(3), kFolderImage);
    EXPECT_EQ(list.HeaderCheckImage(), 2);
}

TEST_F(Locations, AddTakesANewFolderOnceAndSavesIt) {
    LocationListModel& list = Start("\n");
    struct Step {
        std::optional<std::string> chosen;
        int rows;
        int saves;
    } steps[] = {
        {std::nullopt, 2, 0},               // cancelled
        {std::string("C:\\"), 2, 0},        // a root
        {std::string(""), 2, 0},
        {std::string("C:\\Work"), 3, 1},
        {std::string("C:\\Work"), 3, 1},    // already listed
        {std::string("c:\\work"), 4, 2},    // compared with letter case
    };
    for (const Step& s : steps) {
        fakes.prompts.folders.push_back(s.chosen);
        dialog->listPages.AddFolderLocation();
        EXPECT_EQ(list.RowCount(), s.rows) << s.chosen.value_or("(cancel)");
        EXPECT_EQ(NewSaves(), s.saves) << s.chosen.value_or("(cancel)");
    }
    EXPECT_TRUE(list.IsChecked(2));
    EXPECT_EQ(list.RowImage(2), kFolderImage);
    EXPECT_NE(fakes.files.Find(kConfig)->content.find("PathFolder=<C:\\Work|1><c:\\work|1>"), std::string::npos);
}

TEST_F(Locations, RemoveDeletesFoldersOnlyButAlwaysSaves) {
    LocationListModel& list = Start("PathFolder=<C:\\Keep|0><D:\\Drop|1>\n");
    ASSERT_EQ(list.RowCount(), 4);

    dialog->listPages.RemoveLocation();  // nothing selected
    EXPECT_EQ(list.RowCount(), 4);
    EXPECT_EQ(NewSaves(), 0);

    list.SetSelected(0, true);  // a drive
    dialog->listPages.RemoveLocation();
    EXPECT_EQ(list.RowCount(), 4);
    EXPECT_EQ(NewSaves(), 1);

    list.SetSelected(3, true);
    dialog->listPages.RemoveLocation();
    ASSERT_EQ(list.RowCount(), 3);
    EXPECT_EQ(list.CellText(2, location_col::kPath), "C:\\Keep");
    EXPECT_EQ(list.HeaderCheckImage(), 2);
    EXPECT_EQ(NewSaves(), 2);

    list.SetSelected(2, true);
    dialog->listPages.RemoveLocation();
    EXPECT_EQ(list.RowCount(), 2);
    EXPECT_EQ(list.HeaderCheckImage(), 1);  // only checked drives left
    EXPECT_EQ(fakes.files.Find(kConfig)->content.find("Keep"), std::string::npos);
}

// With drive letters hidden in the shell, a drive's name holds no letter; a
// folder's name may look like a drive's. Each row stays what it was listed
// as: the drive is kept by Remove, saved as a drive and walked from its root,
// and the folder is walked alone, never the drive its name seems to name.
TEST_F(Locations, ARowIsADriveOrAFolderWhateverItsNameLooksLike) {
    fakes.shell.displayNames["D:\\"] = "Data";
    fakes.files.AddFile("D:\\old.tmp", 10);
    fakes.files.AddFile("C:\\Copy of (D:)\\copied.tmp", 20);
    LocationListModel& list = Start("PathDrive=<C:|0><D:|0>\nPathFolder=<C:\\Copy of (D:)|1>\n");
    ASSERT_EQ(list.RowCount(), 3);
    EXPECT_EQ(list.CellText(1, location_col::kPath), "Data");
    EXPECT_FALSE(list.IsChecked(1));

    AddFilterRow(dialog->profile.filters, "*.tmp", "", true, FilterType::Include);
    dialog->scan.OnStartScan();
    ASSERT_EQ(dialog->results.RowCount(), 1);
    EXPECT_EQ(dialog->results.Item(0).Path(), "c:\\copy of (d:)\\copied.tmp");

    list.SetChecked(1, true);
    list.SetChecked(2, false);
    dialog->scan.OnStartScan();
    ASSERT_EQ(dialog->results.RowCount(), 1);
    EXPECT_EQ(dialog->results.Item(0).Path(), "d:\\old.tmp");

    list.SetSelected(1, true);
    dialog->listPages.RemoveLocation();
    ASSERT_EQ(list.RowCount(), 3);
    const std::string& saved = fakes.files.Find(kConfig)->content;
    EXPECT_NE(saved.find("PathDrive=<C:|0><D:|1>"), std::string::npos) << saved;
    EXPECT_NE(saved.find("PathFolder=<C:\\Copy of (D:)|0>"), std::string::npos) << saved;
    list.SetSelected(2, true);
    dialog->listPages.RemoveLocation();
    EXPECT_EQ(list.RowCount(), 2);
}

// The size columns sort by the bytes, not by the two-decimal text: sizes that
// differ below a megabyte, or that show alike, still come in order, and a
// drive whose size is unknown comes first.
TEST_F(Locations, CapacityAndFreeSpaceSortByTheBytes) {
    fakes.files.drives = {
        {"C:\\", kDriveFixed, (1024ull << 20) + (768 << 10), (1024ull << 20) + (768 << 10)},  // 1024.75
        {"D:\\", kDriveFixed, (1024ull << 20) + (256 << 10), (1024ull << 20) + (256 << 10)},  // 1024.25
        {"E:\\", kDriveFixed, 1073741824, 1073741824},  // 1024.00
        {"F:\\", kDriveFixed, 1073741823, 1073741823},  // 1024.00 as well
        {"G:\\", kDriveFixed, 0, 0},
    };
    fakes.files.drives[4].spaceQueryFails = true;
    LocationListModel& list = Start("\n");
    ASSERT_EQ(list.RowCount(), 5);
    auto letters = [&] {
        std::string order;
        for (int row = 0; row < list.RowCount(); ++row) order += list.At(row).drive.substr(0, 1);
        return order;
    };
    for (int column : {location_col::kCapacity, location_col::kFree}) {
        SCOPED_TRACE(column);
        list.OnColumnClick(column);
        EXPECT_EQ(letters(), "GFEDC");
        list.OnColumnClick(column);
        EXPECT_EQ(letters(), "CDEFG");
        list.OnColumnClick(location_col::kPath);
    }
}

TEST_F(Locations, ListingTheDrivesAgainDropsFoldersAndChecksEveryDrive) {
    LocationListModel& list = Start("PathDrive=<C:|0>\nPathFolder=<C:\\Temp|1>\n");
    ASSERT_EQ(list.RowCount(), 3);
    list.SortByColumn(location_col::kPath, false);
    dialog->store.ListFixedDrives();
    ASSERT_EQ(list.RowCount(), 2);
    EXPECT_EQ(list.CellText(0, location_col::kPath), "System (C:)");
    EXPECT_TRUE(list.AllChecked());
    EXPECT_EQ(list.HeaderCheckImage(), 1);
}

TEST_F(Locations, WithoutAUsableFileEveryDriveStaysCheckedAndNoFolderLoads) {
    fakes.files.SetText(kConfig, "PathDrive=<C:|0>\nPathFolder=<C:\\Temp|1>\n");
    fakes.files.SetAttributes(kConfig, kAttrReadOnly);
    TestMainDialog d(fakes);
    d.Start();
    ASSERT_EQ(d.lists.locations.RowCount(), 2);
    EXPECT_TRUE(d.lists.locations.AllChecked());
}

}  // namespace
}  // namespace velnor
