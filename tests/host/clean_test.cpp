#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "clean/browser_caches.h"
#include "clean/clean_outcome.h"
#include "clean/folder_walk.h"
#include "res/resource.h"
#include "tests/fakes/fake_platform.h"

namespace velnor {
namespace {

using testing::FakePlatform;
using Log = std::vector<std::string>;

constexpr char kTemp[] = "C:\\TEMP\\";
constexpr char kCache[] = "C:\\Users\\me\\Temporary Internet Files";
constexpr char kHistory[] = "C:\\Users\\me\\History";
constexpr char kRecent[] = "C:\\Users\\me\\Recent";
constexpr char kLocal[] = "C:\\Users\\me\\AppData\\Local";
constexpr char kRoaming[] = "C:\\Users\\me\\AppData\\Roaming";
constexpr unsigned kPermanentFlags = 0x0510;

constexpr ScanOptions::Flag kCleanFlags[] = {ScanOptions::kClean0, ScanOptions::kClean1, ScanOptions::kClean2,
                                             ScanOptions::kClean3, ScanOptions::kClean4, ScanOptions::kClean5,
                                             ScanOptions::kClean6};

// Every service call that empties something, in the order it happens.
struct LoggingShell : testing::FakeShell {
    Log* log = nullptr;
    std::function<void()> onEmptyBin;
    int DeleteFiles(const std::string& list, unsigned flags) override {
        log->push_back("delete " + std::string(list.c_str()));
        return FakeShell::DeleteFiles(list, flags);
    }
    long EmptyRecycleBin(unsigned flags) override {
        log->push_back("empty bin");
        if (onEmptyBin) onEmptyBin();
        return FakeShell::EmptyRecycleBin(flags);
    }
};
struct LoggingUrlCache : testing::FakeUrlCache {
    Log* log = nullptr;
    bool DeleteEntry(const std::string& url) override {
        log->push_back("url " + url);
        return FakeUrlCache::DeleteEntry(url);
    }
};
struct LoggingHistory : testing::FakeUrlHistory {
    Log* log = nullptr;
    long ClearHistory() override {
        log->push_back("history");
        return FakeUrlHistory::ClearHistory();
    }
};

class Clean : public ::testing::Test {
protected:
    void SetUp() override {
        shell.log = &log;
        urlCache.log = &log;
        history.log = &log;
        shell.files = &fakes.files;
        shell.specialFolders = {{kCsidlInternetCache, kCache}, {kCsidlHistory, kHistory}, {kCsidlRecent, kRecent},
                                {kCsidlLocalAppData, kLocal},    {kCsidlAppData, kRoaming}};
        for (const char* folder : {kTemp, kCache, kHistory, kRecent}) fakes.files.AddFolder(folder);
        Platform platform = fakes.Services();
        platform.shell = &shell;
        platform.urlCache = &urlCache;
        platform.urlHistory = &history;
        fakes.files.AddFolder("C:\\Program Files\\Velnor");
        dialog = std::make_unique<MainDialogParts>(platform);
        dialog->InitializeState();
        dialog->LayoutControls();
        dialog->scan.SetupResultList();
        dialog->clean.MeasureCleanAreas();  // as entering the Clean page does
        dialog->controls.SetObserver([this](int id, unsigned changes) {
            if (id == IDC_CLEAN_STATUS && (changes & kTextChanged)) log.push_back("status " + Text(id));
            if (id == IDC_CLEAN_PROGRESS && (changes & kProgressChanged))
                log.push_back("bar " + std::to_string(Bar().position));
        });
    }

    void Check(const std::vector<bool>& items) {
        for (size_t i = 0; i < items.size(); ++i) dialog->options.SetOption(kCleanFlags[i], items[i]);
    }
    void AddJunk(const std::string& path, uint64_t size, bool checked = true) {
        fakes.files.AddFile(path, size);
        JunkItem item;
        item.path = path;
        item.size = size;
        item.checked = checked;
        dialog->found.Append(item);
        if (checked) {
            dialog->state.selectedCount += 1;
            dialog->state.selectedSize += size;
        }
    }
    std::string Text(int id) { return dialog->controls.StateOf(id).text; }
    const ControlState& Bar() { return dialog->controls.StateOf(IDC_CLEAN_PROGRESS); }

