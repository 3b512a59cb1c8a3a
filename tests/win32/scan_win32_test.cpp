#include <windows.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/main_dialog_parts.h"
#include "platform/win32/win32_platform.h"
#include "res/resource.h"
#include "scan/junk_scan.h"
#include "tests/win32/support/win_test_support.h"

namespace velnor {
namespace {

using testing::MakeFolder;
using testing::TempDir;
using testing::WriteBytes;

constexpr char kFinished[] = "Scaning: Scan Completed! Please Click 'Next' to Continue...";

std::string Lowered(std::string text) {
    ::CharLowerA(&text[0]);
    return text;
}

std::string Leaf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }


void RemoveLink(const std::string& link) {
    if (!::RemoveDirectoryA(link.c_str())) ::DeleteFileA(link.c_str());
}

// The main window's behaviour on the real file system, locale and message pump.
class ScanOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        services.files = &files;
        services.locale = &locale;
        services.pump = &pump;
        model = std::make_unique<MainDialogParts>(services);
        model->LayoutControls();
        model->scan.SetupResultList();
        SetOptions(true, false, true, false);
        AddFilterRow(model->profile.filters, "*.tmp", "", true, FilterType::Include);
        root = dir.Path();
        lowRoot = Lowered(root);
    }

    void SetOptions(bool readOnly, bool system, bool hidden, bool zero) {
        model->options.SetOption(ScanOptions::kRead, readOnly);
        model->options.SetOption(ScanOptions::kSystem, system);
        model->options.SetOption(ScanOptions::kHide, hidden);
        model->options.SetOption(ScanOptions::kZero, zero);
    }
    void AddLocation(const std::string& text) {
        model->profile.locations.InsertRow(model->profile.locations.RowCount(), MakeFolderLocation(text, true));
    }
    std::string File(const std::string& relative, const std::string& bytes = "x", DWORD attributes = 0) {
        const std::string path = root + "\\" + relative;
        for (size_t slash = relative.find('\\'); slash != std::string::npos; slash = relative.find('\\', slash + 1))
            MakeFolder(root + "\\" + relative.substr(0, slash));
        WriteBytes(path, bytes);
        if (attributes) ::SetFileAttributesA(path.c_str(), attributes);
        return path;
    }
    std::string Folder(const std::string& relative, DWORD attributes = 0) {
        const std::string path = root + "\\" + relative;
        MakeFolder(path);
        if (attributes) ::SetFileAttributesA(path.c_str(), attributes);
        return path;
    }
    std::vector<std::string> Listed() const {
        std::vector<std::string> paths;
        for (int row = 0; row < model->results.RowCount(); ++row) {
            std::string path = model->results.CellText(row, 2);
            EXPECT_EQ(path.compare(0, lowRoot.size(), lowRoot), 0) << path;
            paths.push_back(path.substr(std::min(path.size(), lowRoot.size() + 1)));
        }
        return paths;
    }
    std::string Text(int id) { return model->controls[id].Text(); }

    TempDir dir;
    std::string root, lowRoot;
    Win32FileSystem files;
    Win32Locale locale;
    Win32MessagePump pump;
    Platform services;
    std::unique_ptr<MainDialogParts> model;
};

