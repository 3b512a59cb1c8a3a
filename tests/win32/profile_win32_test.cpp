#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/main_dialog_parts.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/win32_platform.h"
#include "tests/win32/support/win_test_support.h"

namespace velnor {
namespace {

using testing::ProgramInFolder;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = data.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
    return names;
}

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    EXPECT_EQ(start, bytes.size()) << "the file ends in CR LF";
    return lines;
}

uint64_t LastWrite(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    ::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

std::vector<std::string> FixedRoots() {
    char buffer[128] = {};
    ::GetLogicalDriveStringsA(sizeof buffer, buffer);
    std::vector<std::string> roots;
    for (const char* p = buffer; *p; p += std::strlen(p) + 1)
        if (::GetDriveTypeA(p) == DRIVE_FIXED) roots.emplace_back(p);
    return roots;
}

class ProfileOnDisk : public ::testing::Test {
protected:
    ProfileOnDisk() : files(dir.Path()) {
        services.files = &files;
        services.shell = &shell;
        services.locale = &locale;
        services.pump = &pump;
    }
    ~ProfileOnDisk() override { ::SetFileAttributesA(Config().c_str(), FILE_ATTRIBUTE_NORMAL); }

    // A new start of the program: the window's initialisation, profile loading included.
    std::unique_ptr<MainDialogParts> Start() {
        auto model = std::make_unique<MainDialogParts>(services);
        model->InitializeState();
        model->LayoutControls();
        model->LoadProfileAndLists();
        return model;
    }
    std::string Config() const { return dir / "config.ini"; }

    TempDir dir;
    ProgramInFolder files;
    Win32Shell shell;
    Win32Locale locale;
    Win32MessagePump pump;
    Platform services;
};

TEST_F(ProfileOnDisk, FirstStartWritesFourLinesAndASaveFiveWithEmptyLinesBetween) {
    auto first = Start();
    EXPECT_EQ(first->store.ProfilePath(), Config());
    const std::vector<std::string> roots = FixedRoots();
    ASSERT_FALSE(roots.empty());

    std::vector<std::string> lines = Lines(ReadBytes(Config()));
    ASSERT_EQ(lines.size(), 4u);
    std::string drives = "PathDrive=";
    for (const std::string& root : roots) drives += "<" + root.substr(0, 2) + "|1>";
    EXPECT_EQ(lines[0], drives);
    EXPECT_EQ(lines[1], "PathFolder=");
    EXPECT_EQ(lines[2].rfind("PathExclude=<?:\\Program files\\common files><?:\\program files\\Uninstall Information>", 0), 0u);
    EXPECT_EQ(lines[2].substr(lines[2].size() - 25), "<*\\microsoft\\office\\data>");
    EXPECT_EQ(lines[3].rfind("Filter=<*.$$$|MS-DOS Temporary Files|1|0><*.@@@|Temporary Files|1|0>", 0), 0u);
    EXPECT_EQ(lines[3].substr(lines[3].size() - 22), "<wz.pif|PIF Files|1|1>");
    EXPECT_EQ(first->lists.filters.RowCount(), 84);
    EXPECT_EQ(first->lists.exclusions.RowCount(), 31);
    EXPECT_EQ(first->options.Options(), ScanOptions::FileDefaults());
    EXPECT_EQ(first->lists.locations.RowCount(), static_cast<int>(roots.size()));

    // Exit with nothing changed: five lines, each followed by an empty one.
    first->OnExitCommand();
    lines = Lines(ReadBytes(Config()));
    ASSERT_EQ(lines.size(), 10u);
    for (size_t i = 1; i < lines.size(); i += 2) EXPECT_EQ(lines[i], "") << i;
    EXPECT_EQ(lines[0], drives);
    EXPECT_EQ(lines[2], "PathFolder=");
    EXPECT_EQ(lines[8],
              "Option=<read|1><system|0><hide|1><zero|0><remove|1><clean0|1><clean1|0><clean2|0><clean3|0><clean4|0>"
              "<clean5|0><clean6|0>");
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"config.ini"});
}