    FakePlatform fakes;
    LoggingShell shell;
    LoggingUrlCache urlCache;
    LoggingHistory history;
    std::unique_ptr<MainDialogParts> dialog;
    Log log;
};

TEST_F(Clean, ProgressRangeFollowsEveryCombinationOfCheckedItems) {
    for (int mask = 0; mask < 128; ++mask) {
        SCOPED_TRACE(mask);
        std::vector<bool> items;
        int areas = 0;
        for (int bit = 0; bit < 7; ++bit) {
            items.push_back((mask >> bit) & 1);
            if (bit > 0 && items.back()) ++areas;
        }
        const bool junk = items[0];
        Check(items);
        AddJunk("C:\\Junk\\a.tmp", 10);

        dialog->clean.OnStartClean();

        const int range = (junk ? 75 : 0) + 5 * areas;
        EXPECT_EQ(Bar().rangeMin, 0);
        EXPECT_EQ(Bar().rangeMax, range);
        EXPECT_EQ(Bar().position, range);
        EXPECT_EQ(dialog->results.RowCount(), junk ? 0 : 1);
        EXPECT_FALSE(dialog->state.cleanBusy);
        EXPECT_EQ(Text(IDC_CLEAN_STATUS), "Clean Completed!");
        dialog->found.Clear();
        dialog->state.selectedCount = 0;
        dialog->state.selectedSize = 0;
    }
    EXPECT_EQ(fakes.prompts.questions.size(), 128u);
}

TEST_F(Clean, AreasAreEmptiedInOrderEachWithItsStatusLine) {
    Check({true, true, true, true, true, true, true});
    AddJunk("C:\\Junk\\a.tmp", 10);
    urlCache.entries = {{"http://a.example/page.html", 0}, {"Cookie:me@a.example/", kCookieCacheEntry}};
    log.clear();

    dialog->clean.OnStartClean();

    const Log expected = {
        "bar 0",  // range set; the position is at 0 already
        "bar 75",
        "status Deleting: Junk Files ...",
        "delete C:\\Junk\\a.tmp",  // the recycle list of the removal, after the rows
        "status Success: Clean Junk Files!",
        "empty bin",
        "bar 80",
        "status Success: Clean Windows Recycle Bin!",
        "bar 85",
        "status Success: Clean Windows Temp Folder!",
        "url http://a.example/page.html",
        "bar 90",
        "status Success: Clean Temporary Internet Files Folder!",
        "history",
        "bar 95",
        "status Success: Clean Windows History Folder!",
        "bar 100",
        "status Success: Clean Recent Documents Folder!",
        "bar 105",
        "status Success: Clean Browsers' Cache Folders!",
        "status Status: Total amount disk space you gain: 0 Byte(s)",
        "status Clean Completed!",
    };
    EXPECT_EQ(log, expected);
    EXPECT_EQ(shell.lastEmptyFlags, 7u);
    // The folders are emptied by the program's own walk, never by the shell.
    EXPECT_EQ(shell.deleteCalls.size(), 1u);
    EXPECT_EQ(fakes.prompts.waitDepth, 0);
}

// Each step says what really happened: a step whose platform call failed, a
// folder that kept files in use and checked files that stayed are told as
// such in their step's line and again at the end, never as a success.
TEST_F(Clean, AStepThatFailedOrLeftFilesIsToldSo) {
    Check({true, true, true, true, true, true});
    AddJunk("C:\\Junk\\open.tmp", 10);
    AddJunk("C:\\Junk\\a.tmp", 20);
    fakes.files.SetLocked("C:\\Junk\\open.tmp", true);
    dialog->options.SetOption(ScanOptions::kRemove, false);
    fakes.files.AddFile("C:\\TEMP\\busy.tmp", 5);
    fakes.files.SetLocked("C:\\TEMP\\busy.tmp", true);
    fakes.files.AddFile("C:\\Users\\me\\Recent\\a.lnk", 5);
    history.result = static_cast<int32_t>(0x80004001u);  // E_NOTIMPL, as Wine answers
    dialog->clean.MeasureCleanAreas();
    log.clear();

    dialog->clean.OnStartClean();

    std::vector<std::string> statuses;
    for (const std::string& line : log)
        if (line.rfind("status ", 0) == 0 && line.find("Total amount") == std::string::npos)
            statuses.push_back(line.substr(7));
    EXPECT_EQ(statuses, (std::vector<std::string>{
                            "Deleting: Junk Files ...",
                            "Left: 1 checked file, still checked in the list.",
                            "Success: Clean Windows Recycle Bin!",
                            "Failed: Clean Windows Temp Folder!",
                            "Success: Clean Temporary Internet Files Folder!",
                            "Failed: Clean Windows History Folder!",
                            "Success: Clean Recent Documents Folder!",
                            "Clean Completed! Left: 1 file, Temp Folder, History.",
                        }));
    ASSERT_EQ(dialog->results.RowCount(), 1);
    EXPECT_EQ(dialog->results.Item(0).Path(), "C:\\Junk\\open.tmp");
    EXPECT_TRUE(dialog->results.Item(0).checked);
    EXPECT_EQ(Text(IDC_SELECTED_FILES), "Selected Files: 1");
    EXPECT_FALSE(fakes.files.Exists("C:\\Junk\\a.tmp"));
    EXPECT_FALSE(fakes.files.Exists("C:\\Users\\me\\Recent\\a.lnk"));
    EXPECT_TRUE(fakes.files.Exists("C:\\TEMP\\busy.tmp"));
    // Where the names would run past the one line of the status, the areas are counted.
    EXPECT_EQ(CleanCompletedText({12, {"Recent Documents", "Internet Files"}}),
              "Clean Completed! Left: 12 files, 2 areas.");
    EXPECT_EQ(CleanCompletedText({0, {"Recycle Bin", "Temp Folder", "Internet Files", "History"}}),
              "Clean Completed! Left: 4 areas.");
}

TEST_F(Clean, AsksFirstAndCancelChangesNothing) {
    Check({true, true, true, true, true, true});
    AddJunk("C:\\Junk\\a.tmp", 10);
    dialog->controls[IDC_SIZE_TEMP].SetText("0 MB");
    dialog->controls[IDC_CLEAN_PROGRESS].SetPosition(42);
    fakes.prompts.answers = {kIdCancel};
    log.clear();

    dialog->clean.OnStartClean();

    ASSERT_EQ(fakes.prompts.questions.size(), 1u);
    EXPECT_EQ(fakes.prompts.questions[0].text, "Delete all selected items?");
    EXPECT_EQ(fakes.prompts.questions[0].caption, "Information");
    EXPECT_EQ(fakes.prompts.questions[0].flags, 0x21u);
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(dialog->state.cleanBusy);
    EXPECT_EQ(dialog->results.RowCount(), 1);
    EXPECT_TRUE(fakes.files.Exists("C:\\Junk\\a.tmp"));
    EXPECT_EQ(Text(IDC_SIZE_TEMP), "0 MB");
    EXPECT_EQ(Bar().position, 42);
    EXPECT_EQ(shell.emptyCalls, 0);
    EXPECT_EQ(history.clears, 0);
}

TEST_F(Clean, NothingCheckedStillAsksThenMeasuresAgain) {
    Check({false, false, false, false, false, false});
    fakes.files.AddFile("C:\\TEMP\\old.tmp", 2048);
    dialog->controls[IDC_CLEAN_PROGRESS].SetPosition(100);

    dialog->clean.OnStartClean();

    EXPECT_EQ(fakes.prompts.questions.size(), 1u);
    EXPECT_EQ(Bar().rangeMax, 0);
    EXPECT_EQ(Bar().position, 0);
    EXPECT_EQ(Text(IDC_SIZE_TEMP), "2.00 KB");
    EXPECT_EQ(Text(IDC_CLEAN_STATUS), "Clean Completed!");
    EXPECT_TRUE(shell.deleteCalls.empty());
}

TEST_F(Clean, OnlyAreasCheckedLeavesTheResultListAlone) {
    Check({false, false, true, false, false, true});
    AddJunk("C:\\Junk\\a.tmp", 10);
    fakes.files.AddFile("C:\\TEMP\\old.tmp", 5);

    dialog->clean.OnStartClean();

    EXPECT_EQ(Bar().rangeMax, 10);
    EXPECT_EQ(Bar().position, 10);
    EXPECT_EQ(dialog->results.RowCount(), 1);
    EXPECT_TRUE(fakes.files.Exists("C:\\Junk\\a.tmp"));
    EXPECT_EQ(Text(IDC_JUNK_SIZE), "(10 Byte(s))");
}

TEST_F(Clean, ExitDuringACleanSkipsTheRestAndSaysStopped) {
    Check({false, true, true, true, true, true});
    shell.onEmptyBin = [this] { dialog->OnExitCommand(); };
    log.clear();

    dialog->clean.OnStartClean();

    EXPECT_EQ(Bar().position, 5);
    EXPECT_EQ(history.clears, 0);
    EXPECT_EQ(shell.deleteCalls.size(), 0u);
    EXPECT_EQ(Text(IDC_CLEAN_STATUS), "Clean Stoped!");
    EXPECT_FALSE(dialog->state.cleanBusy);
}

TEST_F(Clean, FolderAreaAtADriveRootIsMeasuredButNeverEmptied) {
    struct Case {
        const char* tempPath;
        bool measured, emptied;
    } cases[] = {
        {"C:\\", true, false}, {"C:", true, false}, {"\\", false, false},
        {"", false, false},     {"C:\\T\\", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tempPath);
        fakes.files.AddFile("C:\\T\\a.tmp", 3000);
        fakes.files.tempPath = c.tempPath;
        dialog->clean.MeasureCleanAreas();
        if (c.measured) {
            EXPECT_EQ(Text(IDC_SIZE_TEMP), "2.93 KB");
        }
        Check({false, false, true, false, false, false});

        dialog->clean.OnStartClean();

        EXPECT_EQ(fakes.files.Exists("C:\\T\\a.tmp"), !c.emptied);
        // A folder found but not emptied is told; one not found has nothing to empty.
        EXPECT_EQ(Text(IDC_CLEAN_STATUS),
                  c.emptied || !*c.tempPath ? "Clean Completed!" : "Clean Completed! Left: Temp Folder.");
        EXPECT_EQ(Bar().position, 5);
        EXPECT_EQ(dialog->clean.AreaPath(CleanArea::TempFolder), c.tempPath);
    }
}

TEST_F(Clean, RecentDocumentsAtADriveRootIsNotEmptiedEither) {
    shell.specialFolders[kCsidlRecent] = "D:\\";
    dialog->clean.MeasureCleanAreas();
    Check({false, false, false, false, false, true});
    dialog->clean.OnStartClean();
    EXPECT_TRUE(shell.deleteCalls.empty());
    EXPECT_EQ(Bar().position, 5);
}

TEST_F(Clean, CleanBusyBlocksOpenFolderStartScanAndStartClean) {
    dialog->clean.MeasureCleanAreas();
    dialog->state.cleanBusy = true;
    for (int id : {IDC_OPEN_RECYCLE, IDC_OPEN_TEMP, IDC_OPEN_INTERNET, IDC_OPEN_HISTORY, IDC_OPEN_RECENT})
        dialog->clean.OnOpenFolder(id);
    dialog->scan.OnStartScan();
    dialog->clean.OnStartClean();
    EXPECT_TRUE(shell.executed.empty());
    EXPECT_TRUE(shell.openedSpecialFolders.empty());
    EXPECT_EQ(dialog->state.scanState, kScanIdle);
    EXPECT_EQ(dialog->state.currentPage, kPageAbout);
    EXPECT_TRUE(fakes.prompts.questions.empty());
    // The check images stay live.
    dialog->clean.OnToggleCleanItem(IDC_CLEAN_TEMP);
    EXPECT_TRUE(dialog->options.OptionOn(ScanOptions::kClean2));
}

TEST_F(Clean, OpenFolderButtons) {
    shell.specialFolders.erase(kCsidlHistory);
    dialog->clean.MeasureCleanAreas();
    for (int id : {IDC_OPEN_RECYCLE, IDC_OPEN_TEMP, IDC_OPEN_INTERNET, IDC_OPEN_HISTORY, IDC_OPEN_RECENT}) {
        dialog->controls[id].SetStateAndPicture(2);
        dialog->clean.OnOpenFolder(id);
        EXPECT_EQ(dialog->controls.StateOf(id).state, 1) << id;
        EXPECT_EQ(dialog->controls.StateOf(id).shownPicture, IDB_FOLDER) << id;
    }
    // The bin has no folder of its own on NT: the shell's view of it is opened.
    EXPECT_EQ(shell.openedSpecialFolders, std::vector<int>{kCsidlBitBucket});
    EXPECT_EQ(shell.executed, (std::vector<std::string>{"Open|C:\\TEMP\\|1",
                                                         "Open|C:\\Users\\me\\Temporary Internet Files|1",
                                                         "Open|C:\\Users\\me\\Recent|1"}));
}

TEST_F(Clean, TotalGainSumsTheCheckedItems) {
    fakes.files.AddFile("C:\\TEMP\\a.tmp", 1000);
    fakes.files.AddFile("C:\\Users\\me\\Recent\\b.lnk", 24);
    fakes.files.AddFile("C:\\Users\\me\\History\\index.dat", 1u << 20);
    shell.recycleBins["C:\\"] = 3ull << 30;
    dialog->state.selectedSize = 500;
    Check({false, false, false, false, false, false});
    dialog->clean.MeasureCleanAreas();
    struct Case {
        int picture;
        const char* line;
    } steps[] = {
        {IDC_CLEAN_JUNK, "Status: Total amount disk space you gain: 500 Byte(s)"},
        {IDC_CLEAN_TEMP, "Status: Total amount disk space you gain: 1.46 KB"},
        {IDC_CLEAN_RECENT, "Status: Total amount disk space you gain: 1.49 KB"},
        {IDC_CLEAN_JUNK, "Status: Total amount disk space you gain: 1.00 KB"},
        {IDC_CLEAN_HISTORY, "Status: Total amount disk space you gain: 1.00 MB"},
        {IDC_CLEAN_RECYCLE, "Status: Total amount disk space you gain: 3073.00 MB"},
        {IDC_CLEAN_INTERNET, "Status: Total amount disk space you gain: 3073.00 MB"},
        {IDC_CLEAN_RECYCLE, "Status: Total amount disk space you gain: 1.00 MB"},
    };
    for (const Case& s : steps) {
        dialog->clean.OnToggleCleanItem(s.picture);
        EXPECT_EQ(Text(IDC_CLEAN_STATUS), s.line) << s.picture;
    }
    // The junk caption is no check command.
    dialog->clean.OnToggleCleanItem(IDC_JUNK_CAPTION);
    EXPECT_FALSE(dialog->options.OptionOn(ScanOptions::kClean0));
    EXPECT_EQ(dialog->controls.StateOf(IDC_CLEAN_HISTORY).shownPicture, IDB_CHECK_ON);
}

TEST_F(Clean, MeasuresEveryAreaAndItsLabel) {
    fakes.files.drives.push_back({"D:\\", kDriveFixed, 1, 1});
    fakes.files.drives.push_back({"E:\\", kDriveRemovable, 1, 1});
    fakes.files.drives.push_back({"F:\\", kDriveFixed, 1, 1});
    shell.recycleBins = {{"C:\\", 100}, {"D:\\", 2000}, {"E:\\", 1u << 30}};  // F: cannot be asked
    fakes.files.AddFile("C:\\Users\\me\\Temporary Internet Files\\Content\\x.gif", 3u << 20);
    // A folder found before and gone now leaves no path behind.
    dialog->clean.MeasureCleanAreas();
    ASSERT_NE(dialog->clean.AreaPath(CleanArea::History), "");
    shell.specialFolders.erase(kCsidlHistory);
    dialog->state.selectedSize = 2048;

    dialog->clean.MeasureCleanAreas();

    EXPECT_EQ(dialog->clean.AreaSize(CleanArea::RecycleBin), 2100u);
    EXPECT_EQ(Text(IDC_SIZE_RECYCLE), "2.05 KB");
    EXPECT_EQ(dialog->clean.AreaPath(CleanArea::TempFolder), "C:\\TEMP\\");
    EXPECT_EQ(Text(IDC_SIZE_TEMP), "0 Byte(s)");
    EXPECT_EQ(dialog->clean.AreaPath(CleanArea::InternetCache), kCache);
    EXPECT_EQ(Text(IDC_SIZE_INTERNET), "3.00 MB");
    EXPECT_EQ(dialog->clean.AreaPath(CleanArea::History), "");
    EXPECT_EQ(Text(IDC_SIZE_HISTORY), "0 Byte(s)");
    EXPECT_EQ(Text(IDC_SIZE_RECENT), "0 Byte(s)");
    EXPECT_EQ(Text(IDC_JUNK_SIZE), "(2.00 KB)");
}

TEST_F(Clean, FolderSizeLeavesOutHiddenAndSystemSubfoldersOnlyWhenAsked) {
    auto& files = fakes.files;
    files.AddFile("C:\\F\\plain.txt", 1);
    files.AddFile("C:\\F\\hidden.txt", 10, kAttrHidden | kAttrSystem);
    files.AddFolder("C:\\F\\Hid", kAttrHidden);
    files.AddFile("C:\\F\\Hid\\a", 100);
    files.AddFolder("C:\\F\\Sys", kAttrSystem);
    files.AddFile("C:\\F\\Sys\\a", 1000);
    files.AddFile("C:\\F\\Sub\\Deep\\a", 10000);
    files.AddFolder("C:\\F\\Sub\\Deep\\Hid", kAttrHidden);
    files.AddFile("C:\\F\\Sub\\Deep\\Hid\\a", 100000);
    files.AddFolder("C:\\F\\Link", kAttrReparsePoint);
    files.AddFile("C:\\F\\Link\\a", 1000000);
    files.AddFile("C:\\F\\Big", 5ull << 32);
    // Links to files, shown as links and (as Wine does) as the files they lead to.
    files.AddFile("C:\\F\\shown.lnk.tmp", 20000000, kAttrReparsePoint);
    files.AddFile("C:\\F\\hidden.lnk.tmp", 300000000);
    files.SetHiddenLink("C:\\F\\hidden.lnk.tmp");
    files.listingsShowFileLinks = false;

    EXPECT_EQ(dialog->clean.GetFolderSize("C:\\F", false), 10011u + (5ull << 32));
    EXPECT_EQ(dialog->clean.GetFolderSize("C:\\F\\", false), 10011u + (5ull << 32));
    EXPECT_EQ(dialog->clean.GetFolderSize("C:\\F", true), 111111u + (5ull << 32));
    EXPECT_EQ(dialog->clean.GetFolderSize("C:\\Missing", true), 0u);
    EXPECT_EQ(dialog->clean.GetFolderSize("", true), 0u);

    // Emptied by the same rule: every file and folder goes, read-only ones
    // too, but no link, nor anything behind one; a file in use stays.
    files.AddFile("C:\\F\\Sub\\ro.tmp", 1, kAttrReadOnly);
    files.AddFile("C:\\F\\Sub\\open.tmp", 1);
    files.SetLocked("C:\\F\\Sub\\open.tmp", true);
    const EmptiedFolder emptied = EmptyFolder(files, "C:\\F");
    EXPECT_EQ(emptied.left, 1u);
    EXPECT_EQ(emptied.removed, 8u);
    for (const char* gone : {"C:\\F\\plain.txt", "C:\\F\\Hid", "C:\\F\\Sys", "C:\\F\\Sub\\Deep", "C:\\F\\Big",
                             "C:\\F\\Sub\\ro.tmp"})
        EXPECT_FALSE(files.Exists(gone)) << gone;
    for (const char* kept : {"C:\\F", "C:\\F\\Link\\a", "C:\\F\\shown.lnk.tmp", "C:\\F\\hidden.lnk.tmp",
                             "C:\\F\\Sub\\open.tmp"})
        EXPECT_TRUE(files.Exists(kept)) << kept;
}

// A user's browsers as they lie on disk: Edge with two profiles, Chrome,
// Opera and Firefox, their caches holding files, and beside them what the
// browsers keep for the user, which no clean may touch.
struct BrowserFiles {
    struct File {
        Browser browser;
        std::string path;
        uint64_t size;
    };
    std::vector<File> cacheFiles, keptFiles;
    std::vector<std::string> cacheFolders;