TEST_F(ScanOnDisk, AttributeOptionsOnRealFilesAndFolders) {
    struct Case {
        DWORD attribute;
        ScanOptions::Flag option;
        const char* name;
    } cases[] = {
        {FILE_ATTRIBUTE_HIDDEN, ScanOptions::kHide, "hidden"},
        {FILE_ATTRIBUTE_READONLY, ScanOptions::kRead, "readonly"},
        {FILE_ATTRIBUTE_SYSTEM, ScanOptions::kSystem, "system"},
    };
    AddLocation(root);
    // Wine keeps no read-only attribute on folders; there only the file of
    // that case can carry it.
    bool folderMarked[3] = {};
    int caseIndex = 0;
    for (const Case& c : cases) {
        const std::string file = File(std::string(c.name) + ".tmp", "abc", c.attribute);
        const std::string folder = Folder(std::string(c.name) + "-dir");
        File(std::string(c.name) + "-dir\\inside.tmp", "abcd");
        ::SetFileAttributesA(folder.c_str(), c.attribute);
        ASSERT_TRUE(::GetFileAttributesA(file.c_str()) & c.attribute) << c.name;
        folderMarked[caseIndex] = (::GetFileAttributesA(folder.c_str()) & c.attribute) != 0;
        if (c.attribute != FILE_ATTRIBUTE_READONLY) {
            EXPECT_TRUE(folderMarked[caseIndex]) << c.name << " folder";
        }
        ++caseIndex;
    }
    File("plain.tmp", "ab");
    caseIndex = 0;
    for (const Case& c : cases) {
        const bool marked = folderMarked[caseIndex++];
        for (bool on : {false, true}) {
            SetOptions(true, true, true, false);
            model->options.SetOption(c.option, on);
            model->scan.OnStartScan();
            const std::vector<std::string> listed = Listed();
            auto has = [&](const std::string& relative) {
                for (const std::string& p : listed)
                    if (Lowered(p) == Lowered(relative)) return true;
                return false;
            };
            const std::string name = c.name;
            EXPECT_EQ(has(name + ".tmp"), on) << name << (on ? " on" : " off");
            EXPECT_EQ(has(name + "-dir\\inside.tmp"), on || !marked) << name << (on ? " on" : " off");
            EXPECT_TRUE(has("plain.tmp"));
            EXPECT_EQ(listed.size(), on ? 7u : marked ? 5u : 6u) << name;
        }
    }
}

TEST_F(ScanOnDisk, ExclusionsTrailingBackslashAndMissingLocations) {
    File("a.tmp");
    File("Keep\\b.tmp");
    File("Skip\\c.tmp");
    File("Skip\\Deeper\\d.tmp");
    AddExclusionRow(model->profile.exclusions, "*\\skip");
    AddLocation(root + "\\");
    AddLocation(root + "\\Not There");
    model->scan.OnStartScan();
    EXPECT_EQ(Listed(), (std::vector<std::string>{"a.tmp", "Keep\\b.tmp"}));
    EXPECT_EQ(Text(IDC_SCAN_STATUS), kFinished);
    EXPECT_EQ(Text(IDC_TOTAL_FILES), "Total Files: 2");
    EXPECT_EQ(Text(IDC_TOTAL_SIZE), "Total Size:  2 Byte(s)");
    EXPECT_EQ(Text(IDC_SELECTED_FILES), "Selected Files: 2");
    EXPECT_EQ(Text(IDC_SELECTED_SIZE), "Selected Size:  2 Byte(s)");
}

// Browse fills an exclusion with the folder's path as the disk spells it. The
// walk reaches that folder through a location typed in another case, which
// the scan lowers: only a fold of every script tells that they are the same
// folder, and nothing inside it may be listed or removed.
TEST_F(ScanOnDisk, AnExclusionFilledByBrowseHoldsWhateverCaseTheLocationIsTypedIn) {
    ASSERT_EQ(::GetACP(), static_cast<UINT>(CP_UTF8));
    const std::string report = File("Доки\\Отчёт.tmp");
    const std::vector<std::string> kept = {
        File("Доки\\Важное\\План.tmp", "keep"),
        File("Доки\\Важное\\Старое\\итог.TMP", "keep"),
        File("Έγγραφα\\Πρόχειρα\\σημείωση.tmp", "keep"),
        File("Données\\Été\\Brouillons\\lettre.tmp", "keep"),
    };
    AddExclusionRow(model->profile.exclusions, root + "\\Доки\\Важное");
    AddExclusionRow(model->profile.exclusions, root + "\\Έγγραφα\\Πρόχειρα");
    AddExclusionRow(model->profile.exclusions, root + "\\Données\\Été\\Brouillons");
    AddLocation(root + "\\ДОКИ");
    AddLocation(root + "\\ΈΓΓΡΑΦΑ");
    AddLocation(root + "\\DONNÉES\\ÉTÉ");

    model->scan.OnStartScan();
    EXPECT_EQ(Listed(), std::vector<std::string>{"доки\\Отчёт.tmp"});

    model->options.SetOption(ScanOptions::kRemove, false);
    model->state.cleanBusy = true;
    model->clean.RemoveJunkFiles();
    EXPECT_FALSE(testing::FileExists(report));
    for (const std::string& path : kept) EXPECT_EQ(testing::ReadBytes(path), "keep") << path;
}