TEST_F(ProfileOnDisk, WhatIsSavedComesBackOnTheNextStart) {
    auto first = Start();
    auto& locations = first->lists.locations;
    ASSERT_GT(locations.RowCount(), 0);
    locations.SetChecked(0, false);
    // A folder entry of exactly the longest length the file allows (path plus
    // "|0" is 999 characters), and a filter entry one character too long,
    // between ordinary neighbours.
    const std::string longFolder = dir.Path() + "\\" + std::string(997 - dir.Path().size() - 1, 'f');
    first->store.AddLocationRow(locations.RowCount(), MakeFolderLocation(dir / "Old Stuff", true));
    first->store.AddLocationRow(locations.RowCount(), MakeFolderLocation(longFolder, false));
    first->lists.filters.SetChecked(0, false);
    AddFilterRow(first->profile.filters, std::string(1000 - 5, 'p'), "", true, FilterType::Include);
    AddFilterRow(first->profile.filters, "*.velnor", "Test | Files", true, FilterType::Exclude);
    AddExclusionRow(first->profile.exclusions, "?:\\keep out");
    first->options.SetOption(ScanOptions::kSystem, true);
    first->options.SetOption(ScanOptions::kHide, false);
    first->options.SetOption(ScanOptions::kRemove, false);
    first->options.SetOption(ScanOptions::kClean5, true);
    first->store.SaveProfile();
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"config.ini"});

    auto second = Start();
    const auto& again = second->lists.locations;
    ASSERT_EQ(again.RowCount(), locations.RowCount());
    for (int row = 0; row < again.RowCount(); ++row) {
        EXPECT_EQ(again.CellText(row, location_col::kPath), locations.CellText(row, location_col::kPath)) << row;
        EXPECT_EQ(again.IsChecked(row), locations.IsChecked(row)) << row;
    }
    EXPECT_EQ(again.CellText(again.RowCount() - 1, location_col::kPath), longFolder);

    const auto& filters = second->lists.filters;
    ASSERT_EQ(filters.RowCount(), 85);  // the overlong one stays out
    for (int row = 0; row < 84; ++row) {
        for (int column = filter_col::kPattern; column <= filter_col::kExclude; ++column)
            EXPECT_EQ(filters.CellText(row, column), first->lists.filters.CellText(row, column))
                << row << "," << column;
        EXPECT_EQ(filters.IsChecked(row), first->lists.filters.IsChecked(row)) << row;
    }
    EXPECT_EQ(filters.CellText(84, filter_col::kPattern), "*.velnor");
    EXPECT_EQ(filters.CellText(84, filter_col::kDescription), "Test | Files");
    EXPECT_EQ(filters.At(84).type, FilterType::Exclude);

    ASSERT_EQ(second->lists.exclusions.RowCount(), 32);
    EXPECT_EQ(second->lists.exclusions.CellText(31, exclude_col::kPattern), "?:\\keep out");
    EXPECT_EQ(second->options.Options(), first->options.Options());
    EXPECT_TRUE(second->options.OptionOn(ScanOptions::kClean5));
    EXPECT_FALSE(second->options.OptionOn(ScanOptions::kRemove));

    // Saving what was loaded writes the same bytes again.
    const std::string saved = ReadBytes(Config());
    second->store.SaveProfile();
    std::string expected = saved;
    const std::string overlong = "<" + std::string(995, 'p') + "||1|0>";
    expected.erase(expected.find(overlong), overlong.size());
    EXPECT_EQ(ReadBytes(Config()), expected);
}

// Wine's default locale is English (United States), whose legacy code page is
// Windows-1252: the one a profile of the program before UTF-8 is written in.
TEST_F(ProfileOnDisk, AProfileOfTheOldProgramLoadsInTheSystemCodePageAndIsSavedInUtf8) {
    EXPECT_EQ(locale.LegacyAnsiToUtf8("<\x80\x9F\xFF>"), "<\xE2\x82\xAC\xC5\xB8\xC3\xBF>");
    EXPECT_EQ(locale.LegacyAnsiToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));

    ASSERT_TRUE(locale.UsesUtf8());
    WriteBytes(Config(), "PathFolder=<C:\\Donn\xE9" "es|1>\r\nFilter=<*.bak|Copie \x80|1|0>\r\n");
    auto model = Start();
    const auto& locations = model->lists.locations;
    ASSERT_GT(locations.RowCount(), 0);
    EXPECT_EQ(locations.CellText(locations.RowCount() - 1, location_col::kPath), "C:\\Donn\xC3\xA9" "es");
    ASSERT_EQ(model->lists.filters.RowCount(), 1);
    EXPECT_EQ(model->lists.filters.CellText(0, filter_col::kDescription), "Copie \xE2\x82\xAC");
    model->store.SaveProfile();
    const std::vector<std::string> lines = Lines(ReadBytes(Config()));
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[2], "PathFolder=<C:\\Donn\xC3\xA9" "es|1>");
    EXPECT_EQ(lines[6], "Filter=<*.bak|Copie \xE2\x82\xAC|1|0>");
}

