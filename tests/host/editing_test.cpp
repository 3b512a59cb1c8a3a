#include <gtest/gtest.h>

#include <memory>

#include "app/main_dialog_parts.h"
#include "profile/config_file.h"
#include "res/resource.h"
#include "tests/fakes/fake_platform.h"

namespace velnor {
namespace {

using testing::FakePlatform;
using testing::TestMainDialog;

const char kConfigPath[] = "C:\\Program Files\\Velnor\\config.ini";

// A profile with two filters (the second unchecked) and two exclusions.
const char kProfile[] =
    "PathDrive=<C:|1>\n\n"
    "PathFolder=<C:\\Work|1>\n\n"
    "PathExclude=<?:\\games><?:\\recycled>\n\n"
    "Filter=<*.tmp|Temporary Files|1|0><*.old|Old Files|0|1>\n\n"
    "Option=<read|1><system|0><hide|1><zero|0><remove|1><clean0|1><clean1|0><clean2|0><clean3|0><clean4|0>"
    "<clean5|0><clean6|0>\n\n";

std::vector<std::string> Column(const CheckListModel& list, int column) {
    std::vector<std::string> cells;
    for (int row = 0; row < list.RowCount(); ++row) cells.push_back(list.CellText(row, column));
    return cells;
}

class Editing : public ::testing::Test {
protected:
    void SetUp() override {
        fakes.files.AddFolder("C:\\Program Files\\Velnor");
        fakes.files.SetText(kConfigPath, kProfile);
        dialog = std::make_unique<TestMainDialog>(fakes);
        dialog->Start();
        ASSERT_EQ(dialog->lists.filters.RowCount(), 2);
        ASSERT_EQ(dialog->lists.exclusions.RowCount(), 2);
        dialog->filterDialog = [this](FilterDialogValues& values) {
            ++filterRuns;
            handedIn = values;
            values = typed;
        };
        dialog->excludeDialog = [this](std::string& value) {
            ++excludeRuns;
            excludeHandedIn = value;
            value = typedPath;
        };
        saves = fakes.files.replaceCount;
    }

    void OnPage(int page) { dialog->state.currentPage = page; }
    void TypeFilter(const std::string& pattern, const std::string& description = "",
                    FilterType type = FilterType::Include) {
        typed = FilterDialogValues{pattern, description, type};
    }
    int NewSaves() const { return fakes.files.replaceCount - saves; }

    // What a fresh start makes of the file on disk must be the lists as they are now.
    void ExpectFileHoldsTheLists() {
        TestMainDialog reloaded(fakes);
        reloaded.Start();
        const auto& now = dialog->lists.filters;
        const auto& loaded = reloaded.lists.filters;
        EXPECT_EQ(Column(loaded, filter_col::kPattern), Column(now, filter_col::kPattern));
        EXPECT_EQ(Column(loaded, filter_col::kDescription), Column(now, filter_col::kDescription));
        EXPECT_EQ(Column(loaded, filter_col::kExclude), Column(now, filter_col::kExclude));
        for (int row = 0; row < std::min(now.RowCount(), loaded.RowCount()); ++row)
            EXPECT_EQ(loaded.IsChecked(row), now.IsChecked(row)) << row;
        EXPECT_EQ(Column(reloaded.lists.exclusions, exclude_col::kPattern),
                  Column(dialog->lists.exclusions, exclude_col::kPattern));
    }