    void Put(testing::FakeFileSystem& files) const {
        for (const std::string& folder : cacheFolders) files.AddFolder(folder);
        for (const std::vector<File>* list : {&cacheFiles, &keptFiles})
            for (const File& f : *list) files.AddFile(f.path, f.size);
    }
    uint64_t CacheBytes() const {
        uint64_t sum = 0;
        for (const File& f : cacheFiles) sum += f.size;
        return sum;
    }
};

BrowserFiles GeneratedBrowsers() {
    const std::string local = kLocal, roaming = kRoaming;
    const std::string edge = local + "\\Microsoft\\Edge\\User Data\\";
    const std::string chrome = local + "\\Google\\Chrome\\User Data\\Default\\";
    const std::string opera = "\\Opera Software\\Opera Stable\\";
    const std::string firefox = "\\Mozilla\\Firefox\\Profiles\\k3x9.default-release\\";
    BrowserFiles b;
    b.cacheFolders = {edge + "Default\\Cache", edge + "Default\\Code Cache", edge + "Default\\GPUCache",
                      edge + "Profile 1\\Cache", edge + "ShaderCache", edge + "GrShaderCache",
                      edge + "GraphiteDawnCache", chrome + "Cache", local + opera + "Cache",
                      local + firefox + "cache2", local + firefox + "startupCache", local + firefox + "thumbnails"};
    b.cacheFiles = {
        {Browser::Edge, edge + "Default\\Cache\\Cache_Data\\data_0", 4000},
        {Browser::Edge, edge + "Default\\Code Cache\\js\\index", 300},
        {Browser::Edge, edge + "Default\\GPUCache\\data_1", 50},
        {Browser::Edge, edge + "Profile 1\\Cache\\Cache_Data\\f_000001", 7000},
        {Browser::Edge, edge + "ShaderCache\\data_0", 10},
        {Browser::Edge, edge + "GrShaderCache\\data_1", 20},
        {Browser::Edge, edge + "GraphiteDawnCache\\data_2", 30},
        {Browser::Chrome, chrome + "Cache\\Cache_Data\\data_3", 900},
        {Browser::Opera, local + opera + "Cache\\Cache_Data\\data_0", 600},
        {Browser::Firefox, local + firefox + "cache2\\entries\\0A1B", 800},
        {Browser::Firefox, local + firefox + "startupCache\\scriptCache.bin", 70},
        {Browser::Firefox, local + firefox + "thumbnails\\t.png", 5},
    };
    for (const std::string profile : {"Default\\", "Profile 1\\"})
        for (const char* kept : {"Network\\Cookies", "History", "Login Data", "Bookmarks", "Preferences",
                                 "Local Storage\\leveldb\\000003.log", "IndexedDB\\https_a.example_0\\1.blob",
                                 "Extensions\\abcdef\\1.0\\manifest.json", "Sessions\\Session_1",
                                 "Service Worker\\CacheStorage\\0f\\index", "Service Worker\\ScriptCache\\0"})
            b.keptFiles.push_back({Browser::Edge, edge + profile + kept, 111});
    b.keptFiles.push_back({Browser::Edge, edge + "Local State", 12});
    for (const char* kept : {"Network\\Cookies", "History", "Login Data", "Bookmarks", "Web Data"})
        b.keptFiles.push_back({Browser::Chrome, chrome + kept, 222});
    for (const char* kept : {"Cookies", "History", "Login Data", "Bookmarks", "Local Storage\\leveldb\\1.log"})
        b.keptFiles.push_back({Browser::Opera, roaming + opera + kept, 333});
    for (const char* kept : {"places.sqlite", "cookies.sqlite", "logins.json", "sessionstore.jsonlz4",
                             "storage\\default\\https+++a.example\\ls\\data.sqlite"})
        b.keptFiles.push_back({Browser::Firefox, roaming + firefox + kept, 444});
    // What a link inside a cache leads to is not the cache's.
    b.keptFiles.push_back({Browser::Chrome, local + "\\Elsewhere\\thesis.docx", 555});
    return b;
}

TEST_F(Clean, BrowserCachesAreMeasuredListedAndEmptiedAndNothingElse) {
    // None found: the button says so rather than showing an empty menu.
    EXPECT_TRUE(dialog->clean.BrowserCacheChoices().empty());
    EXPECT_EQ(Text(IDC_CLEAN_STATUS), "Status: No browser cache folders were found.");

    const BrowserFiles browsers = GeneratedBrowsers();
    browsers.Put(fakes.files);
    const std::string chromeCache = std::string(kLocal) + "\\Google\\Chrome\\User Data\\Default\\Cache";
    fakes.files.AddFolder(chromeCache + "\\linked", kAttrReparsePoint);
    fakes.files.AddFile(chromeCache + "\\linked\\thesis.docx", 555);
    fakes.files.AddFile(chromeCache + "\\thesis.lnk", 555);
    fakes.files.SetHiddenLink(chromeCache + "\\thesis.lnk");
    fakes.files.listingsShowFileLinks = false;
    Check({false, false, false, false, false, false, false});
    dialog->clean.MeasureCleanAreas();

    EXPECT_EQ(dialog->clean.AreaSize(CleanArea::BrowserCaches), browsers.CacheBytes());
    EXPECT_EQ(Text(IDC_SIZE_BROWSERS), "13.46 KB");
    dialog->clean.OnToggleCleanItem(IDC_CLEAN_BROWSERS);
    EXPECT_TRUE(dialog->options.OptionOn(ScanOptions::kClean6));
    EXPECT_EQ(Text(IDC_CLEAN_STATUS), "Status: Total amount disk space you gain: 13.46 KB");

    // The open-folder button's menu: each folder with whose it is and its size.
    const std::vector<std::string> choices = dialog->clean.BrowserCacheChoices();
    ASSERT_EQ(choices.size(), browsers.cacheFolders.size());
    EXPECT_EQ(choices[0], "Microsoft Edge, Default: Cache (3.91 KB)");
    EXPECT_EQ(choices[3], "Microsoft Edge, Profile 1: Cache (6.84 KB)");
    EXPECT_EQ(choices[4], "Google Chrome: Cache (900 Byte(s))");
    EXPECT_EQ(choices[6], "Firefox: cache2 (800 Byte(s))");
    EXPECT_EQ(choices[9], "Microsoft Edge: ShaderCache (10 Byte(s))");
    dialog->clean.OpenBrowserCache(4);
    dialog->clean.OpenBrowserCache(choices.size());
    EXPECT_EQ(shell.executed, std::vector<std::string>{"Open|" + chromeCache + "|1"});

    dialog->clean.OnStartClean();

    for (const BrowserFiles::File& f : browsers.cacheFiles) EXPECT_FALSE(fakes.files.Exists(f.path)) << f.path;
    for (const std::string& folder : browsers.cacheFolders) EXPECT_TRUE(fakes.files.Exists(folder)) << folder;
    for (const BrowserFiles::File& f : browsers.keptFiles) {
        ASSERT_TRUE(fakes.files.Exists(f.path)) << f.path;
        EXPECT_EQ(fakes.files.Find(f.path)->size, f.size) << f.path;
    }
    for (const char* link : {"\\linked", "\\linked\\thesis.docx", "\\thesis.lnk"})
        EXPECT_TRUE(fakes.files.Exists(chromeCache + link)) << link;
    EXPECT_EQ(Bar().rangeMax, 5);
    EXPECT_EQ(Bar().position, 5);
    EXPECT_EQ(Text(IDC_SIZE_BROWSERS), "0 Byte(s)");
    EXPECT_EQ(Text(IDC_CLEAN_STATUS), "Clean Completed!");
    // During a clean the button shows nothing.
    dialog->state.cleanBusy = true;
    EXPECT_TRUE(dialog->clean.BrowserCacheChoices().empty());
    EXPECT_EQ(Text(IDC_CLEAN_STATUS), "Clean Completed!");
}

TEST_F(Clean, ARunningBrowserKeepsAllItsCachesAndIsNamed) {
    const std::string self = "VelnorCleaner.exe";
    struct Case {
        std::vector<std::string> running;
        std::vector<Browser> kept;
        const char* end;
    } cases[] = {
        {{self, "MSEDGE.EXE"}, {Browser::Edge}, "Close Microsoft Edge; it often runs in the background."},
        {{"chrome.exe", self, "firefox.exe", "chrome.exe"},
         {Browser::Chrome, Browser::Firefox},
         "Close Google Chrome and Firefox to clean their caches."},
        {{self, "opera.exe", "msedge.exe"},
         {Browser::Edge, Browser::Opera},
         "Close 2 browsers; Edge often runs in the background."},
        {{self, "msedgewebview2.exe", "chrome_proxy.exe"}, {}, "Clean Completed!"},
        // No list of processes: no browser is known to be closed.
        {{}, {Browser::Edge, Browser::Chrome, Browser::Opera, Browser::Firefox}, "Clean Completed! Left: Browser Caches."},
    };
    const BrowserFiles browsers = GeneratedBrowsers();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.end);
        browsers.Put(fakes.files);
        fakes.processes.running = c.running;
        Check({false, false, false, false, false, false, true});
        dialog->clean.MeasureCleanAreas();

