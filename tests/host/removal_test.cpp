#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "app/main_dialog_parts.h"
#include "clean/shell_delete.h"
#include "platform/exact_path.h"
#include "res/resource.h"
#include "tests/fakes/fake_platform.h"

namespace velnor {
namespace {

using testing::FakePlatform;

// The fake shell, also telling the test when the operation starts.
struct SpyShell : testing::FakeShell {
    std::function<void()> onDelete;
    int DeleteFiles(const std::string& list, unsigned flags) override {
        if (onDelete) onDelete();
        return FakeShell::DeleteFiles(list, flags);
    }
};

constexpr unsigned kRecycleFlags = 0x0550;

struct JunkRow {
    std::string path;
    uint64_t size;
    bool checked;
};

class Removal : public ::testing::Test {
protected:
    void SetUp() override {
        fakes.files.AddFolder("C:\\Program Files\\Velnor");
        fakes.files.SetText("C:\\Program Files\\Velnor\\config.ini", "\n");
        fakes.files.AddFolder("C:\\Junk");
        shell.files = &fakes.files;
        Platform platform = fakes.Services();
        platform.shell = &shell;
        dialog = std::make_unique<MainDialogParts>(platform);
        dialog->InitializeState();
        dialog->LayoutControls();
        dialog->LoadProfileAndLists();
        dialog->controls.SetObserver([this](int id, unsigned changes) {
            if (id == IDC_CLEAN_PROGRESS && (changes & kProgressChanged))
                positions.push_back(dialog->controls.StateOf(id).position);
        });
    }

    // Result rows as the scan leaves them, with the counters it keeps.
    void Rows(const std::vector<JunkRow>& rows, bool createFiles = true) {
        for (const JunkRow& r : rows) {
            if (createFiles) fakes.files.AddFile(r.path, r.size);
            JunkItem item;
            item.path = r.path;
            item.size = r.size;
            item.checked = r.checked;
            dialog->found.Append(item);
            if (r.checked) {
                dialog->state.selectedCount += 1;
                dialog->state.selectedSize += r.size;
            }
        }
    }
    void Remove(bool recycle) {
        dialog->options.SetOption(ScanOptions::kRemove, recycle);
        dialog->state.cleanBusy = true;
        dialog->clean.RemoveJunkFiles();
    }
    std::string Text(int id) { return dialog->Ctl(id).Text(); }