TEST_F(ScanOnDisk, SizesAboveFourGigabytesAndTheModifiedText) {
    const std::string path = root + "\\big.tmp";
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD returned = 0;
    ::DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);  // Wine may refuse
    LARGE_INTEGER end;
    end.QuadPart = (5ll << 30) + 123;
    ASSERT_TRUE(::SetFilePointerEx(file, end, nullptr, FILE_BEGIN));
    ASSERT_TRUE(::SetEndOfFile(file));
    FILETIME written;
    ::GetFileTime(file, nullptr, nullptr, &written);
    ::CloseHandle(file);

    AddLocation(root);
    model->scan.OnStartScan();
    ASSERT_EQ(model->results.RowCount(), 1);
    EXPECT_EQ(model->results.CellText(0, 1), "big.tmp");
    EXPECT_EQ(model->results.CellText(0, 3), "5368709243");
    EXPECT_EQ(Text(IDC_TOTAL_SIZE), "Total Size:  5120.00 MB");
    EXPECT_EQ(Text(IDC_SELECTED_SIZE), "Selected Size:  5120.00 MB");
    EXPECT_EQ(model->found.TotalSize(), 5368709243ull);

    const std::string modified = model->results.CellText(0, 4);
    int mo, d, y, h, mi, s;
    char rest;
    EXPECT_EQ(std::sscanf(modified.c_str(), "%2d/%2d/%2d %2d:%2d:%2d%c", &mo, &d, &y, &h, &mi, &s, &rest), 6)
        << modified;
    EXPECT_EQ(modified.size(), 17u) << modified;
    const uint64_t time = (static_cast<uint64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
    EXPECT_EQ(modified, locale.FormatModified(time));
}

TEST_F(ScanOnDisk, DirectoryLinksEndTheWalkAndHideWhatIsBehindThem) {
    TempDir outside;
    WriteBytes(outside / "protected.tmp", "secret");
    File("a.tmp");
    File("Sub\\b.tmp");
    const std::string loop = root + "\\Sub\\loop";
    const std::string away = root + "\\away";
    ASSERT_TRUE(testing::MakeLink(loop, root));
    ASSERT_TRUE(testing::MakeLink(away, outside.Path()));
    EXPECT_EQ(::GetFileAttributesA(loop.c_str()) & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT),
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));

    AddLocation(root);
    model->scan.OnStartScan();
    EXPECT_EQ(Listed(), (std::vector<std::string>{"a.tmp", "Sub\\b.tmp"}));
    EXPECT_EQ(Text(IDC_SCAN_STATUS), kFinished);
    EXPECT_EQ(model->state.scanState, kScanIdle);

    RemoveLink(loop);
    RemoveLink(away);
    EXPECT_TRUE(testing::FileExists(outside / "protected.tmp"));
}

