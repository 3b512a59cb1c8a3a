#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/search_pattern.h"
#include "res/resource.h"
#include "scan/location_queue.h"
#include "tests/fakes/fake_platform.h"

namespace velnor {
namespace {

constexpr char kFinished[] = "Scaning: Scan Completed! Please Click 'Next' to Continue...";

TEST(CoveringRule, StopsAtPathBoundary) {
    struct Case {
        const char* other;
        const char* location;
        bool covers;
    } cases[] = {
        {"c:\\temp", "c:\\temp2", false},
        {"c:\\temp", "c:\\temp\\sub", true},
        {"c:", "c:\\temp", true},
        {"c:", "c:temp", false},
        {"c:\\", "c:\\temp", true},
        {"c:\\temp\\", "c:\\temp\\sub", true},
        {"c:\\temp", "c:\\temp\\", true},
        {"c:\\temp\\sub", "c:\\temp", false},
        {"d:", "c:\\temp", false},
        {"c:\\temp", "c:\\temp", true},
        // Letter case counts as little as for the file system, in every script.
        {"C:\\Доки", "c:\\доки\\важное", true},
        {"c:\\доки", "C:\\ДОКИ2", false},
        {"c:\\ΈΓΓΡΑΦΑ\\", "c:\\έγγραφα\\x", true},
        {"c:\\ı", "c:\\i\\sub", true},  // the same folder, whichever I was lowered
    };
    for (const Case& c : cases) EXPECT_EQ(CoversLocation(c.other, c.location), c.covers) << c.other << " / " << c.location;
}

TEST(SearchPattern, AddsTheSeparatorOnlyWhereTheFolderDoesNotEndInOne) {
    struct Case {
        const char* folder;
        const char* pattern;
    } cases[] = {
        {"c:", "c:\\*.*"},
        {"c:\\", "c:\\*.*"},
        {"c:\\temp", "c:\\temp\\*.*"},
        {"c:\\temp/", "c:\\temp/*.*"},  // a slash ends a folder on Windows too
        {"", "\\*.*"},
    };
    for (const Case& c : cases) EXPECT_EQ(SearchPattern(c.folder), c.pattern) << c.folder;
}

TEST(CoveringRule, QueuesEachUncoveredLocationOnceInOrder) {
    using List = std::vector<std::string>;
    struct Case {
        List checked;
        List queued;
    } cases[] = {
        {{"c:\\temp", "c:\\temp2"}, {"c:\\temp", "c:\\temp2"}},
        {{"c:\\temp2", "c:\\temp"}, {"c:\\temp2", "c:\\temp"}},
        {{"c:\\temp\\sub", "c:"}, {"c:"}},
        {{"c:\\x", "c:\\x", "d:", "c:\\x"}, {"c:\\x", "d:"}},
        {{"c:\\доки\\важное", "C:\\Доки", "c:\\ДОКИ"}, {"C:\\Доки"}},
        {{}, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(UncoveredLocations(c.checked), c.queued);
}

class ScanWalk : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.LayoutControls();
        dialog.scan.SetupResultList();
        SetOptions(true, false, true, false);
        AddFilter("*.tmp");
        dialog.controls.SetObserver([this](int id, unsigned changes) {
            if (id == IDC_SCAN_STATUS && (changes & kTextChanged))
                statusLines.push_back(dialog.controls[IDC_SCAN_STATUS].Text());
        });
    }
    // Every folder found by a walk is listed in the turn it was read ahead in.
    void TearDown() override { EXPECT_EQ(files.listingsOutOfTurn, 0); }

    void SetOptions(bool readOnly, bool system, bool hidden, bool zero) {
        dialog.options.SetOption(ScanOptions::kRead, readOnly);
        dialog.options.SetOption(ScanOptions::kSystem, system);
        dialog.options.SetOption(ScanOptions::kHide, hidden);
        dialog.options.SetOption(ScanOptions::kZero, zero);
    }
    void AddLocation(const std::string& text, bool checked = true) {
        dialog.profile.locations.InsertRow(dialog.profile.locations.RowCount(), MakeFolderLocation(text, checked));
    }
    void AddFilter(const std::string& pattern, FilterType type = FilterType::Include, bool checked = true) {
        AddFilterRow(dialog.profile.filters, pattern, "", checked, type);
    }
    void AddDrive(const std::string& root, const std::string& name, bool checked = true) {
        LocationEntry drive = MakeDriveLocation(root, name);
        drive.checked = checked;
        dialog.profile.locations.InsertRow(dialog.profile.locations.RowCount(), drive);
    }
    std::vector<std::string> Locations() const {
        std::vector<std::string> paths;
        for (int row = 0; row < dialog.results.RowCount(); ++row) paths.push_back(dialog.results.Item(row).Path());
        return paths;
    }
    std::string Text(int id) { return dialog.controls[id].Text(); }

    testing::FakePlatform fakes;
    testing::TestMainDialog dialog{fakes};
    testing::FakeFileSystem& files = fakes.files;
    std::vector<std::string> statusLines;
};

TEST_F(ScanWalk, BreadthFirstOverAllLocationsWithRowsAndTotals) {
    files.AddFile("C:\\One\\First.TMP", 1000, 0, 116444736000000000ull + 86400ull * 10000000ull);
    files.AddFile("C:\\One\\Sub\\Deeper\\deep.tmp", 24);
    files.AddFile("C:\\One\\Sub\\mid.tmp", 5000000000ull);
    files.AddFile("C:\\One\\keep.txt", 7);
    files.AddFile("C:\\Two\\second.tmp", 0);
    AddLocation("C:\\One");
    AddLocation("C:\\Two");
    AddLocation("C:\\Three", false);
    files.AddFile("C:\\Three\\never.tmp");

    dialog.scan.OnStartScan();

    EXPECT_EQ(Locations(), (std::vector<std::string>{"c:\\one\\First.TMP", "c:\\two\\second.tmp",
                                                     "c:\\one\\Sub\\mid.tmp", "c:\\one\\Sub\\Deeper\\deep.tmp"}));
    const ResultTable& r = dialog.results;
    EXPECT_EQ(r.CellText(0, 0), "");
    EXPECT_EQ(r.CellText(0, 1), "First.TMP");
    EXPECT_EQ(r.CellText(0, 3), "1000");
    EXPECT_EQ(r.CellText(0, 4), "01/02/70 00:00:00");
    EXPECT_EQ(r.CellText(2, 3), "5000000000");
    for (int row = 0; row < r.RowCount(); ++row) EXPECT_TRUE(r.IsChecked(row));

    EXPECT_EQ(dialog.found.TotalCount(), 4u);
    EXPECT_EQ(dialog.found.TotalSize(), 5000001024ull);
    EXPECT_EQ(dialog.state.selectedCount, 4u);
    EXPECT_EQ(dialog.state.selectedSize, 5000001024ull);
    EXPECT_EQ(Text(IDC_TOTAL_FILES), "Total Files: 4");
    EXPECT_EQ(Text(IDC_TOTAL_SIZE), "Total Size:  4768.37 MB");
    EXPECT_EQ(Text(IDC_SELECTED_FILES), "Selected Files: 4");
    EXPECT_EQ(Text(IDC_SELECTED_SIZE), "Selected Size:  4768.37 MB");
    EXPECT_EQ(statusLines, (std::vector<std::string>{"Scaning: c:\\one", "Scaning: c:\\two", "Scaning: c:\\one\\Sub",
                                                     "Scaning: c:\\one\\Sub\\Deeper", kFinished}));
    EXPECT_EQ(fakes.pump.drains, 4);

    EXPECT_EQ(dialog.state.scanState, kScanIdle);
    EXPECT_FALSE(dialog.state.busy);
    EXPECT_EQ(dialog.controls[IDC_START_SCAN].ButtonState(), 1);
    EXPECT_EQ(dialog.controls[IDC_STOP_SCAN].ButtonState(), 0);
    EXPECT_EQ(dialog.state.currentPage, kPageScan);
    for (int id : {IDC_RESULT_LIST, IDC_TOTAL_FILES, IDC_TOTAL_SIZE, IDC_SELECTED_FILES, IDC_SELECTED_SIZE,
                   IDC_SCAN_STATUS, IDC_SCAN_STATUS_FRAME})
        EXPECT_TRUE(dialog.controls[id].IsVisible()) << id;

    // The list is linked: unchecking every row shows the selected totals at zero.
    dialog.results.OnColumnClick(0);
    EXPECT_EQ(Text(IDC_SELECTED_FILES), "Selected Files: 0");
    EXPECT_EQ(Text(IDC_SELECTED_SIZE), "Selected Size:  0 Byte(s)");
}

TEST_F(ScanWalk, ButtonsAndStateWhileTheWalkRuns) {
    files.AddFile("C:\\A\\x.tmp");
    files.AddFolder("C:\\A\\B");
    AddLocation("C:\\A");
    fakes.pump.onDrain = [&](int) {
        EXPECT_EQ(dialog.state.scanState, kScanRunning);
        EXPECT_TRUE(dialog.state.busy);
        EXPECT_EQ(dialog.controls[IDC_START_SCAN].ButtonState(), 3);
        EXPECT_EQ(dialog.controls[IDC_STOP_SCAN].ButtonState(), 1);
        // Start Scan reached through the drain changes nothing.
        dialog.scan.OnStartScan();
        EXPECT_EQ(dialog.results.RowCount(), 1);
    };
    dialog.scan.OnStartScan();
    EXPECT_EQ(fakes.pump.drains, 2);
    EXPECT_EQ(dialog.state.scanState, kScanIdle);
}

TEST_F(ScanWalk, StopScanBetweenFoldersKeepsWhatWasFound) {
    files.AddFile("C:\\A\\one.tmp", 10);
    files.AddFile("C:\\A\\Sub\\two.tmp", 10);
    AddLocation("C:\\A");
    AddLocation("D:\\Missing");
    fakes.pump.onDrain = [&](int drain) {
        if (drain == 1) dialog.scan.OnStopScan();
    };
    dialog.scan.OnStartScan();
    EXPECT_EQ(Locations(), std::vector<std::string>{"c:\\a\\one.tmp"});
    EXPECT_EQ(fakes.pump.drains, 1);
    EXPECT_EQ(files.enumerateCount, 1);
    EXPECT_EQ(Text(IDC_SCAN_STATUS), kFinished);
    EXPECT_EQ(Text(IDC_TOTAL_FILES), "Total Files: 1");
    EXPECT_EQ(Text(IDC_TOTAL_SIZE), "Total Size:  10 Byte(s)");
    EXPECT_EQ(dialog.state.scanState, kScanIdle);
    EXPECT_FALSE(dialog.state.busy);
    EXPECT_EQ(dialog.controls[IDC_START_SCAN].ButtonState(), 1);
    EXPECT_EQ(dialog.controls[IDC_STOP_SCAN].ButtonState(), 0);
}

// A folder of very many entries lets the window answer while it is read.
// Whatever runs then finds the hits so far in the table and in the totals, and
// may sort them or stop the scan.
TEST_F(ScanWalk, ABigFolderIsDrainedWithinWithItsHitsListed) {
    constexpr int kBreath = JunkScan::kEntriesPerBreath;
    for (int i = 0; i < 2 * kBreath + 500; ++i) files.AddFile("C:\\Big\\f" + std::to_string(10000 + i) + ".tmp", 1);
    AddLocation("C:\\Big");
    std::vector<int> rows;
    fakes.pump.onDrain = [&](int drain) {
        rows.push_back(dialog.results.RowCount());
        EXPECT_EQ(Text(IDC_SELECTED_FILES), "Selected Files: " + std::to_string(dialog.results.RowCount()));
        if (drain == 1) {
            dialog.results.OnColumnClick(1);
            dialog.results.OnColumnClick(1);
        }
        if (drain == 2) dialog.scan.OnStopScan();
    };
    dialog.scan.OnStartScan();
    // "." and ".." count as entries; the stop abandons the rest of the folder.
    EXPECT_EQ(rows, (std::vector<int>{kBreath - 2, 2 * kBreath - 2, 2 * kBreath - 2}));
    // The rows of the first breath were sorted by name, descending.
    EXPECT_EQ(dialog.results.CellText(0, 1), "f" + std::to_string(10000 + kBreath - 3) + ".tmp");
    EXPECT_EQ(dialog.results.CellText(kBreath - 3, 1), "f10000.tmp");
    EXPECT_EQ(dialog.results.CellText(kBreath - 2, 1), "f" + std::to_string(10000 + kBreath - 2) + ".tmp");
    EXPECT_EQ(dialog.found.TotalCount(), 2u * kBreath - 2);
    EXPECT_EQ(Text(IDC_SCAN_STATUS), kFinished);
}

TEST_F(ScanWalk, EmptyQueueEndsAtOnceWithResetTotals) {
    dialog.found.Append(JunkItem{});
    dialog.controls[IDC_TOTAL_FILES].SetText("Total Files: 9");
    AddLocation("C:\\Unchecked", false);
    dialog.scan.OnStartScan();
    EXPECT_EQ(dialog.results.RowCount(), 0);
    EXPECT_EQ(dialog.found.TotalCount(), 0u);
    EXPECT_EQ(Text(IDC_TOTAL_FILES), "Total Files: 0");
    EXPECT_EQ(Text(IDC_TOTAL_SIZE), "Total  Size: 0 MB");
    EXPECT_EQ(Text(IDC_SELECTED_FILES), "Selected Files: 0");
    EXPECT_EQ(Text(IDC_SELECTED_SIZE), "Selected  Size: 0 MB");
    EXPECT_EQ(Text(IDC_SCAN_STATUS), "Scaning: Completed!");
    EXPECT_EQ(dialog.results.HeaderCheckImage(), 1);
    EXPECT_EQ(fakes.pump.drains, 0);
    EXPECT_EQ(files.enumerateCount, 0);
    EXPECT_EQ(dialog.state.scanState, kScanIdle);
    EXPECT_FALSE(dialog.state.busy);
    EXPECT_EQ(dialog.controls[IDC_START_SCAN].ButtonState(), 1);
    EXPECT_EQ(dialog.controls[IDC_STOP_SCAN].ButtonState(), 0);
}

TEST_F(ScanWalk, RefusedWhileBusyOrWhenStartScanIsNotClickable) {
    AddLocation("C:\\A");
    files.AddFile("C:\\A\\x.tmp");
    dialog.state.cleanBusy = true;
    dialog.scan.OnStartScan();
    dialog.state.cleanBusy = false;
    dialog.state.busy = true;
    dialog.scan.OnStartScan();
    dialog.state.busy = false;
    dialog.controls[IDC_START_SCAN].SetStateAndPicture(0);
    dialog.scan.OnStartScan();
    EXPECT_EQ(files.enumerateCount, 0);
    EXPECT_EQ(dialog.state.currentPage, kPageAbout);

    dialog.controls[IDC_START_SCAN].SetStateAndPicture(2);  // hover still counts as a click
    dialog.scan.OnStartScan();
    EXPECT_EQ(dialog.results.RowCount(), 1);

    dialog.scan.OnStopScan();  // disabled after the scan: nothing changes
    EXPECT_EQ(dialog.controls[IDC_START_SCAN].ButtonState(), 1);
}

TEST_F(ScanWalk, PrepareScanListsTakesCheckedRowsOnly) {
    AddDrive("C:\\", "Local Disk (C:)");
    AddLocation("C:\\Temp");
    AddLocation("D:\\Work");
    AddLocation("D:\\Work2");
    AddLocation("d:\\work");
    AddLocation("E:\\Off", false);
    AddDrive("F:\\", "Backup Disk");  // a drive shown without its letter
    AddFilter("*.bak", FilterType::Include, false);
    AddFilter("data.bak", FilterType::Exclude);
    AddFilter("*.old", FilterType::Exclude, false);
    AddExclusionRow(dialog.profile.exclusions, "?:\\Win*\\temp");
    SetOptions(false, true, false, true);

    dialog.scan.PrepareScanLists();

    EXPECT_EQ(std::vector<std::string>(dialog.scan.LocationQueue().begin(), dialog.scan.LocationQueue().end()),
              (std::vector<std::string>{"c:", "d:\\work", "d:\\work2", "f:"}));
    EXPECT_EQ(dialog.scan.Filters().Includes(), std::vector<std::string>{"*.tmp"});
    EXPECT_EQ(dialog.scan.Filters().Exceptions(), std::vector<std::string>{"data.bak"});
    EXPECT_EQ(dialog.scan.Filters().FolderExclusions(), std::vector<std::string>{"?:\\Win*\\temp"});
    EXPECT_FALSE(dialog.scan.TakenOptions()[ScanOptions::kRead]);
    EXPECT_TRUE(dialog.scan.TakenOptions()[ScanOptions::kSystem]);
    EXPECT_FALSE(dialog.scan.TakenOptions()[ScanOptions::kHide]);
    EXPECT_TRUE(dialog.scan.TakenOptions()[ScanOptions::kZero]);
}

TEST_F(ScanWalk, DriveRowsAndTrailingBackslashNameEntriesCleanly) {
    files.AddFile("C:\\junk.tmp");
    files.AddFile("C:\\Temp\\inner.tmp");
    files.AddFile("C:\\Other\\x.tmp");
    AddDrive("C:\\", "Local Disk (C:)");
    AddLocation("C:\\Temp");
    dialog.scan.OnStartScan();
    EXPECT_EQ(Locations(), (std::vector<std::string>{"c:\\junk.tmp", "c:\\Temp\\inner.tmp", "c:\\Other\\x.tmp"}));
    EXPECT_EQ(files.enumeratedPatterns.front(), "c:\\*.*");

    dialog.profile.locations.DeleteAllRows();
    files.enumeratedPatterns.clear();
    AddLocation("C:\\Temp\\");
    dialog.scan.OnStartScan();
    EXPECT_EQ(files.enumeratedPatterns, std::vector<std::string>{"c:\\temp\\*.*"});
    EXPECT_EQ(Locations(), std::vector<std::string>{"c:\\temp\\inner.tmp"});
}

TEST_F(ScanWalk, MissingLocationsAndBracketlessDriveRowsYieldNothing) {
    AddLocation("D:\\Nowhere");
    AddLocation("Backup Disk");
    dialog.scan.OnStartScan();
    EXPECT_EQ(dialog.results.RowCount(), 0);
    EXPECT_EQ(files.enumeratedPatterns, (std::vector<std::string>{"d:\\nowhere\\*.*", "backup disk\\*.*"}));
    EXPECT_EQ(Text(IDC_SCAN_STATUS), kFinished);
}

TEST_F(ScanWalk, ExcludedFoldersAreNeitherShownNorEntered) {
    files.AddFile("C:\\Data\\a.tmp");
    files.AddFile("C:\\Data\\Temp\\b.tmp");
    files.AddFile("C:\\Data\\Temp\\Deeper\\c.tmp");
    files.AddFile("C:\\Windows\\Temp\\d.tmp");
    // More folders than are read ahead, the excluded ones and one that names
    // no file among them.
    for (const char* name : {"F1", "Temp2", "F2", "F3", "Sub?", "F4", "F5"})
        files.AddFile(std::string("C:\\Data\\") + name + "\\" + name + ".tmp");
    AddExclusionRow(dialog.profile.exclusions, "*\\temp");
    AddExclusionRow(dialog.profile.exclusions, "*\\temp2");
    AddLocation("C:\\Data");
    AddLocation("C:\\Windows\\Temp");
    dialog.scan.OnStartScan();
    const std::vector<std::string> listed = {"c:\\data\\a.tmp", "c:\\data\\F1\\F1.tmp", "c:\\data\\F2\\F2.tmp",
                                             "c:\\data\\F3\\F3.tmp", "c:\\data\\F4\\F4.tmp",
                                             "c:\\data\\F5\\F5.tmp"};
    EXPECT_EQ(Locations(), listed);
    for (const std::string& line : statusLines) EXPECT_EQ(line.find("emp"), std::string::npos) << line;

    // A stop mid-way lets go of the folders read ahead: the next scan lists
    // each folder as it is then.
    const int drains = fakes.pump.drains;
    fakes.pump.onDrain = [&](int drain) {
        if (drain == drains + 4) dialog.scan.OnStopScan();
    };
    dialog.scan.OnStartScan();
    EXPECT_EQ(Locations(), (std::vector<std::string>(listed.begin(), listed.begin() + 2)));
    fakes.pump.onDrain = nullptr;
    files.AddFile("C:\\Data\\F3\\new.tmp");
    dialog.scan.OnStartScan();
    std::vector<std::string> again = listed;
    again.insert(again.begin() + 4, "c:\\data\\F3\\new.tmp");
    EXPECT_EQ(Locations(), again);
}

TEST_F(ScanWalk, AttributeOptionsPruneFilesAndWholeFolders) {
    struct Case {
        uint32_t attribute;
        ScanOptions::Flag option;
    } cases[] = {
        {kAttrHidden, ScanOptions::kHide},
        {kAttrReadOnly, ScanOptions::kRead},
        {kAttrSystem, ScanOptions::kSystem},
    };
    for (const Case& c : cases) {
        for (bool on : {false, true}) {
            testing::FakePlatform fresh;
            testing::TestMainDialog d(fresh);
            d.LayoutControls();
            d.scan.SetupResultList();
            for (auto flag : {ScanOptions::kHide, ScanOptions::kRead, ScanOptions::kSystem}) d.options.SetOption(flag, true);
            d.options.SetOption(c.option, on);
            AddFilterRow(d.profile.filters, "*.tmp", "", true, FilterType::Include);
            d.profile.locations.InsertRow(0, MakeFolderLocation("C:\\Root", true));
            fresh.files.AddFile("C:\\Root\\marked.tmp", 1, c.attribute);
            fresh.files.AddFolder("C:\\Root\\Marked", c.attribute);
            fresh.files.AddFile("C:\\Root\\Marked\\plain.tmp", 1);
            fresh.files.AddFile("C:\\Root\\plain.tmp", 1);

            d.scan.OnStartScan();
            std::vector<std::string> expected = {"c:\\root\\plain.tmp"};
            if (on) expected = {"c:\\root\\marked.tmp", "c:\\root\\plain.tmp", "c:\\root\\Marked\\plain.tmp"};
            std::vector<std::string> got;
            for (int i = 0; i < d.results.RowCount(); ++i) got.push_back(d.results.Item(i).Path());
            EXPECT_EQ(got, expected) << "attribute " << c.attribute << (on ? " on" : " off");
        }
    }
}

TEST_F(ScanWalk, ZeroSizeRuleIgnoresAttributesAndFilters) {
    files.AddFile("C:\\Z\\empty.dat", 0, kAttrHidden | kAttrSystem);
    files.AddFile("C:\\Z\\full.dat", 3, 0);
    files.AddFile("C:\\Z\\hidden.tmp", 0, kAttrHidden);
    AddLocation("C:\\Z");
    SetOptions(false, false, false, true);
    dialog.scan.OnStartScan();
    EXPECT_EQ(Locations(), (std::vector<std::string>{"c:\\z\\empty.dat", "c:\\z\\hidden.tmp"}));

    SetOptions(false, false, false, false);
    dialog.scan.OnStartScan();
    EXPECT_TRUE(Locations().empty());

    // With no include filter only the zero-size rule can list a file.
    dialog.profile.filters.DeleteAllRows();
    SetOptions(true, true, true, true);
    dialog.scan.OnStartScan();
    EXPECT_EQ(Locations(), (std::vector<std::string>{"c:\\z\\empty.dat", "c:\\z\\hidden.tmp"}));
}

TEST_F(ScanWalk, SizeTotalsSwitchUnitsAtOneKilobyte) {
    files.AddFile("C:\\S\\a.tmp", 1000);
    files.AddFile("C:\\S\\b.tmp", 23);
    AddLocation("C:\\S");
    dialog.scan.OnStartScan();
    EXPECT_EQ(Text(IDC_TOTAL_SIZE), "Total Size:  1023 Byte(s)");
    files.AddFile("C:\\S\\c.tmp", 1);
    dialog.scan.OnStartScan();
    EXPECT_EQ(Text(IDC_TOTAL_SIZE), "Total Size:  1.00 KB");
    EXPECT_EQ(Text(IDC_SELECTED_SIZE), "Selected Size:  1.00 KB");
}

TEST_F(ScanWalk, ReparsePointFoldersAreNotEntered) {
    files.AddFile("C:\\L\\real\\a.tmp");
    files.AddFolder("C:\\L\\loop", kAttrReparsePoint);
    files.AddFile("C:\\L\\loop\\behind.tmp");
    AddLocation("C:\\L");
    dialog.scan.OnStartScan();
    EXPECT_EQ(Locations(), std::vector<std::string>{"c:\\l\\real\\a.tmp"});
    EXPECT_EQ(files.enumerateCount, 2);
}

TEST_F(ScanWalk, NamesThatNameNoFileAreSkipped) {
    // `?` where the code page has no form for a character; U+FFFD where the
    // name held an unpaired surrogate.
    files.AddFile("C:\\N\\caf?.tmp");
    files.AddFile("C:\\N\\star*.tmp");
    files.AddFile("C:\\N\\lone\xEF\xBF\xBD.tmp");
    files.AddFile("C:\\N\\fine.tmp");
    files.AddFile("C:\\N\\\xCE\xB1\xF0\x9F\x98\x80\xEF\xBF.tmp");  // alpha, an emoji, then a cut sequence
    files.AddFolder("C:\\N\\Sub?");
    files.AddFile("C:\\N\\Sub?\\inside.tmp");
    files.AddFolder("C:\\N\\Dir\xEF\xBF\xBD");
    files.AddFile("C:\\N\\Dir\xEF\xBF\xBD\\inside.tmp");
    AddLocation("C:\\N");
    files.AddFile("C:\\M\xEF\xBF\xBD\\inside.tmp");
    AddLocation("C:\\M\xEF\xBF\xBD");
    SetOptions(true, true, true, true);
    dialog.scan.OnStartScan();
    EXPECT_EQ(Locations(), (std::vector<std::string>{"c:\\n\\fine.tmp", "c:\\n\\\xCE\xB1\xF0\x9F\x98\x80\xEF\xBF.tmp"}));
    EXPECT_EQ(files.enumerateCount, 1);
}

}  // namespace
}  // namespace velnor