    FakePlatform fakes;
    std::unique_ptr<TestMainDialog> dialog;
    FilterDialogValues typed;
    std::string typedPath;
    FilterDialogValues handedIn;
    std::string excludeHandedIn;
    int filterRuns = 0, excludeRuns = 0, saves = 0;
};

TEST_F(Editing, AddFilterTakesThePatternOutOfItsFieldMarksAndSaves) {
    OnPage(kPageFilters);
    TypeFilter("<*.log>", "a>b", FilterType::Exclude);
    dialog->listPages.OnAddEntry();
    const auto& filters = dialog->lists.filters;
    ASSERT_EQ(filters.RowCount(), 3);
    EXPECT_EQ(filters.CellText(2, filter_col::kPattern), "*.log");
    EXPECT_EQ(filters.CellText(2, filter_col::kDescription), "ab");
    EXPECT_EQ(filters.CellText(2, filter_col::kExclude), "Yes");
    EXPECT_TRUE(filters.IsChecked(2));
    EXPECT_EQ(NewSaves(), 1);
    const std::string file = fakes.files.Find(kConfigPath)->content;
    EXPECT_NE(config_file::FindValue(file, "Filter").find("<*.log|ab|1|1>"), std::string::npos);
    ExpectFileHoldsTheLists();
}

TEST_F(Editing, AddFilterHandsTheDialogABlankIncludeArea) {
    OnPage(kPageFilters);
    TypeFilter("  *.bak ");
    dialog->listPages.OnAddEntry();
    EXPECT_EQ(filterRuns, 1);
    EXPECT_EQ(handedIn.pattern, "");
    EXPECT_EQ(handedIn.description, "");
    EXPECT_EQ(handedIn.type, FilterType::Include);
    // Blanks around a pattern are the user's; the dialog already refused an all-blank one.
    EXPECT_EQ(dialog->lists.filters.CellText(2, filter_col::kPattern), "  *.bak ");
}

TEST_F(Editing, AddRefusesEmptyPatternsAndDuplicatesWithoutSaving) {
    struct Case {
        int page;
        const char* text;
    } cases[] = {
        {kPageFilters, ""},           // cancelled: the area stays as it was handed in
        {kPageFilters, "<>|"},        // only the removed characters
        {kPageFilters, "||"},
        {kPageFilters, "*.TMP"},      // duplicates ignore letter case for filters
        {kPageFilters, "<*.Old>"},
        {kPageExceptions, ""},
        {kPageExceptions, "|"},
        {kPageExceptions, "<|>"},
        {kPageExceptions, "?:\\games"},  // an exact duplicate
        {kPageExceptions, "<?:\\recycled>"},
    };
    for (const Case& c : cases) {
        OnPage(c.page);
        TypeFilter(c.text);
        typedPath = c.text;
        dialog->listPages.OnAddEntry();
        EXPECT_EQ(dialog->lists.filters.RowCount(), 2) << c.text;
        EXPECT_EQ(dialog->lists.exclusions.RowCount(), 2) << c.text;
        EXPECT_EQ(NewSaves(), 0) << c.text;
    }
}

TEST_F(Editing, AddExclusionComparesWithLetterCase) {
    OnPage(kPageExceptions);
    typedPath = "?:\\Games";
    dialog->listPages.OnAddEntry();
    EXPECT_EQ(excludeHandedIn, "");
    const auto& exclusions = dialog->lists.exclusions;
    ASSERT_EQ(exclusions.RowCount(), 3);
    EXPECT_EQ(exclusions.CellText(2, exclude_col::kPattern), "?:\\Games");
    EXPECT_EQ(exclusions.RowImage(2), kExclusionImage);
    EXPECT_EQ(NewSaves(), 1);
    ExpectFileHoldsTheLists();
}

// A filter the page accepts loads again: the file keeps entries of at most 999
// characters, and "<pattern|description|1|0>" spends five on its marks.
TEST_F(Editing, AddKeepsWhatTheFileLoadsAgain) {
    std::string accents;
    for (int i = 0; i < 300; ++i) accents += "\xC3\xA9";  // e acute, two bytes each
    const struct Case {
        std::string pattern, description;
        size_t patternKept, descriptionKept;
    } cases[] = {
        {std::string(1200, 'f'), std::string(1000, 'd'), 994, 0},  // the description gives way first
        {std::string(500, 'p'), std::string(700, 'd'), 500, 494},
        {std::string(494, 'q'), std::string(500, 'd'), 494, 500},  // exactly at the limit: whole
        {std::string(495, 'r'), std::string(500, 'd'), 495, 499},
        {std::string(495, 's'), accents, 495, 498},  // never half a character
    };
    OnPage(kPageFilters);
    const auto& filters = dialog->lists.filters;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pattern.substr(0, 1));
        TypeFilter(c.pattern, c.description);
        dialog->listPages.OnAddEntry();
        const int row = filters.RowCount() - 1;
        EXPECT_EQ(filters.CellText(row, filter_col::kPattern).size(), c.patternKept);
        EXPECT_EQ(filters.CellText(row, filter_col::kDescription).size(), c.descriptionKept);
    }
    EXPECT_EQ(filters.RowCount(), 2 + 5);
    ExpectFileHoldsTheLists();

    OnPage(kPageExceptions);
    typedPath = std::string(kMaxEntryChars + 5, 'x');
    dialog->listPages.OnAddEntry();
    EXPECT_EQ(dialog->lists.exclusions.CellText(2, exclude_col::kPattern).size(), kMaxEntryChars);
    ExpectFileHoldsTheLists();
}