// The walk reads folders ahead of their turn on a thread of its own. What it
// lists is what each folder holds in its turn: every entry of a folder of
// several blocks, each of more folders than are read ahead once, nothing of a
// folder that has become a link since it was found, and after a stop the
// folders as they are then.
TEST_F(ScanOnDisk, FoldersReadAheadAreListedAsTheyAreInTheirTurn) {
    std::vector<std::string> expected;
    for (int i = 0; i < 1500; ++i)
        expected.push_back("Big\\a-rather-long-name-of-junk-" + std::to_string(10000 + i) + ".tmp");
    for (int i = 0; i < 12; ++i) expected.push_back("F" + std::to_string(i) + "\\f.tmp");
    for (const std::string& file : expected) File(file);
    File("Swap\\inner.tmp");
    TempDir outside;
    WriteBytes(outside / "protected.tmp", "secret");
    AddLocation(root);
    // The paths listed that were not expected, and then those expected and missing.
    auto differences = [&](const FoundFiles& found) {
        std::vector<std::string> paths, extra, missing;
        for (int row = 0; row < found.Count(); ++row) paths.push_back(found.At(row).Path().substr(lowRoot.size() + 1));
        std::sort(paths.begin(), paths.end());
        std::sort(expected.begin(), expected.end());
        std::set_difference(paths.begin(), paths.end(), expected.begin(), expected.end(), std::back_inserter(extra));
        std::set_difference(expected.begin(), expected.end(), paths.begin(), paths.end(), std::back_inserter(missing));
        EXPECT_EQ(paths.size(), expected.size());
        return std::make_pair(extra, missing);
    };
    using Paths = std::vector<std::string>;

    JunkScan scan(&files, &locale);
    FoundFiles found;
    scan.Start(model->profile);
    scan.WalkNextFolder(found);  // the root: the folders below it wait their turn
    ASSERT_TRUE(::MoveFileA((root + "\\Swap").c_str(), (root + "\\Swapped").c_str()));
    ASSERT_TRUE(testing::MakeLink(root + "\\Swap", outside.Path()));
    while (scan.WalkNextFolder(found)) {
    }
    EXPECT_EQ(differences(found), std::make_pair(Paths{}, Paths{}));
    RemoveLink(root + "\\Swap");

    // Stopped from within the big folder, as Stop Scan stops the window's
    // walk, while the folders after it have been read.
    struct StopAtFirstBreath : ScanListener {
        void OnHits(std::vector<JunkItem>& hits) override { hits.clear(); }
        bool OnBreath() override { return ++breaths, false; }
        int breaths = 0;
    } stopper;
    scan.Start(model->profile);
    while (scan.WalkNextFolder(stopper)) {
    }
    EXPECT_EQ(stopper.breaths, 1);
    expected.push_back("F3\\new.tmp");
    File(expected.back());
    found.Clear();
    scan.Start(model->profile);
    while (scan.WalkNextFolder(found)) {
    }
    expected.push_back("Swapped\\inner.tmp");
    EXPECT_EQ(differences(found), std::make_pair(Paths{}, Paths{}));
}

// Made through the wide interface, so that the names on disk are exactly
// these characters whatever the code page does with them.
void MakeWide(const std::wstring& path) {
    for (size_t slash = path.find(L'\\', 3); slash != std::wstring::npos; slash = path.find(L'\\', slash + 1))
        ::CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, "abc", 3, &written, nullptr);
    ::CloseHandle(file);
}