        dialog->clean.OnStartClean();

        for (const BrowserFiles::File& f : browsers.cacheFiles) {
            const bool kept = std::find(c.kept.begin(), c.kept.end(), f.browser) != c.kept.end();
            EXPECT_EQ(fakes.files.Exists(f.path), kept) << f.path;
        }
        for (const BrowserFiles::File& f : browsers.keptFiles) EXPECT_TRUE(fakes.files.Exists(f.path)) << f.path;
        EXPECT_EQ(Text(IDC_CLEAN_STATUS), c.end);
        EXPECT_EQ(Bar().position, 5);
    }

    // Files left besides: the end counts the caches among what was left.
    browsers.Put(fakes.files);
    fakes.processes.running = {self, "msedge.exe"};
    AddJunk("C:\\Junk\\open.tmp", 10);
    fakes.files.SetLocked("C:\\Junk\\open.tmp", true);
    dialog->options.SetOption(ScanOptions::kRemove, false);
    Check({true, false, false, false, false, false, true});
    dialog->clean.MeasureCleanAreas();
    dialog->clean.OnStartClean();
    EXPECT_EQ(Text(IDC_CLEAN_STATUS), "Clean Completed! Left: 1 file, Browser Caches.");

    // However many run, the words fit the one line of the status.
    const std::vector<Browser> many = {Browser::Chrome, Browser::Brave, Browser::Vivaldi, Browser::OperaGx,
                                       Browser::Firefox};
    EXPECT_EQ(CloseBrowsersText(many), "Close 5 browsers to clean their caches.");
    EXPECT_EQ(CloseBrowsersText({Browser::Vivaldi}), "Close Vivaldi to clean its cache.");
    for (size_t n = 1; n <= many.size(); ++n) {
        std::vector<Browser> some(many.begin(), many.begin() + n);
        EXPECT_LE(CloseBrowsersText(some).size(), kStatusLineChars) << n;
        some.insert(some.begin(), Browser::Edge);
        EXPECT_LE(CloseBrowsersText(some).size(), kStatusLineChars) << n;
    }
}

