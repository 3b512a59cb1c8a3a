#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>

#include "app/main_dialog_parts.h"
#include "profile/config_file.h"
#include "profile/profile_reader.h"
#include "res/resource.h"
#include "tests/fakes/fake_platform.h"
#include "scan/utf8.h"

namespace velnor {
namespace {

using testing::FakePlatform;
using testing::TestMainDialog;

const char kFolder[] = "C:\\Program Files\\Velnor";
const char kConfig[] = "C:\\Program Files\\Velnor\\config.ini";

std::vector<std::string> Lines(const std::string& raw) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < raw.size()) {
        const size_t end = raw.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(raw.substr(start) + "<no line end>");
            break;
        }
        lines.push_back(raw.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

ScanOptions Flags(std::initializer_list<ScanOptions::Flag> on) {
    ScanOptions options;
    for (ScanOptions::Flag f : on) options[f] = true;
    return options;
}

class ProfileFile : public ::testing::Test {
protected:
    void SetUp() override {
        fakes.files.AddFolder(kFolder);
        fakes.files.drives = {{"C:\\", kDriveFixed, 80ull << 30, 20ull << 30},
                              {"D:\\", kDriveFixed, 10ull << 30, 5ull << 30}};
        fakes.shell.displayNames["C:\\"] = "System (C:)";
        fakes.shell.displayNames["D:\\"] = "Data (D:)";
    }
    TestMainDialog& Start() {
        dialog = std::make_unique<TestMainDialog>(fakes);
        dialog->Start();
        return *dialog;
    }
    std::string Raw() const { return fakes.files.RawText(kConfig); }

    FakePlatform fakes;
    std::unique_ptr<TestMainDialog> dialog;
};

TEST_F(ProfileFile, EachExampleLineAloneLoadsWhatItSays) {
    struct Case {
        const char* line;
        std::function<void(TestMainDialog&)> check;
    } cases[] = {
        {" Filter = <*.tmp|Temp|1|0>",
         [](TestMainDialog& d) {
             ASSERT_EQ(d.lists.filters.RowCount(), 1);
             EXPECT_EQ(d.lists.filters.CellText(0, filter_col::kPattern), "*.tmp");
             EXPECT_EQ(d.lists.filters.CellText(0, filter_col::kDescription), "Temp");
             EXPECT_TRUE(d.lists.filters.IsChecked(0));
             EXPECT_EQ(d.lists.filters.At(0).type, FilterType::Include);
             EXPECT_EQ(d.lists.filters.HeaderCheckImage(), 1);
         }},
        {"filter=<*.tmp|Temp|1|0>", [](TestMainDialog& d) { EXPECT_EQ(d.lists.filters.RowCount(), 0); }},
        {"Option=<system|1>",
         [](TestMainDialog& d) {
             EXPECT_EQ(d.options.Options(), Flags({ScanOptions::kRead, ScanOptions::kSystem, ScanOptions::kHide,
                                           ScanOptions::kRemove, ScanOptions::kClean0}));
         }},
        {"Option=<read|0><read|1>", [](TestMainDialog& d) { EXPECT_TRUE(d.options.OptionOn(ScanOptions::kRead)); }},
        {"Filter=<*.tmp||1|0>",
         [](TestMainDialog& d) {
             ASSERT_EQ(d.lists.filters.RowCount(), 1);
             EXPECT_EQ(d.lists.filters.CellText(0, filter_col::kDescription), "");
             EXPECT_TRUE(d.lists.filters.IsChecked(0));
             EXPECT_EQ(d.lists.filters.RowImage(0), 1);
         }},
        {"Filter=<*.x|a|b|0|1>",
         [](TestMainDialog& d) {
             ASSERT_EQ(d.lists.filters.RowCount(), 1);
             EXPECT_EQ(d.lists.filters.CellText(0, filter_col::kPattern), "*.x");
             EXPECT_EQ(d.lists.filters.CellText(0, filter_col::kDescription), "a|b");
             EXPECT_FALSE(d.lists.filters.IsChecked(0));
             EXPECT_EQ(d.lists.filters.CellText(0, filter_col::kExclude), "Yes");
             EXPECT_EQ(d.lists.filters.HeaderCheckImage(), 2);
         }},
        {"PathExclude=<ab><c><de>",
         [](TestMainDialog& d) {
             ASSERT_EQ(d.lists.exclusions.RowCount(), 1);
             EXPECT_EQ(d.lists.exclusions.CellText(0, exclude_col::kPattern), "ab");
             EXPECT_EQ(d.lists.exclusions.RowImage(0), kExclusionImage);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        fakes.files.SetText(kConfig, std::string(c.line) + "\n");
        TestMainDialog& d = Start();
        c.check(d);
        // Whatever the line, the rest loads nothing and the built-in defaults stay out.
        const std::string line = c.line;
        if (line.find("ilter") == std::string::npos) {
            EXPECT_EQ(d.lists.filters.RowCount(), 0);
        }
        if (line.find("PathExclude") == std::string::npos) {
            EXPECT_EQ(d.lists.exclusions.RowCount(), 0);
        }
        if (line.find("Option") == std::string::npos) {
            EXPECT_EQ(d.options.Options(), ScanOptions::FileDefaults());
        }
        ASSERT_EQ(d.lists.locations.RowCount(), 2);
        EXPECT_TRUE(d.lists.locations.AllChecked());
        EXPECT_EQ(fakes.files.replaceCount, 0);
    }
}

TEST_F(ProfileFile, OnlyTheFirstFilterLineCounts) {
    fakes.files.SetText(kConfig, "Filter=<*.a|A|1|0>\r\nFilter=<*.b|B|1|0><*.c|C|1|0>\r\n");
    Start();
    ASSERT_EQ(dialog->lists.filters.RowCount(), 1);
    EXPECT_EQ(dialog->lists.filters.CellText(0, filter_col::kPattern), "*.a");
}

TEST_F(ProfileFile, SaveWritesTheExampleFileByteForByte) {
    const std::string example =
        "PathDrive=<C:|1><D:|0>\r\n\r\n"
        "PathFolder=<E:\\Downloads\\old|1>\r\n\r\n"
        "PathExclude=<?:\\Program files\\common files><?:\\program files\\Uninstall Information>"
        "<*\\microsoft\\office\\data>\r\n\r\n"
        "Filter=<*.$$$|MS-DOS Temporary Files|1|0><*.@@@|Temporary Files|1|0><wz.pif|PIF Files|1|1>\r\n\r\n"
        "Option=<read|1><system|0><hide|1><zero|0><remove|1><clean0|1><clean1|0><clean2|0><clean3|0>"
        "<clean4|0><clean5|0><clean6|0>\r\n\r\n";

    // Built by hand on an empty but usable file...
    fakes.files.SetText(kConfig, "\n");
    TestMainDialog& d = Start();
    d.lists.locations.SetChecked(1, false);
    d.store.AddLocationRow(2, MakeFolderLocation("E:\\Downloads\\old", true));
    for (const char* e : {"?:\\Program files\\common files", "?:\\program files\\Uninstall Information",
                          "*\\microsoft\\office\\data"})
        AddExclusionRow(d.profile.exclusions, e);
    AddFilterRow(d.profile.filters, "*.$$$", "MS-DOS Temporary Files", true, FilterType::Include);
    AddFilterRow(d.profile.filters, "*.@@@", "Temporary Files", true, FilterType::Include);
    AddFilterRow(d.profile.filters, "wz.pif", "PIF Files", true, FilterType::Exclude);
    d.store.SaveProfile();
    EXPECT_EQ(Raw(), example);

    // ...and as the file itself loads it: Exit writes it back unchanged.
    TestMainDialog& reloaded = Start();
    EXPECT_FALSE(reloaded.lists.locations.IsChecked(1));
    reloaded.OnExitCommand();
    EXPECT_EQ(Raw(), example);
    EXPECT_EQ(reloaded.endDialogCalls, 1);
}

TEST_F(ProfileFile, FirstStartWritesFourLinesAndExitMakesThemFive) {
    ASSERT_FALSE(fakes.files.Exists(kConfig));
    TestMainDialog& d = Start();
    ASSERT_TRUE(fakes.files.Exists(kConfig));
    const std::vector<std::string> lines = Lines(Raw());
    ASSERT_EQ(lines.size(), 4u) << Raw();
    EXPECT_EQ(lines[0], "PathDrive=<C:|1><D:|1>");
    EXPECT_EQ(lines[1], "PathFolder=");
    EXPECT_EQ(lines[2], config_file::ExcludeLine(d.profile.exclusions));
    EXPECT_EQ(lines[3], config_file::FilterLine(d.profile.filters));
    EXPECT_EQ(d.lists.locations.RowCount(), 2);
    EXPECT_TRUE(d.lists.locations.AllChecked());
    // No Option line: the defaults for absent tokens, the removal pair showing the bin.
    EXPECT_EQ(d.options.Options(), ScanOptions::FileDefaults());
    EXPECT_EQ(d.Ctl(IDC_RECYCLE_MODE).ButtonState(), 1);
    EXPECT_EQ(d.Ctl(IDC_PERMANENT_MODE).ButtonState(), 0);

    d.OnExitCommand();
    const std::vector<std::string> saved = Lines(Raw());
    ASSERT_EQ(saved.size(), 10u) << Raw();
    const char* keys[] = {"PathDrive=", "PathFolder=", "PathExclude=", "Filter=", "Option="};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(saved[2 * i].rfind(keys[i], 0), 0u) << saved[2 * i];
        EXPECT_EQ(saved[2 * i + 1], "");
    }
    EXPECT_EQ(saved[8], "Option=<read|1><system|0><hide|1><zero|0><remove|1><clean0|1><clean1|0><clean2|0>"
                        "<clean3|0><clean4|0><clean5|0><clean6|0>");
}

TEST_F(ProfileFile, AFileThatCannotBeWrittenCountsAsMissingAndIsNeverTouched) {
    const std::string text = "PathDrive=<C:|0>\nPathExclude=<ab>\nFilter=<*.a|A|1|0>\nOption=<system|1>\n";
    for (const bool locked : {false, true}) {
        SCOPED_TRACE(locked ? "locked" : "read-only");
        fakes.files.SetText(kConfig, text);
        if (locked)
            fakes.files.SetLocked(kConfig, true);
        else
            fakes.files.SetAttributes(kConfig, kAttrReadOnly);
        const std::string before = Raw();
        TestMainDialog& d = Start();
        EXPECT_TRUE(d.lists.locations.AllChecked());
        EXPECT_EQ(d.lists.filters.RowCount(), 0);
        EXPECT_EQ(d.lists.exclusions.RowCount(), 0);
        EXPECT_EQ(d.lists.filters.HeaderCheckImage(), 1);
        EXPECT_EQ(d.options.Options(), ScanOptions::CreationStates());
        d.store.SaveProfile();
        d.OnExitCommand();
        EXPECT_EQ(Raw(), before);
        EXPECT_EQ(fakes.files.replaceCount, 0);
        fakes.files.Remove(kConfig);
    }
}

TEST_F(ProfileFile, WithoutAFolderToCreateTheFileInTheDefaultsStayOut) {
    fakes.files.Remove(kFolder);
    TestMainDialog& d = Start();
    EXPECT_FALSE(fakes.files.Exists(kConfig));
    EXPECT_EQ(d.lists.filters.RowCount(), 0);
    EXPECT_EQ(d.lists.exclusions.RowCount(), 0);
    EXPECT_EQ(d.lists.filters.HeaderCheckImage(), 1);
    EXPECT_EQ(d.options.Options(), ScanOptions::CreationStates());
}

TEST_F(ProfileFile, ADriveWithoutItsBracketedLetterIsSavedAsADrive) {
    fakes.shell.displayNames.erase("D:\\");
    fakes.files.SetText(kConfig, "PathDrive=<D:|0>\n");
    Start().store.SaveProfile();
    EXPECT_EQ(Lines(Raw())[0], "PathDrive=<C:|1><D:|0>");
    EXPECT_EQ(Lines(Raw())[2], "PathFolder=");
    TestMainDialog& next = Start();
    ASSERT_EQ(next.lists.locations.RowCount(), 2);
    EXPECT_EQ(next.lists.locations.CellText(1, location_col::kPath), "D:\\");
    EXPECT_FALSE(next.lists.locations.IsChecked(1));
}

TEST_F(ProfileFile, OverlongEntriesInTheFileLeaveTheirNeighboursIntact) {
    const std::string longPath = "C:\\" + std::string(1200, 'x');
    const std::string longPattern(1200, 'y');
    fakes.files.SetText(kConfig, "PathFolder=<C:\\One|1><" + longPath + "|0><C:\\Two|1>\nFilter=<*.a|A|1|0><" +
                                     longPattern + "|B|0|0><*.b|B|1|1>\n");
    TestMainDialog& d = Start();
    ASSERT_EQ(d.lists.locations.RowCount(), 4);
    EXPECT_EQ(d.lists.locations.CellText(2, location_col::kPath), "C:\\One");
    EXPECT_EQ(d.lists.locations.CellText(3, location_col::kPath), "C:\\Two");
    EXPECT_EQ(d.lists.locations.HeaderCheckImage(), 1);
    ASSERT_EQ(d.lists.filters.RowCount(), 2);
    EXPECT_EQ(d.lists.filters.CellText(1, filter_col::kPattern), "*.b");
}

// The fake locale's legacy code page is Windows-1252.
TEST_F(ProfileFile, AFileOfTheOldProgramLoadsInItsCodePageAndIsSavedBackInUtf8) {
    const std::string donnees = "C:\\Donn\xC3\xA9" "es";
    struct Case {
        std::string bytes;
        std::vector<std::string> folders;
        std::vector<std::string> descriptions;
        bool utf8Process = true;
    } cases[] = {
        {"PathFolder=<C:\\Donn\xE9" "es|1>\nFilter=<*.bak|Copie \x80|1|0>\n", {donnees},
         {"Copie \xE2\x82\xAC"}},
        {"PathFolder=<" + donnees + "|1>\nFilter=<*.bak|Copie \xE2\x82\xAC|1|0>\n", {donnees},
         {"Copie \xE2\x82\xAC"}},
        {"\xEF\xBB\xBFPathFolder=<" + donnees + "|1>\n", {donnees}, {}},
        // Valid UTF-8 in one line and a stray byte in the next: the file is the
        // old program's, and no entry runs into the one beside it.
        {"PathFolder=<" + donnees + "|1><C:\\B|0>\nFilter=<*.\xE9|\xE9|1|0><*.b||1|0>\n",
         {"C:\\Donn\xC3\x83\xC2\xA9" "es", "C:\\B"}, {"\xC3\xA9", ""}},
        {"\xEF\xBB\xBF", {}, {}},
        // Where Windows ignores the manifest the program speaks the legacy code
        // page itself: the file's bytes are taken as they are, as always.
        {"PathFolder=<C:\\Donn\xE9" "es|1>\n", {"C:\\Donn\xE9" "es"}, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.bytes));
        fakes.files.SetText(kConfig, c.bytes);
        fakes.locale.utf8 = c.utf8Process;
        TestMainDialog& d = Start();
        std::vector<std::string> folders, descriptions;
        for (int i = 2; i < d.lists.locations.RowCount(); ++i)
            folders.push_back(d.lists.locations.CellText(i, location_col::kPath));
        for (int i = 0; i < d.lists.filters.RowCount(); ++i)
            descriptions.push_back(d.lists.filters.CellText(i, filter_col::kDescription));
        EXPECT_EQ(folders, c.folders);
        EXPECT_EQ(descriptions, c.descriptions);
        d.store.SaveProfile();
        EXPECT_EQ(IsValidUtf8(Raw()), c.utf8Process);
        if (!c.folders.empty()) EXPECT_NE(Raw().find("PathFolder=<" + c.folders[0] + "|1>"), std::string::npos);
    }
}

// Random files, weighted towards the characters that matter to the loaders.
// Nothing may crash or overflow (the suite runs under AddressSanitizer), and
// what one start loads must come back unchanged from the file it saves.
TEST_F(ProfileFile, RandomFilesLoadSafelyAndSurviveASaveAndReload) {
    std::mt19937 random(20240611);
    const std::string pieces[] = {"<", ">", "|", "=", "\n", "\r\n", " ", "0", "1", "|1>", "|0>", "||1|0>",
                                  "C:", "\\", "a", "xyz", "PathDrive=", "PathFolder=", "PathExclude=",
                                  "Filter=", "Option=", "<read|0>", "<clean3|1>", "(D:)", ":)"};
    auto columns = [](const auto& list, int column) {
        std::vector<std::string> cells;
        for (int i = 0; i < list.RowCount(); ++i) cells.push_back(RecordCell(list.At(i), column));
        return cells;
    };
    auto checks = [](const auto& list) {
        std::vector<bool> checked;
        for (int i = 0; i < list.RowCount(); ++i) checked.push_back(RecordChecked(list.At(i)));
        return checked;
    };
    for (int round = 0; round < 600; ++round) {
        std::string text;
        const int count = std::uniform_int_distribution<int>(0, 120)(random);
        for (int i = 0; i < count; ++i) {
            const int pick = std::uniform_int_distribution<int>(0, 40)(random);
            if (pick < static_cast<int>(std::size(pieces)))
                text += pieces[pick];
            else if (pick == 40)
                text += std::string(std::uniform_int_distribution<int>(990, 1010)(random), 'L');
            else
                text.push_back(static_cast<char>(std::uniform_int_distribution<int>(1, 255)(random)));
        }
        SCOPED_TRACE(round);
        fakes.files.SetText(kConfig, text);
        TestMainDialog first(fakes);
        first.Start();
        for (int i = 0; i < first.lists.filters.RowCount(); ++i) {
            const std::string& pattern = first.lists.filters.CellText(i, filter_col::kPattern);
            EXPECT_FALSE(pattern.empty());
            EXPECT_EQ(pattern.find_first_of("|>"), std::string::npos);
            EXPECT_LE(pattern.size() + first.lists.filters.CellText(i, filter_col::kDescription).size() + 5,
                      kMaxEntryChars);
        }
        bool folderLooksLikeDrive = false;
        for (int i = 2; i < first.profile.locations.RowCount(); ++i)
            folderLooksLikeDrive |= first.profile.locations.At(i).kind == LocationKind::Drive;
        const ScanProfile& a = first.profile;
        auto expectSame = [&](const ScanProfile& b, bool withLocations) {
            EXPECT_EQ(columns(b.filters, filter_col::kPattern), columns(a.filters, filter_col::kPattern));
            EXPECT_EQ(columns(b.filters, filter_col::kDescription), columns(a.filters, filter_col::kDescription));
            EXPECT_EQ(columns(b.filters, filter_col::kExclude), columns(a.filters, filter_col::kExclude));
            EXPECT_EQ(checks(b.filters), checks(a.filters));
            EXPECT_EQ(columns(b.exclusions, exclude_col::kPattern), columns(a.exclusions, exclude_col::kPattern));
            if (withLocations) {
                EXPECT_EQ(columns(b.locations, location_col::kPath), columns(a.locations, location_col::kPath));
                EXPECT_EQ(checks(b.locations), checks(a.locations));
            }
            EXPECT_EQ(b.options, first.options.Options());
        };
        // The command line reads the same file into the same profile, without
        // any window.
        ScanProfile read;
        ReadProfile(ProfileFileText(*fakes.files.ReadTextFile(kConfig), &fakes.locale), fakes.Services(), read);
        expectSame(read, true);
        first.store.SaveProfile();
        EXPECT_TRUE(IsValidUtf8(Raw()));

        TestMainDialog second(fakes);
        second.Start();
        expectSame(second.profile, !folderLooksLikeDrive);
        if (::testing::Test::HasFailure()) {
            ADD_FAILURE() << "file: " << ::testing::PrintToString(text);
            break;
        }
    }
}

}  // namespace
}  // namespace velnor