TEST_F(ScanOnDisk, NamesInAnyScriptAreListedAsNamedAndMatchWithoutCase) {
    // Without the manifest's UTF-8 code page these names come back as '?'.
    ASSERT_EQ(::GetACP(), static_cast<UINT>(CP_UTF8));
    const std::wstring wideRoot(root.begin(), root.end());  // the temporary folder's name is ASCII
    struct Name {
        const wchar_t* wide;
        const char* utf8;
        bool listed;
    } names[] = {
        // Greek folder and file; the filter's small alpha takes a capital alpha too.
        {L"\x03a6\x03ac\x03ba\x03b5\x03bb\x03bf\x03c2\\\x03b1\x03b2.dat",
         "\xce\xa6\xce\xac\xce\xba\xce\xb5\xce\xbb\xce\xbf\xcf\x82\\\xce\xb1\xce\xb2.dat", true},
        {L"\x0391\x0392.dat", "\xce\x91\xce\x92.dat", true},
        {L"\x0392\x0391.dat", "", false},
        // Japanese, with the extension in capitals: A to Z still fold.
        {L"\x30d5\x30a9\x30eb\x30c0\\\x30d5\x30a1\x30a4\x30eb.TMP",
         "\xe3\x83\x95\xe3\x82\xa9\xe3\x83\xab\xe3\x83\x80\\\xe3\x83\x95\xe3\x82\xa1\xe3\x82\xa4\xe3\x83\xab.TMP", true},
        {L"\x6587\x4ef6\x5939\\\x6587\x4ef6.tmp", "\xe6\x96\x87\xe4\xbb\xb6\xe5\xa4\xb9\\\xe6\x96\x87\xe4\xbb\xb6.tmp", true},
        {L"\xd83d\xde00\\\xd83d\xde00.tmp", "\xf0\x9f\x98\x80\\\xf0\x9f\x98\x80.tmp", true},
        {L"\xd83d\xde00\\\x6587\x4ef6.txt", "", false},
    };
    std::vector<std::string> expected;
    for (const Name& name : names) {
        MakeWide(wideRoot + L"\\" + name.wide);
        if (name.listed) expected.push_back(name.utf8);
    }
    AddFilterRow(model->profile.filters, "\xce\xb1*.dat", "", true, FilterType::Include);
    AddLocation(root);
    // Locations are lowered; a letter whose small form takes more bytes
    // (U+023A, two, and U+2C65, three) must not cut the path short.
    EXPECT_EQ(locale.Lower("C:\\\xc8\xba\\X"), "c:\\\xe2\xb1\xa5\\x");
    std::vector<std::string> statusTexts;
    model->controls.SetObserver([&](int id, unsigned changes) {
        if (id == IDC_SCAN_STATUS && (changes & kTextChanged)) statusTexts.push_back(Text(id));
    });
    model->scan.OnStartScan();

    std::vector<std::string> listed = Listed();
    std::sort(listed.begin(), listed.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(listed, expected);
    for (int row = 0; row < model->results.RowCount(); ++row)
        EXPECT_EQ(model->results.CellText(row, 1), Leaf(model->results.CellText(row, 2)));
    EXPECT_EQ(Text(IDC_TOTAL_FILES), "Total Files: 5");
    EXPECT_EQ(Text(IDC_TOTAL_SIZE), "Total Size:  15 Byte(s)");
    // The status line named each folder on the way, as it is spelled.
    const std::string greek = lowRoot + "\\\xce\xa6\xce\xac\xce\xba\xce\xb5\xce\xbb\xce\xbf\xcf\x82";
    const std::string emoji = lowRoot + "\\\xf0\x9f\x98\x80";
    for (const std::string& folder : {greek, emoji})
        EXPECT_NE(std::find(statusTexts.begin(), statusTexts.end(), "Scaning: " + folder), statusTexts.end()) << folder;
}

// Stop Scan arrives as a window message and is handled by the drain after the
// first folder.
LRESULT CALLBACK StopperProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        reinterpret_cast<MainDialogParts*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA))->scan.OnStopScan();
        return 0;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST_F(ScanOnDisk, StopScanPostedDuringTheWalk) {
    File("one.tmp", "12345");
    File("Sub\\two.tmp");
    WNDCLASSA wc = {};
    wc.lpfnWndProc = StopperProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "VelnorScanStopper";
    ::RegisterClassA(&wc);
    HWND stopper = ::CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(stopper, nullptr);
    ::SetWindowLongPtrA(stopper, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(model.get()));
    ::PostMessageA(stopper, WM_APP, 0, 0);

    AddLocation(root);
    model->scan.OnStartScan();
    EXPECT_EQ(Listed(), std::vector<std::string>{"one.tmp"});
    EXPECT_EQ(Text(IDC_TOTAL_FILES), "Total Files: 1");
    EXPECT_EQ(Text(IDC_TOTAL_SIZE), "Total Size:  5 Byte(s)");
    EXPECT_EQ(Text(IDC_SCAN_STATUS), kFinished);
    EXPECT_EQ(model->controls[IDC_START_SCAN].ButtonState(), 1);
    EXPECT_EQ(model->controls[IDC_STOP_SCAN].ButtonState(), 0);
    ::DestroyWindow(stopper);
}

}  // namespace
}  // namespace velnor