TEST_F(ProfileOnDisk, AReadOnlyProfileCountsAsMissingAndIsNeverRewritten) {
    const std::string text = "PathDrive=<C:|0>\nFilter=<*.tmp|Temp|1|0>\nPathExclude=<?:\\x>\n";
    WriteBytes(Config(), text);
    ASSERT_TRUE(::SetFileAttributesA(Config().c_str(), FILE_ATTRIBUTE_READONLY));
    const uint64_t written = LastWrite(Config());

    auto model = Start();
    EXPECT_FALSE(model->store.ProfileFileUsable());
    EXPECT_EQ(model->lists.filters.RowCount(), 0);
    EXPECT_EQ(model->lists.exclusions.RowCount(), 0);
    EXPECT_EQ(model->options.Options(), ScanOptions::CreationStates());
    for (int row = 0; row < model->lists.locations.RowCount(); ++row)
        EXPECT_TRUE(model->lists.locations.IsChecked(row)) << row;

    model->store.SaveProfile();
    model->OnExitCommand();
    EXPECT_EQ(ReadBytes(Config()), text);
    EXPECT_EQ(LastWrite(Config()), written);
    EXPECT_TRUE(::GetFileAttributesA(Config().c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"config.ini"});
}

TEST_F(ProfileOnDisk, AProfileOpenInAnotherProgramIsLeftAsItIs) {
    const std::string text = "Filter=<*.tmp|Temp|1|0>\n";
    // Held without sharing, and held by a reader that lets others read only.
    for (DWORD share : {0ul, static_cast<unsigned long>(FILE_SHARE_READ)}) {
        WriteBytes(Config(), text);
        HANDLE held = ::CreateFileA(Config().c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        auto model = Start();
        EXPECT_FALSE(model->store.ProfileFileUsable()) << share;
        EXPECT_EQ(model->lists.filters.RowCount(), 0) << share;
        model->store.SaveProfile();
        ::CloseHandle(held);
        EXPECT_EQ(ReadBytes(Config()), text) << share;
        EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"config.ini"}) << share;
    }
}

TEST_F(ProfileOnDisk, ASaveReplacesAnOldProfileWhole) {
    // A long old file, then a save of a shorter profile: nothing of the old
    // text survives past the new end.
    std::string old = "Filter=<*.tmp|Temp|1|0>\nPathExclude=";
    for (int i = 0; i < 500; ++i) old += "<?:\\folder number " + std::to_string(i) + ">";
    old += "\n";
    WriteBytes(Config(), old);
    auto model = Start();
    ASSERT_EQ(model->lists.exclusions.RowCount(), 500);
    model->profile.exclusions.DeleteAllRows();
    model->store.SaveProfile();
    const std::vector<std::string> lines = Lines(ReadBytes(Config()));
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[4], "PathExclude=");
    EXPECT_EQ(lines[6], "Filter=<*.tmp|Temp|1|0>");
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"config.ini"});
}

TEST_F(ProfileOnDisk, TheDriveListShowsTheFixedDrivesOfThisMachine) {
    auto model = Start();
    const std::vector<std::string> roots = FixedRoots();
    const auto& list = model->lists.locations;
    ASSERT_EQ(list.RowCount(), static_cast<int>(roots.size()));
    for (int row = 0; row < list.RowCount(); ++row) {
        const std::string& root = roots[row];
        SHFILEINFOA info = {};
        ASSERT_TRUE(::SHGetFileInfoA(root.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME)) << root;
        EXPECT_EQ(list.CellText(row, location_col::kPath), info.szDisplayName) << root;
        EXPECT_EQ(list.At(row).kind, LocationKind::Drive) << info.szDisplayName;
        EXPECT_EQ(list.At(row).drive, root.substr(0, 2));
        EXPECT_TRUE(list.IsChecked(row));
        EXPECT_EQ(list.RowImage(row), kDriveImage);

        ULARGE_INTEGER available, total, free;
        ASSERT_TRUE(::GetDiskFreeSpaceExA(root.c_str(), &available, &total, &free));
        char capacity[64];
        std::snprintf(capacity, sizeof capacity, "%.2f", static_cast<double>(total.QuadPart / 1024) / 1024);
        EXPECT_EQ(list.CellText(row, location_col::kCapacity), capacity) << root;
        // Free space moves while other programs write; the text is the
        // megabytes with two decimals, near what the drive reports now.
        const std::string freeText = list.CellText(row, location_col::kFree);
        ASSERT_EQ(freeText.find('.'), freeText.size() - 3) << freeText;
        const double shown = std::atof(freeText.c_str());
        const double now = static_cast<double>(free.QuadPart / 1024) / 1024;
        EXPECT_NEAR(shown, now, 1024 + now / 100) << root;
    }
}

}  // namespace
}  // namespace velnor
