#include <gtest/gtest.h>

#include "profile/exclude_path_add_dialog.h"
#include "profile/filter_add_dialog.h"
#include "res/resource.h"
#include "tests/fakes/fake_platform.h"

namespace velnor {
namespace {

TEST(FilterAddDialog, OpensBlankWithIncludeChosenAndOkDisabled) {
    FilterAddDialogModel dialog;
    dialog.Open();
    EXPECT_TRUE(dialog.IncludeChosen());
    EXPECT_EQ(dialog.controls.StateOf(IDC_FILTER_EXCLUDE).state, 0);
    EXPECT_FALSE(dialog.OkEnabled());
    const ControlState& ok = dialog.controls.StateOf(IDC_FILTER_OK);
    EXPECT_EQ(ok.shownPicture, IDB_OK_OFF);
    EXPECT_EQ(ok.placement, (Placement{150, 210, 76, 26}));
    EXPECT_EQ(ok.tooltip, "");
    const ControlState& cancel = dialog.controls.StateOf(IDC_FILTER_CANCEL);
    EXPECT_EQ(cancel.state, 1);
    EXPECT_EQ(cancel.shownPicture, IDB_CANCEL);
    EXPECT_EQ(cancel.placement, (Placement{250, 210, 76, 26}));
}

TEST(FilterAddDialog, OkFollowsTheTrimmedPatternAndHandsBackTheUntrimmedTexts) {
    struct Case {
        const char* pattern;
        bool enabled;
    } cases[] = {
        {"", false}, {"   ", false}, {" \t\r\n", false}, {"*.tmp", true}, {"  *.tmp  ", true}, {"\t?", true},
    };
    for (const Case& c : cases) {
        FilterAddDialogModel dialog;
        dialog.Open();
        dialog.OnPatternChanged(c.pattern);
        EXPECT_EQ(dialog.OkEnabled(), c.enabled) << '"' << c.pattern << '"';
        EXPECT_EQ(dialog.controls.StateOf(IDC_FILTER_OK).shownPicture, c.enabled ? IDB_OK : IDB_OK_OFF);
        FilterDialogValues values;
        values.pattern = "untouched";
        EXPECT_EQ(dialog.Confirm(values), c.enabled);
        EXPECT_EQ(values.pattern, c.enabled ? c.pattern : "untouched");
        EXPECT_EQ(values.description, "");  // an empty description is allowed
    }
}

TEST(FilterAddDialog, RadioButtonsClearEachOtherAndGiveTheType) {
    FilterAddDialogModel dialog;
    dialog.Open();
    dialog.OnPatternChanged("*.bak");
    dialog.OnDescriptionChanged(" Backup ");
    dialog.OnTypeChosen(IDC_FILTER_EXCLUDE);
    EXPECT_EQ(dialog.controls.StateOf(IDC_FILTER_INCLUDE).state, 0);
    EXPECT_EQ(dialog.controls.StateOf(IDC_FILTER_EXCLUDE).state, 1);
    FilterDialogValues values;
    ASSERT_TRUE(dialog.Confirm(values));
    EXPECT_EQ(values.type, FilterType::Exclude);
    EXPECT_EQ(values.description, " Backup ");
    dialog.OnTypeChosen(IDC_FILTER_INCLUDE);
    EXPECT_EQ(dialog.controls.StateOf(IDC_FILTER_EXCLUDE).state, 0);
    ASSERT_TRUE(dialog.Confirm(values));
    EXPECT_EQ(values.type, FilterType::Include);
}

TEST(FilterAddDialog, ASecondRunForgetsTheFirst) {
    FilterAddDialogModel dialog;
    dialog.Open();
    dialog.OnTypeChosen(IDC_FILTER_EXCLUDE);
    dialog.OnPatternChanged("*.old");
    dialog.OnDescriptionChanged("Old");
    dialog.Open();
    EXPECT_TRUE(dialog.IncludeChosen());
    EXPECT_FALSE(dialog.OkEnabled());
    EXPECT_EQ(dialog.controls.StateOf(IDC_FILTER_PATTERN).text, "");
    EXPECT_EQ(dialog.controls.StateOf(IDC_FILTER_DESCRIPTION).text, "");
}

TEST(FilterAddDialog, NeverHandsBackMoreThanTheStorageHolds) {
    FilterAddDialogModel dialog;
    dialog.Open();
    dialog.OnPatternChanged(std::string(1500, 'p'));
    // An edit box limits characters, which take up to three bytes each here;
    // the cut falls before a character that would not fit whole.
    dialog.OnDescriptionChanged(std::string(kMaxEntryChars - 1, 'd') + "\xC3\xA9");
    FilterDialogValues values;
    ASSERT_TRUE(dialog.Confirm(values));
    EXPECT_EQ(values.pattern, std::string(kMaxEntryChars, 'p'));
    EXPECT_EQ(values.description, std::string(kMaxEntryChars - 1, 'd'));
}

TEST(ExcludePathAddDialog, OpensBlankWithTheSkinnedButtonsInPlace) {
    ExcludePathAddDialogModel dialog;
    dialog.Open();
    EXPECT_EQ(dialog.Path(), "");
    EXPECT_FALSE(dialog.OkEnabled());
    struct Expected {
        int id, state, shown;
        Placement at;
    } buttons[] = {
        {IDC_EXCLUDE_OK, 0, IDB_OK_OFF, {90, 135, 76, 26}},
        {IDC_EXCLUDE_CANCEL, 1, IDB_CANCEL, {180, 135, 76, 26}},
        {IDC_EXCLUDE_BROWSE, 1, IDB_BROWSE, {258, 90, 49, 21}},
    };
    for (const Expected& b : buttons) {
        const ControlState& s = dialog.controls.StateOf(b.id);
        EXPECT_EQ(s.kind, PictureKind::PicEx) << b.id;
        EXPECT_EQ(s.state, b.state) << b.id;
        EXPECT_EQ(s.shownPicture, b.shown) << b.id;
        EXPECT_EQ(s.placement, b.at) << b.id;
        EXPECT_EQ(s.tooltip, "") << b.id;
    }
}

TEST(ExcludePathAddDialog, BrowseTakesFoldersBelowADriveRootOnly) {
    struct Case {
        std::optional<std::string> chosen;
        const char* box;  // what the box holds afterwards
        bool okEnabled;
    } cases[] = {
        {std::nullopt, "typed", true},                 // cancelled chooser
        {std::string(), "typed", true},                // a folder with no file-system path
        {std::string("C:\\"), "typed", true},          // a drive root
        {std::string("C:\\Games"), "C:\\Games", true},
        {std::string("D:\\a"), "D:\\a", true},
    };
    for (const Case& c : cases) {
        testing::FakePrompts prompts;
        prompts.folders.push_back(c.chosen);
        ExcludePathAddDialogModel dialog;
        dialog.Open();
        dialog.OnPathChanged("typed");
        dialog.Browse(prompts);
        EXPECT_EQ(dialog.Path(), c.box) << c.box;
        EXPECT_EQ(dialog.OkEnabled(), c.okEnabled);
    }
}

TEST(ExcludePathAddDialog, BrowseFillsTheBoxAndEnablesOkInOneStep) {
    testing::FakePrompts prompts;
    prompts.folders.push_back(std::string("C:\\Program Files\\Velnor"));
    ExcludePathAddDialogModel dialog;
    dialog.Open();
    unsigned pathChanges = 0;
    dialog.controls.SetObserver([&](int id, unsigned changes) {
        if (id == IDC_EXCLUDE_PATH) pathChanges |= changes;
    });
    EXPECT_TRUE(dialog.Browse(prompts));
    EXPECT_TRUE(pathChanges & kTextChanged);  // the window is told to show it
    EXPECT_TRUE(dialog.OkEnabled());
    EXPECT_EQ(dialog.controls.StateOf(IDC_EXCLUDE_OK).shownPicture, IDB_OK);
    std::string value;
    ASSERT_TRUE(dialog.Confirm(value));
    EXPECT_EQ(value, "C:\\Program Files\\Velnor");
}

TEST(ExcludePathAddDialog, BlanksKeepOkDisabledAndATypedPatternIsHandedBackAsTyped) {
    ExcludePathAddDialogModel dialog;
    dialog.Open();
    dialog.OnPathChanged("    ");
    std::string value = "caller's";
    EXPECT_FALSE(dialog.Confirm(value));
    EXPECT_EQ(value, "caller's");
    dialog.OnPathChanged(" ?:\\win*\\temp ");
    ASSERT_TRUE(dialog.Confirm(value));
    EXPECT_EQ(value, " ?:\\win*\\temp ");
    dialog.OnPathChanged(std::string(1200, 'x'));
    ASSERT_TRUE(dialog.Confirm(value));
    EXPECT_EQ(value.size(), kMaxEntryChars);
    dialog.Open();
    EXPECT_EQ(dialog.Path(), "");
    EXPECT_FALSE(dialog.OkEnabled());
}

}  // namespace
}  // namespace velnor