    FakePlatform fakes;
    SpyShell shell;
    std::unique_ptr<MainDialogParts> dialog;
    std::vector<int> positions;
};

TEST(ShellDeleteRequest, FlagsAndListForm) {
    EXPECT_EQ(ShellDeleteFlags(true), 0x0510u);
    EXPECT_EQ(ShellDeleteFlags(false), 0x0550u);
    EXPECT_EQ(DoubleNulList({}), std::string(1, '\0'));
    EXPECT_EQ(DoubleNulList({"a", "bc"}), std::string("a\0bc\0\0", 6));
    for (const char* bad : {"", "C:\\x\\??.tmp", "C:\\*.*", "C:\\a?", "C:\\\xEF\xBF\xBD\\a.tmp", "C:\\b\xEF\xBF\xBD.tmp"})
        EXPECT_TRUE(UnsafeForShellList(bad)) << bad;
    EXPECT_TRUE(UnsafeForShellList(std::string("C:\\a\0b", 6)));
    // Greek, Japanese and an emoji, and the bytes of U+FFFD apart.
    for (const char* fine : {"C:\\Junk\\a [1] (copy).tmp", "C:\\\xCE\xB1\\\xE6\x97\xA5\xF0\x9F\x98\x80.tmp",
                             "C:\\\xEF\xBF\xBC\xEF\xBF.tmp"})
        EXPECT_FALSE(UnsafeForShellList(fine)) << fine;
}

// How a path reaches exactly its file: the exact form for the file system's
// own operations, and whether the shell, which takes plain paths only, may be
// given it.
TEST(ExactPaths, FormsLengthsAndLookAlikes) {
    const std::string cjk = "\xE6\x97\xA5";  // one character, three bytes, one UTF-16 unit
    const std::string emoji = "\xF0\x9F\x98\x80";  // one character, four bytes, two units
    EXPECT_EQ(Utf16Length("C:\\" + cjk + emoji), 6u);

    const struct {
        std::string path, exact;
    } forms[] = {
        {"c:\\temp\\keep.tmp ", "\\\\?\\c:\\temp\\keep.tmp "},
        {"C:/a//b/./c/../old.bak.", "\\\\?\\C:\\a\\b\\old.bak."},
        {"c:\\", "\\\\?\\c:\\"},
        {"c:\\temp\\", "\\\\?\\c:\\temp\\"},
        {"c:\\*.*", "\\\\?\\c:\\*.*"},
        {"\\\\server\\share\\..\\x.tmp", "\\\\?\\UNC\\server\\share\\x.tmp"},
        {"\\\\?\\C:\\CON", "\\\\?\\C:\\CON"},
        {"temp\\a.tmp", ""},
        {"c:a.tmp", ""},
    };
    for (const auto& f : forms) EXPECT_EQ(ExactPathForm(f.path), f.exact) << f.path;

    const std::string at259 = "C:\\" + std::string(252, 'x') + ".tmp";
    const std::string cjk259 = "C:\\" + [&] {
        std::string s;
        for (int i = 0; i < 252; ++i) s += cjk;
        return s;
    }() + ".tmp";
    for (const std::string& plain : {std::string("C:\\Junk\\a b.tmp"), std::string("c:\\x\\..\\cone\\a.tmp"), at259,
                                     cjk259, std::string("C:\\Junk\\COM10.tmp"), std::string("C:\\.hidden")})
        EXPECT_TRUE(PlainPathIsExact(plain)) << plain;
    for (const std::string& lookAlike :
         {std::string("C:\\Junk\\keep.tmp "), std::string("C:\\Junk\\old.bak."), std::string("C:\\Junk.\\a.tmp"),
          std::string("C:\\Junk\\CON"), std::string("C:\\Junk\\nul.txt"), std::string("C:\\Junk\\Lpt1 .log"),
          std::string("C:\\Junk\\com\xC2\xB9.tmp"), at259 + "x", cjk259 + emoji})
        EXPECT_FALSE(PlainPathIsExact(lookAlike)) << lookAlike;
}

// A checked file that cannot be removed as exactly the file listed stays, and
// so does its row, still checked: the totals count it and the removal says how
// many stayed. The shell takes plain paths, so a name that a plain path takes
// for another file (the unchecked look-alike beside it), a path past the limit
// or a link never reaches it; a permanent deletion names each file exactly,
// but never deletes through a link.
TEST_F(Removal, OnlyTheFileNamedGoesAndWhatStaysKeepsItsRow) {
    const std::string deep = "C:\\Junk\\" + std::string(300, 'd') + "\\deep.tmp";
    fakes.files.AddFolder(deep.substr(0, deep.rfind('\\')));
    const std::vector<JunkRow> rows = {
        {"C:\\Junk\\keep.tmp ", 1, true}, {"C:\\Junk\\keep.tmp", 2, false}, {"C:\\Junk\\old.bak.", 4, true},
        {"C:\\Junk\\old.bak", 8, false},  {"C:\\Junk\\CON.tmp", 16, true},  {deep, 32, true},
        {"C:\\Junk\\link.tmp", 64, true}, {"C:\\Junk\\a.tmp", 128, true},
    };
    for (bool recycle : {true, false}) {
        SCOPED_TRACE(recycle ? "recycle" : "permanent");
        shell.deleteCalls.clear();
        fakes.files.deleted.clear();
        Rows(rows);
        fakes.files.listingsShowFileLinks = false;
        fakes.files.SetHiddenLink("C:\\Junk\\link.tmp");

        dialog->state.cleanBusy = true;
        dialog->options.SetOption(ScanOptions::kRemove, recycle);
        const uint32_t left = dialog->clean.RemoveJunkFiles();

        EXPECT_TRUE(fakes.files.Exists("C:\\Junk\\keep.tmp"));
        EXPECT_TRUE(fakes.files.Exists("C:\\Junk\\old.bak"));
        EXPECT_TRUE(fakes.files.Exists("C:\\Junk\\link.tmp"));
        EXPECT_FALSE(fakes.files.Exists("C:\\Junk\\a.tmp"));
        std::vector<std::string> stayed;
        for (int row = 0; row < dialog->results.RowCount(); ++row) {
            EXPECT_TRUE(dialog->results.Item(row).checked);
            EXPECT_TRUE(fakes.files.Exists(dialog->results.Item(row).Path())) << dialog->results.Item(row).Path();
            stayed.push_back(dialog->results.Item(row).Path());
        }
        if (recycle) {
            EXPECT_EQ(shell.recycled, std::vector<std::string>{"C:\\Junk\\a.tmp"});
            EXPECT_EQ(stayed, (std::vector<std::string>{"C:\\Junk\\keep.tmp ", "C:\\Junk\\old.bak.",
                                                        "C:\\Junk\\CON.tmp", deep, "C:\\Junk\\link.tmp"}));
            EXPECT_EQ(Text(IDC_SELECTED_FILES), "Selected Files: 5");
            EXPECT_EQ(Text(IDC_TOTAL_SIZE), "Total Size:  117 Byte(s)");
        } else {
            EXPECT_EQ(fakes.files.deleted, (std::vector<std::string>{"C:\\Junk\\keep.tmp ", "C:\\Junk\\old.bak.",
                                                                     "C:\\Junk\\CON.tmp", deep, "C:\\Junk\\a.tmp"}));
            EXPECT_EQ(stayed, std::vector<std::string>{"C:\\Junk\\link.tmp"});
            EXPECT_EQ(Text(IDC_TOTAL_FILES), "Total Files: 1");
            EXPECT_EQ(Text(IDC_SELECTED_SIZE), "Selected Size:  64 Byte(s)");
        }
        EXPECT_EQ(left, stayed.size());
        EXPECT_EQ(dialog->state.selectedCount, stayed.size());
        for (const JunkRow& r : rows) fakes.files.Remove(r.path);
        dialog->found.Clear();
        dialog->state.ClearTotals();
    }
}

TEST_F(Removal, NoCheckedRowsEmptiesTheListAndTouchesNothing) {
    Rows({{"C:\\Junk\\a.tmp", 10, false}, {"C:\\Junk\\b.tmp", 20, false}});
    dialog->Ctl(IDC_CLEAN_STATUS).SetText("before");
    Remove(true);
    EXPECT_EQ(dialog->results.RowCount(), 0);
    EXPECT_TRUE(fakes.files.Exists("C:\\Junk\\a.tmp"));
    EXPECT_TRUE(fakes.files.Exists("C:\\Junk\\b.tmp"));
    EXPECT_TRUE(positions.empty());
    EXPECT_EQ(Text(IDC_CLEAN_STATUS), "before");
    ASSERT_EQ(shell.deleteCalls.size(), 1u);
    EXPECT_TRUE(shell.deleteCalls[0].paths.empty());
    EXPECT_EQ(fakes.prompts.waitCount, 0);
    EXPECT_EQ(Text(IDC_TOTAL_FILES), "Total Files: 0");
    EXPECT_EQ(Text(IDC_TOTAL_SIZE), "Total  Size: 0 MB");
    EXPECT_EQ(Text(IDC_SELECTED_FILES), "Selected Files: 0");
    EXPECT_EQ(Text(IDC_SELECTED_SIZE), "Selected  Size: 0 MB");
    EXPECT_EQ(Text(IDC_SCAN_STATUS), "Scaning:Please click 'start scan' .");
    EXPECT_EQ(dialog->found.TotalCount(), 0u);
    EXPECT_EQ(dialog->found.TotalSize(), 0u);
}

TEST_F(Removal, PermanentModeDeletesCheckedFilesAtOnce) {
    Rows({{"C:\\Junk\\a.tmp", 10, true}, {"C:\\Junk\\keep.tmp", 20, false}, {"C:\\Junk\\c.tmp", 30, true},
          {"C:\\Junk\\d.tmp", 40, true}, {"C:\\Junk\\e.tmp", 50, true}});
    Remove(false);
    EXPECT_EQ(fakes.files.deleted, (std::vector<std::string>{"C:\\Junk\\a.tmp", "C:\\Junk\\c.tmp",
                                                             "C:\\Junk\\d.tmp", "C:\\Junk\\e.tmp"}));
    EXPECT_TRUE(fakes.files.Exists("C:\\Junk\\keep.tmp"));
    ASSERT_EQ(shell.deleteCalls.size(), 1u);
    EXPECT_TRUE(shell.deleteCalls[0].paths.empty());
    EXPECT_EQ(shell.deleteCalls[0].flags, kRecycleFlags);
    EXPECT_EQ(positions, (std::vector<int>{18, 37, 56, 75}));
    EXPECT_EQ(Text(IDC_CLEAN_STATUS), "Deleting: Junk Files ...");
    EXPECT_EQ(dialog->state.selectedCount, 0u);
    EXPECT_EQ(dialog->state.selectedSize, 0u);
    EXPECT_EQ(fakes.prompts.waitCount, 4);
    EXPECT_EQ(fakes.prompts.waitDepth, 0);
}

TEST_F(Removal, RecycleModeSendsEveryCheckedFileInOneOperationAtTheEnd) {
    Rows({{"C:\\Junk\\a.tmp", 10, true}, {"C:\\Junk\\keep.tmp", 20, false}, {"C:\\Junk\\c.tmp", 30, true}});
    bool filesThereWhenShellRan = false;
    shell.onDelete = [&] {
        filesThereWhenShellRan = fakes.files.Exists("C:\\Junk\\a.tmp") && fakes.files.Exists("C:\\Junk\\c.tmp");
    };
    Remove(true);
    EXPECT_TRUE(filesThereWhenShellRan);
    EXPECT_EQ(dialog->results.RowCount(), 0);
    EXPECT_TRUE(fakes.files.deleted.empty());
    ASSERT_EQ(shell.deleteCalls.size(), 1u);
    EXPECT_EQ(shell.deleteCalls[0].paths, (std::vector<std::string>{"C:\\Junk\\a.tmp", "C:\\Junk\\c.tmp"}));
    EXPECT_EQ(shell.deleteCalls[0].flags, kRecycleFlags);
    EXPECT_EQ(shell.recycled, shell.deleteCalls[0].paths);
    EXPECT_TRUE(fakes.files.Exists("C:\\Junk\\keep.tmp"));
    EXPECT_EQ(positions, (std::vector<int>{37, 75}));
}

TEST_F(Removal, PathsThatNameNoFileNeverReachTheShellOrDeleteAndTheirRowsStay) {
    // A file really named with U+FFFD is not the file whose unpaired
    // surrogate came back as U+FFFD; neither mode may take it.
    const std::string replacement = "C:\\Junk\\x\xEF\xBF\xBD.tmp";
    for (bool recycle : {true, false}) {
        shell.deleteCalls.clear();
        Rows({{"C:\\Junk\\ab.tmp", 1, false}, {"C:\\Junk\\cd.tmp", 1, false}}, true);
        Rows({{"C:\\Junk\\??.tmp", 5, true}, {"C:\\Junk\\*.tmp", 5, true}, {"", 5, true}}, false);
        Rows({{replacement, 5, true}, {"C:\\Junk\\real.tmp", 7, true}});
        Remove(recycle);
        EXPECT_EQ(dialog->results.RowCount(), 4);
        EXPECT_TRUE(fakes.files.Exists("C:\\Junk\\ab.tmp"));
        EXPECT_TRUE(fakes.files.Exists("C:\\Junk\\cd.tmp"));
        EXPECT_TRUE(fakes.files.Exists(replacement)) << recycle;
        EXPECT_FALSE(fakes.files.Exists("C:\\Junk\\real.tmp")) << recycle;
        ASSERT_EQ(shell.deleteCalls.size(), 1u);
        EXPECT_EQ(shell.deleteCalls[0].paths,
                  recycle ? std::vector<std::string>{"C:\\Junk\\real.tmp"} : std::vector<std::string>{});
        EXPECT_EQ(fakes.files.deleted,
                  recycle ? std::vector<std::string>{} : std::vector<std::string>{"C:\\Junk\\real.tmp"});
        EXPECT_EQ(dialog->state.selectedSize, 20u);
        dialog->found.Clear();
        fakes.files.Remove(replacement);
    }
}

TEST_F(Removal, CheckedReadOnlyFilesGoUncheckedOnesKeepTheirMark) {
    Rows({{"C:\\Junk\\ro.tmp", 10, true}, {"C:\\Junk\\ro-keep.tmp", 20, false},
          {"C:\\Junk\\ro-open.tmp", 30, true}, {"C:\\Junk\\open.tmp", 40, true}});
    for (const char* path : {"C:\\Junk\\ro.tmp", "C:\\Junk\\ro-keep.tmp", "C:\\Junk\\ro-open.tmp"})
        fakes.files.SetAttributes(path, kAttrReadOnly | kAttrHidden);
    fakes.files.SetLocked("C:\\Junk\\ro-open.tmp", true);
    fakes.files.SetLocked("C:\\Junk\\open.tmp", true);
    Remove(false);
    EXPECT_EQ(fakes.files.deleted, std::vector<std::string>{"C:\\Junk\\ro.tmp"});
    // Files that stay are left as they were found, mark and all.
    EXPECT_EQ(fakes.files.Attributes("C:\\Junk\\ro-keep.tmp"), kAttrReadOnly | kAttrHidden);
    EXPECT_EQ(fakes.files.Attributes("C:\\Junk\\ro-open.tmp"), kAttrReadOnly | kAttrHidden);
    EXPECT_EQ(fakes.files.Attributes("C:\\Junk\\open.tmp"), 0u);
    EXPECT_EQ(dialog->results.RowCount(), 2);
}

TEST_F(Removal, AFileGoneSinceTheScanDoesNotKeepTheOthersFromTheBin) {
    shell.stopAtMissingFile = true;
    Rows({{"C:\\Junk\\a.tmp", 10, true}, {"C:\\Junk\\gone.tmp", 20, true}, {"C:\\Junk\\c.tmp", 30, true}});
    fakes.files.Remove("C:\\Junk\\gone.tmp");
    Remove(true);
    EXPECT_EQ(shell.recycled, (std::vector<std::string>{"C:\\Junk\\a.tmp", "C:\\Junk\\c.tmp"}));
    EXPECT_EQ(dialog->results.RowCount(), 0);

    Rows({{"C:\\Junk\\x.tmp", 10, true}, {"C:\\Junk\\gone2.tmp", 20, true}});
    fakes.files.Remove("C:\\Junk\\gone2.tmp");
    Remove(false);
    EXPECT_FALSE(fakes.files.Exists("C:\\Junk\\x.tmp"));
    EXPECT_EQ(dialog->results.RowCount(), 0);
}

TEST_F(Removal, ProgressStaysWithinItsShareWhenTheSelectedCountIsStale) {
    struct Case {
        int checkedRows;
        uint32_t selectedCount;
        std::vector<int> positions;
    } cases[] = {
        {1, 1, {75}},
        {3, 0, {75}},
        {4, 2, {37, 75}},
        {2, 10, {7, 15}},
    };
    for (const Case& c : cases) {
        // The bar is told only what changes what it shows.
        dialog->controls[IDC_CLEAN_PROGRESS].SetPosition(0);
        positions.clear();
        std::vector<JunkRow> rows;
        for (int i = 0; i < c.checkedRows; ++i) rows.push_back({"C:\\Junk\\f" + std::to_string(i), 100, true});
        Rows(rows);
        dialog->state.selectedCount = c.selectedCount;
        dialog->state.selectedSize = 50;  // stale too: less than the rows hold
        Remove(false);
        EXPECT_EQ(positions, c.positions) << c.checkedRows << "/" << c.selectedCount;
        EXPECT_EQ(dialog->state.selectedCount, 0u);
        EXPECT_EQ(dialog->state.selectedSize, 0u);
    }
}

TEST_F(Removal, AFileInUseDoesNotKeepTheFilesAfterItFromTheBin) {
    Rows({{"C:\\Junk\\open.tmp", 10, true}, {"C:\\Junk\\keep.tmp", 5, false}, {"C:\\Junk\\b.tmp", 20, true},
          {"C:\\Junk\\c.tmp", 30, true}});
    shell.inUse = {"C:\\Junk\\open.tmp"};
    Remove(true);
    EXPECT_EQ(shell.recycled, (std::vector<std::string>{"C:\\Junk\\b.tmp", "C:\\Junk\\c.tmp"}));
    EXPECT_TRUE(fakes.files.Exists("C:\\Junk\\open.tmp"));
    EXPECT_TRUE(fakes.files.Exists("C:\\Junk\\keep.tmp"));
    // One operation for the whole list; the retries only when it failed.
    ASSERT_EQ(shell.deleteCalls.size(), 4u);
    EXPECT_EQ(shell.deleteCalls[0].paths.size(), 3u);
    for (const auto& call : shell.deleteCalls) EXPECT_EQ(call.flags, kRecycleFlags);
    ASSERT_EQ(dialog->results.RowCount(), 1);
    EXPECT_EQ(dialog->results.Item(0).Path(), "C:\\Junk\\open.tmp");
}

TEST_F(Removal, StopsTakingRowsWhenTheCleanIsCalledOff) {
    Rows({{"C:\\Junk\\a.tmp", 10, true}, {"C:\\Junk\\b.tmp", 10, true}});
    dialog->options.SetOption(ScanOptions::kRemove, false);
    dialog->state.cleanBusy = false;
    dialog->clean.RemoveJunkFiles();
    EXPECT_EQ(dialog->results.RowCount(), 2);
    EXPECT_TRUE(fakes.files.deleted.empty());
    EXPECT_EQ(shell.deleteCalls.size(), 1u);
    EXPECT_EQ(Text(IDC_SCAN_STATUS), "Scaning:Please click 'start scan' .");

    // Called off in the middle (as Exit would, once the second file has
    // gone): the files after it stay, and so do their rows, checked; an
    // unchecked file before them stays too.
    dialog->found.Clear();
    dialog->state.ClearTotals();
    Rows({{"C:\\Junk\\c.tmp", 10, true}, {"C:\\Junk\\keep.tmp", 10, false}, {"C:\\Junk\\d.tmp", 10, true},
          {"C:\\Junk\\e.tmp", 10, true}, {"C:\\Junk\\f.tmp", 10, true}});
    dialog->controls.SetObserver([this](int id, unsigned changes) {
        if (id == IDC_CLEAN_PROGRESS && (changes & kProgressChanged) && dialog->controls.StateOf(id).position > 30)
            dialog->state.cleanBusy = false;
    });
    Remove(false);
    EXPECT_EQ(fakes.files.deleted, (std::vector<std::string>{"C:\\Junk\\c.tmp", "C:\\Junk\\d.tmp"}));
    for (const char* stays : {"C:\\Junk\\keep.tmp", "C:\\Junk\\e.tmp", "C:\\Junk\\f.tmp"})
        EXPECT_TRUE(fakes.files.Exists(stays)) << stays;
    ASSERT_EQ(dialog->results.RowCount(), 2);
    EXPECT_EQ(dialog->results.Item(0).Path(), "C:\\Junk\\e.tmp");
    EXPECT_TRUE(dialog->results.Item(0).checked && dialog->results.Item(1).checked);
    EXPECT_EQ(Text(IDC_SELECTED_FILES), "Selected Files: 2");
}

}  // namespace
}  // namespace velnor