// Checks what the caller hands over on every call of the walk.
struct CheckingUrlCache : testing::FakeUrlCache {
    int calls = 0;
    bool buffersMatched = true;
    bool sameSizeForever = false;
    void Look(const std::vector<uint8_t>& buffer, uint32_t size) {
        ++calls;
        uint32_t structSize = 0;
        if (buffer.size() >= 4) std::memcpy(&structSize, buffer.data(), 4);
        if (buffer.size() != size || structSize != size) buffersMatched = false;
    }
    Handle FindFirst(std::vector<uint8_t>& buffer, uint32_t& size, UrlCacheEntry& entry, uint32_t& error) override {
        Look(buffer, size);
        if (sameSizeForever) {
            error = kErrorInsufficientBuffer;
            return nullptr;
        }
        return FakeUrlCache::FindFirst(buffer, size, entry, error);
    }
    bool FindNext(Handle walk, std::vector<uint8_t>& buffer, uint32_t& size, UrlCacheEntry& entry,
                  uint32_t& error) override {
        Look(buffer, size);
        return FakeUrlCache::FindNext(walk, buffer, size, entry, error);
    }
};

TEST(UrlCacheWalk, DeletesEverythingButCookiesAndGrowsTheBuffer) {
    FakePlatform fakes;
    CheckingUrlCache cache;
    Platform platform = fakes.Services();
    platform.urlCache = &cache;
    MainDialogParts dialog(platform);
    cache.entries = {{"http://a.example/", 0},
                     {"Cookie:me@a.example/", kCookieCacheEntry | 1},
                     {"http://b.example/" + std::string(6000, 'x'), 0},
                     {"Visited: me@http://c.example/", 0x00200000}};
    cache.insufficientBufferReplies = 2;

    EXPECT_TRUE(dialog.clean.CleanUrlCache());

    EXPECT_EQ(cache.entries.size(), 1u);
    EXPECT_EQ(cache.entries[0].sourceUrlName, "Cookie:me@a.example/");
    EXPECT_EQ(cache.deletedEntries.size(), 3u);
    EXPECT_TRUE(cache.buffersMatched);
    EXPECT_EQ(cache.closes, 1);
}

TEST(UrlCacheWalk, EndsWithoutAHandleOrOnAStrangeReply) {
    struct Case {
        bool failStart;
        uint32_t error;
        bool sameSizeForever;
        bool walkedToEnd;
    } cases[] = {
        {false, 0, false, true},                        // empty cache
        {true, 5, false, false},                        // access denied
        {true, kErrorNoMoreItems, false, true},
        {false, 0, true, false},                        // asks for more room than it ever takes
    };
    for (const Case& c : cases) {
        FakePlatform fakes;
        CheckingUrlCache cache;
        cache.failStart = c.failStart;
        cache.failError = c.error;
        cache.sameSizeForever = c.sameSizeForever;
        Platform platform = fakes.Services();
        platform.urlCache = &cache;
        MainDialogParts dialog(platform);
        EXPECT_EQ(dialog.clean.CleanUrlCache(), c.walkedToEnd);
        EXPECT_EQ(cache.closes, 0);
        EXPECT_LT(cache.calls, 3);
    }
}

}  // namespace
}  // namespace velnor
