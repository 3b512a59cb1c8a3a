#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_dialog_parts.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/win32_platform.h"
#include "res/resource.h"
#include "tests/win32/support/win_test_support.h"

namespace velnor {
namespace {

using testing::FileExists;
using testing::MakeFolder;
using testing::TempDir;
using testing::WriteBytes;

// The real shell, telling the test what it is handed and when.
class SpyShell : public Win32Shell {
public:
    int DeleteFiles(const std::string& list, unsigned flags) override {
        if (onDelete) onDelete();
        lists.push_back(list);
        this->flags.push_back(flags);
        return Win32Shell::DeleteFiles(list, flags);
    }
    std::function<void()> onDelete;
    std::vector<std::string> lists;
    std::vector<unsigned> flags;
};

// Where this run's Recycle Bin keeps its files: under Wine the freedesktop
// Trash below $XDG_DATA_HOME, which each test run gets fresh. Empty when the
// bin cannot be looked into.
std::string TrashFolder() {
    char unixPath[MAX_PATH] = {};
    const DWORD n = ::GetEnvironmentVariableA("XDG_DATA_HOME", unixPath, MAX_PATH);
    if (n == 0 || n >= MAX_PATH || unixPath[0] != '/') return std::string();
    std::string path = std::string("Z:") + unixPath + "/Trash/files";
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::wstring ExactWide(const std::string& path) {
    std::wstring wide(path.size() + 1, L'\0');
    wide.resize(static_cast<size_t>(
        ::MultiByteToWideChar(CP_UTF8, 0, path.c_str(), static_cast<int>(path.size()), &wide[0],
                              static_cast<int>(wide.size()))));
    return L"\\\\?\\" + wide;
}

// Files by their exact names, which a plain path could not reach.
void WriteExact(const std::string& path, const std::string& bytes) {
    HANDLE file = ::CreateFileW(ExactWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}
std::string ReadExact(const std::string& path) {
    HANDLE file = ::CreateFileW(ExactWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                nullptr);
    if (file == INVALID_HANDLE_VALUE) return "(missing)";
    char buffer[256];
    DWORD read = 0;
    ::ReadFile(file, buffer, sizeof buffer, &read, nullptr);
    ::CloseHandle(file);
    return std::string(buffer, read);
}
bool ExactExists(const std::string& path) {
    return ::GetFileAttributesW(ExactWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Lowered(std::string text) {
    ::CharLowerA(&text[0]);
    return text;
}

class RemovalOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        services.files = &files;
        services.shell = &shell;
        services.locale = &locale;
        services.pump = &pump;
        model = std::make_unique<MainDialogParts>(services);
        model->LayoutControls();
        model->scan.SetupResultList();
        model->options.SetOption(ScanOptions::kRead, true);
        model->options.SetOption(ScanOptions::kHide, true);
        AddFilterRow(model->profile.filters, "*.tmp", "", true, FilterType::Include);
        model->profile.locations.InsertRow(0, MakeFolderLocation(dir.Path(), true));
        model->controls.SetObserver([this](int id, unsigned changes) {
            if (id == IDC_CLEAN_PROGRESS && (changes & kProgressChanged))
                positions.push_back(model->controls.StateOf(id).position);
        });
    }

    std::string File(const std::string& relative, const std::string& bytes = "junk") {
        const std::string path = dir / relative;
        const size_t slash = path.find_last_of('\\');
        MakeFolder(path.substr(0, slash));
        WriteBytes(path, bytes);
        return path;
    }
    std::string ReadOnlyFile(const std::string& relative) {
        const std::string path = File(relative, "read-only " + relative);
        ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
        EXPECT_EQ(::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY, static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
        return path;
    }
    void ExpectReadOnlyAndUnchanged(const std::string& path) {
        EXPECT_EQ(::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY, static_cast<DWORD>(FILE_ATTRIBUTE_READONLY))
            << path;
        EXPECT_EQ(testing::ReadBytes(path), "read-only " + path.substr(dir.Path().size() + 1)) << path;
    }
    // Scans the test folder; the rows come out checked.
    void Scan(size_t expectedRows) {
        model->scan.OnStartScan();
        ASSERT_EQ(model->results.RowCount(), static_cast<int>(expectedRows));
    }
    int RowOf(const std::string& path) {
        for (int row = 0; row < model->results.RowCount(); ++row)
            if (lstrcmpiA(model->results.CellText(row, 2).c_str(), path.c_str()) == 0) return row;
        ADD_FAILURE() << path << " not listed";
        return -1;
    }
    // Unchecks rows as the result list's check strip would, counters included.
    void Uncheck(const std::string& path) {
        const int row = RowOf(path);
        if (row < 0) return;
        model->results.SetChecked(row, false);
        model->state.selectedCount -= 1;
        model->state.selectedSize -= model->results.Item(row).size;
    }
    void AddRow(const std::string& path, bool checked) {
        JunkItem item;
        item.path = path;
        item.size = 4;
        item.checked = checked;
        model->found.Append(item);
        if (checked) {
            model->state.selectedCount += 1;
            model->state.selectedSize += 4;
        }
    }
    void Remove(bool recycle) {
        model->options.SetOption(ScanOptions::kRemove, recycle);
        model->state.cleanBusy = true;
        model->clean.RemoveJunkFiles();
    }
    void ExpectZeroTexts() {
        EXPECT_EQ(model->results.RowCount(), 0);
        EXPECT_EQ(model->Ctl(IDC_TOTAL_FILES).Text(), "Total Files: 0");
        EXPECT_EQ(model->Ctl(IDC_TOTAL_SIZE).Text(), "Total  Size: 0 MB");
        EXPECT_EQ(model->Ctl(IDC_SELECTED_FILES).Text(), "Selected Files: 0");
        EXPECT_EQ(model->Ctl(IDC_SELECTED_SIZE).Text(), "Selected  Size: 0 MB");
        EXPECT_EQ(model->Ctl(IDC_SCAN_STATUS).Text(), "Scaning:Please click 'start scan' .");
        EXPECT_EQ(model->state.selectedCount, 0u);
        EXPECT_EQ(model->state.selectedSize, 0u);
    }

    TempDir dir;
    Win32FileSystem files;
    SpyShell shell;
    Win32Locale locale;
    Win32MessagePump pump;
    Platform services;
    std::unique_ptr<MainDialogParts> model;
    std::vector<int> positions;
};

TEST_F(RemovalOnDisk, PermanentRemovalDeletesExactlyTheCheckedFiles) {
    const std::string a = File("perm-a.tmp"), gone = File("perm-gone.tmp"), keep = File("perm-keep.tmp");
    const std::string deep = File("Sub\\perm-deep.tmp"), deepKeep = File("Sub\\perm-deep-keep.tmp");
    const std::string other = File("notes.txt");
    const std::string readOnly = ReadOnlyFile("perm-ro.tmp"), readOnlyKeep = ReadOnlyFile("perm-ro-keep.tmp");
    const std::string readOnlyOpen = ReadOnlyFile("perm-ro-open.tmp");
    Scan(8);
    Uncheck(keep);
    Uncheck(deepKeep);
    Uncheck(readOnlyKeep);
    ASSERT_TRUE(::DeleteFileA(gone.c_str()));  // someone else was quicker
    // Held open by another program: it cannot go, and it stays as it was.
    HANDLE open = ::CreateFileA(readOnlyOpen.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(open, INVALID_HANDLE_VALUE);

    std::vector<bool> deepAtShellCall;
    shell.onDelete = [&] { deepAtShellCall.push_back(FileExists(deep)); };
    Remove(false);
    ::CloseHandle(open);
    EXPECT_FALSE(FileExists(a));
    EXPECT_FALSE(FileExists(deep));
    EXPECT_FALSE(FileExists(readOnly));
    EXPECT_TRUE(FileExists(keep));
    EXPECT_TRUE(FileExists(deepKeep));
    EXPECT_TRUE(FileExists(other));
    ExpectReadOnlyAndUnchanged(readOnlyKeep);
    ExpectReadOnlyAndUnchanged(readOnlyOpen);
    // Each file went the moment its row was handled; the one shell operation
    // at the end got nothing to remove.
    ASSERT_EQ(shell.lists.size(), 1u);
    EXPECT_EQ(shell.lists[0], std::string(1, '\0'));
    EXPECT_EQ(deepAtShellCall, std::vector<bool>{false});
    EXPECT_EQ(positions, (std::vector<int>{15, 30, 45, 60, 75}));
    // The file held open stays, and so does its row, checked.
    ASSERT_EQ(model->results.RowCount(), 1);
    EXPECT_EQ(model->results.Item(0).Path(), Lowered(readOnlyOpen));
    EXPECT_TRUE(model->results.Item(0).checked);
    EXPECT_EQ(model->Ctl(IDC_SELECTED_FILES).Text(), "Selected Files: 1");
}

// The files are opened ahead of their turn while earlier ones go; a clean
// called off in the middle leaves every file after the stop, those already
// opened among them, and their rows stay checked.
TEST_F(RemovalOnDisk, AStopInTheMiddleLeavesEveryFileAfterIt) {
    std::vector<std::string> paths;
    for (int i = 0; i < 300; ++i) {
        paths.push_back(File("Stop\\f" + std::to_string(1000 + i) + ".tmp"));
        AddRow(paths.back(), true);
    }
    // Position 15 comes with file 60 of 300; Exit's flag goes down there, and
    // that file is the last to go.
    model->controls.SetObserver([&](int id, unsigned changes) {
        if (id == IDC_CLEAN_PROGRESS && (changes & kProgressChanged) && model->controls.StateOf(id).position >= 15)
            model->state.cleanBusy = false;
    });
    Remove(false);
    const size_t reached = paths.size() - std::count_if(paths.begin(), paths.end(), FileExists);
    ASSERT_EQ(reached, 60u);
    for (size_t i = 0; i < paths.size(); ++i) EXPECT_EQ(FileExists(paths[i]), i >= reached) << paths[i];
    ASSERT_EQ(model->results.RowCount(), static_cast<int>(paths.size() - reached));
    EXPECT_EQ(model->results.Item(0).Path(), paths[reached]);
    for (int row = 0; row < model->results.RowCount(); ++row) EXPECT_TRUE(model->results.Item(row).checked);
}

TEST_F(RemovalOnDisk, RecycleModeSendsTheCheckedFilesToTheBinInOneOperation) {
    const std::string one = File("bin-one.tmp"), two = File("Sub\\bin-two.tmp");
    const std::string keep = File("bin-keep.tmp"), gone = File("bin-gone.tmp");
    const std::string readOnly = ReadOnlyFile("bin-ro.tmp"), readOnlyKeep = ReadOnlyFile("bin-ro-keep.tmp");
    Scan(6);
    Uncheck(keep);
    Uncheck(readOnlyKeep);
    ASSERT_TRUE(::DeleteFileA(gone.c_str()));

    bool untouchedUntilTheEnd = false;
    shell.onDelete = [&] { untouchedUntilTheEnd = FileExists(one) && FileExists(two); };
    Remove(true);
    EXPECT_TRUE(untouchedUntilTheEnd);
    ASSERT_EQ(shell.lists.size(), 1u);
    EXPECT_EQ(shell.flags[0], 0x0550u);
    EXPECT_FALSE(FileExists(one));
    EXPECT_FALSE(FileExists(two));
    EXPECT_FALSE(FileExists(readOnly));
    EXPECT_TRUE(FileExists(keep));
    ExpectReadOnlyAndUnchanged(readOnlyKeep);
    ExpectZeroTexts();

    const std::string trash = TrashFolder();
    if (trash.empty()) return;  // no bin to look into on this system
    EXPECT_TRUE(FileExists(trash + "\\bin-one.tmp")) << trash;
    EXPECT_TRUE(FileExists(trash + "\\bin-two.tmp")) << trash;
    EXPECT_TRUE(FileExists(trash + "\\bin-ro.tmp")) << trash;
    EXPECT_FALSE(FileExists(trash + "\\bin-keep.tmp")) << trash;
    // Wine's emptying of the bin passes over read-only files; the bin is left
    // as the later tests expect to find it.
    ::SetFileAttributesA((trash + "\\bin-ro.tmp").c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA((trash + "\\bin-ro.tmp").c_str());
    const std::string info = trash.substr(0, trash.size() - 5) + "info\\bin-ro.tmp.trashinfo";
    EXPECT_TRUE(::DeleteFileA(info.c_str())) << info;
}

TEST_F(RemovalOnDisk, ARowWhosePathHoldsAWildcardNeverTakesItsNeighbours) {
    for (bool recycle : {true, false}) {
        const std::string prefix = recycle ? "r" : "p";
        const std::string ab = File(prefix + "a.tmp"), cd = File(prefix + "c.tmp");
        const std::string checkedOne = File(prefix + "-wild-checked.tmp");
        // The row of a file whose name the ANSI interface could not hold: the
        // name came back as two question marks, which the shell reads as a
        // wildcard that matches both unchecked neighbours.
        AddRow(dir / (prefix + "?.tmp"), true);
        AddRow(dir / "??.tmp", true);
        AddRow(ab, false);
        AddRow(cd, false);
        AddRow(checkedOne, true);
        shell.lists.clear();
        Remove(recycle);
        EXPECT_TRUE(FileExists(ab)) << prefix;
        EXPECT_TRUE(FileExists(cd)) << prefix;
        EXPECT_FALSE(FileExists(checkedOne)) << prefix;
        ASSERT_EQ(shell.lists.size(), 1u);
        EXPECT_EQ(shell.lists[0].find_first_of("*?"), std::string::npos) << prefix;
        // The two rows that name no file stay, checked: their files were not removed.
        EXPECT_EQ(model->results.RowCount(), 2);
        EXPECT_EQ(model->Ctl(IDC_SELECTED_FILES).Text(), "Selected Files: 2");
        model->found.Clear();
        model->state.ClearTotals();
    }
}

// Names that a plain path takes for another file (a trailing blank or dot,
// a device name) and links to files outside the scanned folder, each side of
// a look-alike pair checked in turn, in both removal modes: the file removed
// is always the one named, or none; the unchecked side and a link's target
// stay byte for byte, and whatever checked file stays keeps its row.
TEST_F(RemovalOnDisk, LookAlikesAndLinksNeverGoInPlaceOfTheFileChosen) {
    const std::string outside = dir / "Outside";
    MakeFolder(outside);
    WriteBytes(outside + "\\precious.docx", "precious");
    for (bool recycle : {true, false}) {
        for (bool oddChecked : {true, false}) {
            const std::string folder = dir / (std::string(recycle ? "r" : "p") + (oddChecked ? "odd" : "plain"));
            MakeFolder(folder);
            struct Pair {
                std::string plain, odd;
            } pairs[] = {{"keep.tmp", "keep.tmp "}, {"old.bak", "old.bak."}};
            for (const Pair& pair : pairs) {
                WriteExact(folder + "\\" + pair.plain, "plain " + pair.plain);
                WriteExact(folder + "\\" + pair.odd, "odd " + pair.odd);
                AddRow(folder + "\\" + pair.plain, !oddChecked);
                AddRow(folder + "\\" + pair.odd, oddChecked);
            }
            WriteExact(folder + "\\CON.tmp", "device look-alike");
            AddRow(folder + "\\CON.tmp", true);
            ASSERT_TRUE(testing::MakeLink(folder + "\\link.tmp", outside + "\\precious.docx"));
            AddRow(folder + "\\link.tmp", true);

            Remove(recycle);

            SCOPED_TRACE(folder);
            for (const Pair& pair : pairs) {
                const std::string chosen = oddChecked ? pair.odd : pair.plain;
                const std::string other = oddChecked ? pair.plain : pair.odd;
                EXPECT_EQ(ReadExact(folder + "\\" + other), (oddChecked ? "plain " : "odd ") + other);
                // The shell cannot name the odd one exactly: it stays where the
                // Recycle Bin would have been the way.
                const bool chosenStays = recycle && oddChecked;
                EXPECT_EQ(ExactExists(folder + "\\" + chosen), chosenStays) << chosen;
            }
            EXPECT_EQ(ExactExists(folder + "\\CON.tmp"), recycle);
            EXPECT_EQ(testing::ReadBytes(outside + "\\precious.docx"), "precious");
            EXPECT_TRUE(ExactExists(folder + "\\link.tmp"));
            // Every row left is a checked file that is still there.
            const int expectedRows = 1 + (recycle ? 1 : 0) + (recycle && oddChecked ? 2 : 0);
            EXPECT_EQ(model->results.RowCount(), expectedRows);
            for (int row = 0; row < model->results.RowCount(); ++row) {
                EXPECT_TRUE(model->results.Item(row).checked);
                EXPECT_TRUE(ExactExists(model->results.Item(row).Path())) << model->results.Item(row).Path();
            }
            model->found.Clear();
            model->state.ClearTotals();
        }
    }
}

}  // namespace
}  // namespace velnor