TEST_F(Editing, RemovingTheOnlyUncheckedFilterPutsTheHeaderBackToAllChecked) {
    OnPage(kPageFilters);
    auto& filters = dialog->lists.filters;
    ASSERT_EQ(filters.HeaderCheckImage(), 2);
    filters.SetSelected(1, true);
    dialog->listPages.OnRemoveEntry();
    ASSERT_EQ(filters.RowCount(), 1);
    EXPECT_EQ(filters.CellText(0, filter_col::kPattern), "*.tmp");
    EXPECT_EQ(filters.HeaderCheckImage(), 1);
    EXPECT_EQ(NewSaves(), 1);
    ExpectFileHoldsTheLists();

    // The last row gone: nothing is unchecked, so image 1 again.
    filters.SetChecked(0, false);
    filters.SetSelected(0, true);
    dialog->listPages.OnRemoveEntry();
    EXPECT_EQ(filters.RowCount(), 0);
    EXPECT_EQ(filters.HeaderCheckImage(), 1);
}

TEST_F(Editing, RemovingACheckedFilterWhileAnotherIsUncheckedShowsTheMixedHeader) {
    OnPage(kPageFilters);
    auto& filters = dialog->lists.filters;
    AddFilterRow(dialog->profile.filters, "*.bak", "", true, FilterType::Include);
    filters.SetHeaderCheckImage(1);
    filters.SetSelected(0, true);
    dialog->listPages.OnRemoveEntry();
    EXPECT_EQ(filters.HeaderCheckImage(), 2);
}

TEST_F(Editing, RemoveDeletesTheSelectedExclusion) {
    OnPage(kPageExceptions);
    dialog->lists.exclusions.SetSelected(0, true);
    dialog->listPages.OnRemoveEntry();
    EXPECT_EQ(Column(dialog->lists.exclusions, exclude_col::kPattern), std::vector<std::string>{"?:\\recycled"});
    EXPECT_EQ(NewSaves(), 1);
    ExpectFileHoldsTheLists();
}

TEST_F(Editing, RemoveWithNothingSelectedLeavesTheFileUntouched) {
    for (int page : {kPageFilters, kPageExceptions, kPagePath}) {
        OnPage(page);
        dialog->listPages.OnRemoveEntry();
    }
    EXPECT_EQ(dialog->lists.filters.RowCount(), 2);
    EXPECT_EQ(dialog->lists.exclusions.RowCount(), 2);
    EXPECT_EQ(NewSaves(), 0);
    EXPECT_EQ(fakes.files.Find(kConfigPath)->content, kProfile);
}

TEST_F(Editing, ButtonsOffTheEditingPagesDoNothing) {
    const auto locationsBefore = dialog->profile.locations;
    for (int page : {kPageAbout, kPageOptions, kPageScan, kPageClean}) {
        OnPage(page);
        dialog->lists.filters.SetSelected(0, true);
        dialog->lists.exclusions.SetSelected(0, true);
        dialog->listPages.OnAddEntry();
        dialog->listPages.OnRemoveEntry();
        dialog->listPages.OnRestoreDefaults();
    }
    EXPECT_EQ(filterRuns + excludeRuns, 0);
    EXPECT_EQ(dialog->lists.filters.RowCount(), 2);
    EXPECT_EQ(dialog->lists.exclusions.RowCount(), 2);
    EXPECT_EQ(dialog->lists.locations.RowCount(), locationsBefore.RowCount());
    EXPECT_EQ(NewSaves(), 0);
}

TEST_F(Editing, EachButtonComesBackToItsNormalPicture) {
    OnPage(kPageOptions);
    for (int id : {IDC_ADD, IDC_REMOVE, IDC_DEFAULT}) {
        Control button = dialog->Ctl(id);
        button.SetStateAndPicture(2);  // left in hover when the dialog or the work took over
        if (id == IDC_ADD) dialog->listPages.OnAddEntry();
        if (id == IDC_REMOVE) dialog->listPages.OnRemoveEntry();
        if (id == IDC_DEFAULT) dialog->listPages.OnRestoreDefaults();
        EXPECT_EQ(button.ButtonState(), 1) << id;
        EXPECT_EQ(button.State().shownPicture, button.Picture(2)) << id;
    }
}

TEST_F(Editing, DefaultRestoresOnlyTheCurrentPagesListAndSaves) {
    OnPage(kPageExceptions);
    dialog->listPages.OnRestoreDefaults();
    EXPECT_EQ(NewSaves(), 1);
    EXPECT_EQ(dialog->lists.filters.RowCount(), 2);
    EXPECT_NE(Column(dialog->lists.exclusions, exclude_col::kPattern),
              (std::vector<std::string>{"?:\\games", "?:\\recycled"}));
    ExpectFileHoldsTheLists();

    OnPage(kPageFilters);
    dialog->listPages.OnRestoreDefaults();
    EXPECT_EQ(NewSaves(), 2);
    EXPECT_GT(dialog->lists.filters.RowCount(), 2);
    ExpectFileHoldsTheLists();
}

TEST_F(Editing, PathPageAddsAndRemovesFolders) {
    OnPage(kPagePath);
    auto& locations = dialog->lists.locations;
    const int before = locations.RowCount();
    fakes.prompts.folders.push_back(std::string("C:\\Downloads"));
    dialog->listPages.OnAddEntry();
    ASSERT_EQ(locations.RowCount(), before + 1);
    EXPECT_EQ(locations.CellText(before, location_col::kPath), "C:\\Downloads");
    EXPECT_EQ(NewSaves(), 1);
    locations.SetSelected(before, true);
    dialog->listPages.OnRemoveEntry();
    EXPECT_EQ(locations.RowCount(), before);
    EXPECT_EQ(NewSaves(), 2);
    dialog->listPages.OnRestoreDefaults();
    EXPECT_EQ(NewSaves(), 3);
    EXPECT_EQ(filterRuns + excludeRuns, 0);
}

TEST_F(Editing, OptionTogglesFlipTheirFlagAndPictureWithoutSaving) {
    OnPage(kPageOptions);
    struct Case {
        int picture;
        ScanOptions::Flag flag;
    } cases[] = {
        {IDC_OPT_READ, ScanOptions::kRead},
        {IDC_OPT_SYSTEM, ScanOptions::kSystem},
        {IDC_OPT_HIDE, ScanOptions::kHide},
        {IDC_OPT_ZERO, ScanOptions::kZero},
    };
    for (const Case& c : cases) {
        const bool before = dialog->options.OptionOn(c.flag);
        dialog->options.OnToggleOption(c.picture);
        EXPECT_EQ(dialog->options.OptionOn(c.flag), !before) << c.picture;
        const Control picture = dialog->Ctl(c.picture);
        EXPECT_EQ(picture.State().shownPicture, picture.Picture(before ? 0 : 2)) << c.picture;
        dialog->options.OnToggleOption(c.picture);
        EXPECT_EQ(dialog->options.OptionOn(c.flag), before) << c.picture;
    }
    const ScanOptions options = dialog->options.Options();
    dialog->options.OnToggleOption(IDC_RECYCLE_MODE);  // not one of the four
    EXPECT_TRUE(dialog->options.Options() == options);
    EXPECT_EQ(NewSaves(), 0);
}

TEST_F(Editing, RemovalModeIsARadioPairThatSetsTheJunkCaption) {
    const std::string caption = dialog->Ctl(IDC_JUNK_CAPTION).Text();
    ASSERT_TRUE(dialog->options.OptionOn(ScanOptions::kRemove));
    dialog->clean.OnRecycleMode();  // already checked: nothing changes
    EXPECT_EQ(dialog->Ctl(IDC_JUNK_CAPTION).Text(), caption);
    EXPECT_EQ(dialog->Ctl(IDC_PERMANENT_MODE).ButtonState(), 0);

    dialog->clean.OnPermanentMode();
    EXPECT_FALSE(dialog->options.OptionOn(ScanOptions::kRemove));
    EXPECT_EQ(dialog->Ctl(IDC_PERMANENT_MODE).ButtonState(), 1);
    EXPECT_EQ(dialog->Ctl(IDC_JUNK_CAPTION).Text(), "Delete Junk Files Permanently");
    dialog->Ctl(IDC_JUNK_CAPTION).SetText("unchanged");
    dialog->clean.OnPermanentMode();
    EXPECT_EQ(dialog->Ctl(IDC_JUNK_CAPTION).Text(), "unchanged");

    dialog->clean.OnRecycleMode();
    EXPECT_TRUE(dialog->options.OptionOn(ScanOptions::kRemove));
    EXPECT_EQ(dialog->Ctl(IDC_PERMANENT_MODE).ButtonState(), 0);
    EXPECT_EQ(dialog->Ctl(IDC_JUNK_CAPTION).Text(), "Send Junk Files To The Recycle Bin");
    EXPECT_EQ(NewSaves(), 0);
}

}  // namespace
}  // namespace velnor
