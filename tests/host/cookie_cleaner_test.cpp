#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "clean/cookie_cleaner.h"
#include "res/resource.h"
#include "tests/fakes/fake_platform.h"

namespace velnor {
namespace {

using testing::FakePrompts;
using testing::FakeUrlCache;

TEST(CookieDisplayText, IsTheNameAfterTheFirstAtSignWithItsCaseKept) {
    const struct {
        const char* name;
        const char* shown;
    } cases[] = {
        {"Cookie:user@www.site.example/", "www.site.example/"},
        {"Cookie:User@WWW.Site.Example/Path", "WWW.Site.Example/Path"},
        {"Cookie:user@site.example/a@b", "site.example/a@b"},
        {"no-at-sign.example/", "no-at-sign.example/"},
        {"@leading.example/", "leading.example/"},
        {"Cookie:user@", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(CookieDisplayText(c.name), c.shown) << c.name;
}

class CookieCleanerTest : public ::testing::Test {
protected:
    void Add(const std::string& name, uint32_t type = kCookieCacheEntry) { cache.entries.push_back({name, type}); }
    void Open() { cleaner.Open(); }
    std::vector<std::string> Shown() const {
        std::vector<std::string> texts;
        for (int i = 0; i < cleaner.list.RowCount(); ++i) texts.push_back(cleaner.list.Cell(i, 1));
        return texts;
    }
    int RowShowing(const std::string& text, int from = 0) const {
        for (int i = from; i < cleaner.list.RowCount(); ++i)
            if (cleaner.list.Cell(i, 1) == text) return i;
        return -1;
    }

    FakeUrlCache cache;
    FakePrompts prompts;
    CookieCleaner cleaner{&cache, &prompts};
};

TEST_F(CookieCleanerTest, OpeningSetsUpTheButtonsAndTheList) {
    Open();
    const struct {
        int id, x, first, second, third;
    } buttons[] = {
        {IDC_COOKIE_DELETE, 150, 262, 263, 262},
        {IDC_COOKIE_CANCEL, 250, 238, 239, 240},
    };
    for (const auto& b : buttons) {
        const ControlState& s = cleaner.controls.StateOf(b.id);
        EXPECT_EQ(s.kind, PictureKind::PicEx);
        EXPECT_EQ(s.state, 1);
        EXPECT_EQ(s.placement, (Placement{b.x, 255, 76, 26}));
        EXPECT_EQ(s.pictures[0], b.first);
        EXPECT_EQ(s.pictures[1], b.second);
        EXPECT_EQ(s.pictures[2], b.third);
        EXPECT_EQ(s.shownPicture, b.third);
        EXPECT_EQ(s.tooltip, "");
    }
    EXPECT_EQ(cleaner.controls.StateOf(IDC_COOKIE_LIST).placement, (Placement{50, 50, 300, 200}));
    ASSERT_EQ(cleaner.list.Columns().size(), 2u);
    EXPECT_EQ(cleaner.list.Columns()[0].heading, "");
    EXPECT_EQ(cleaner.list.Columns()[0].width, 35);
    EXPECT_EQ(cleaner.list.Columns()[1].heading, "Cookie Name");
    EXPECT_EQ(cleaner.list.Columns()[1].width, 245);
    EXPECT_TRUE(cleaner.list.HasCheckBoxes());
    EXPECT_TRUE(cleaner.list.HasFullRowSelect());
    EXPECT_EQ(cleaner.list.SmallImages().resourceId, IDB_COOKIE_IMAGES);
    EXPECT_EQ(cleaner.list.HeaderImages().resourceId, IDB_HEADER_CHECKS);
    EXPECT_EQ(cleaner.list.HeaderCheckImage(), 2);
}

TEST_F(CookieCleanerTest, ListsOnlyCookieEntriesInWalkOrder) {
    Add("Cookie:me@b.example/");
    Add("http://a.example/page.html", 0);
    Add("Cookie:me@a.example/", kCookieCacheEntry | 0x1);
    Add("Visited: me@http://a.example/", 0x00200000);
    Open();
    EXPECT_EQ(Shown(), (std::vector<std::string>{"b.example/", "a.example/"}));
    EXPECT_EQ(cleaner.Names(), (std::vector<std::string>{"Cookie:me@b.example/", "Cookie:me@a.example/"}));
    for (const ListRow& row : cleaner.list.Rows()) {
        EXPECT_FALSE(row.checked);
        EXPECT_EQ(row.image, 1);
        EXPECT_EQ(row.cells[0], "");
    }
    EXPECT_EQ(cache.closes, 1);
}

TEST_F(CookieCleanerTest, GrowsTheEntryBufferWhenTheCacheAsksForMore) {
    const std::string longName = "Cookie:me@" + std::string(6000, 'x') + ".example/";
    Add("Cookie:me@first.example/");
    Add(longName);
    Add("Cookie:me@last.example/");
    cache.insufficientBufferReplies = 2;  // the first entry too
    Open();
    EXPECT_EQ(cleaner.Names(), (std::vector<std::string>{"Cookie:me@first.example/", longName,
                                                          "Cookie:me@last.example/"}));
}

TEST_F(CookieCleanerTest, AWalkThatCannotStartLeavesTheListEmpty) {
    Add("Cookie:me@a.example/");
    cache.failStart = true;
    cache.failError = 5;  // access denied
    Open();
    EXPECT_EQ(cleaner.list.RowCount(), 0);
    EXPECT_TRUE(cleaner.Names().empty());
    EXPECT_EQ(cache.closes, 0);
}

TEST_F(CookieCleanerTest, EveryFillWalksAfresh) {
    Add("Cookie:me@a.example/");
    Open();
    Add("Cookie:me@b.example/");
    cleaner.Fill();
    EXPECT_EQ(Shown(), (std::vector<std::string>{"a.example/", "b.example/"}));
    EXPECT_EQ(cleaner.Names().size(), 2u);
}

TEST_F(CookieCleanerTest, DeleteAsksFirstAndCancelChangesNothing) {
    Add("Cookie:me@a.example/");
    Open();
    cleaner.list.SetChecked(0, true);
    prompts.answers = {kIdCancel};
    cleaner.Delete();
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0].text, "Delete all selected items?");
    EXPECT_EQ(prompts.questions[0].caption, "Information");
    EXPECT_EQ(prompts.questions[0].flags, 0x21u);
    EXPECT_TRUE(cache.deletedEntries.empty());
    EXPECT_EQ(cleaner.list.RowCount(), 1);
}

TEST_F(CookieCleanerTest, WithoutCookiesDeleteAsksAndChangesNothing) {
    Add("http://a.example/", 0);
    Open();
    cleaner.Delete();
    EXPECT_EQ(prompts.questions.size(), 1u);
    EXPECT_TRUE(cache.deletedEntries.empty());
    EXPECT_EQ(cleaner.list.RowCount(), 0);
}

TEST_F(CookieCleanerTest, DeleteWithNothingCheckedDeletesNothing) {
    Add("Cookie:me@a.example/");
    Add("Cookie:me@b.example/");
    Open();
    cleaner.Delete();
    EXPECT_EQ(prompts.questions.size(), 1u);
    EXPECT_TRUE(cache.deletedEntries.empty());
    EXPECT_EQ(cleaner.list.RowCount(), 2);
    EXPECT_EQ(cleaner.Names().size(), 2u);
}

TEST_F(CookieCleanerTest, OneCheckedRowOfASiteDeletesAllItsEntriesButOnlyThatRowLeaves) {
    Add("Cookie:me@a.example/");
    Add("Cookie:you@a.example/");
    Add("Cookie:me@b.example/");
    Open();
    const int second = RowShowing("a.example/", RowShowing("a.example/") + 1);
    cleaner.list.SetChecked(second, true);
    cleaner.Delete();
    EXPECT_EQ(cache.deletedEntries, (std::vector<std::string>{"Cookie:me@a.example/", "Cookie:you@a.example/"}));
    EXPECT_EQ(Shown(), (std::vector<std::string>{"a.example/", "b.example/"}));
    EXPECT_EQ(cleaner.Names(), (std::vector<std::string>{"Cookie:me@b.example/"}));
}

TEST_F(CookieCleanerTest, ASecondDeleteInTheSameOpeningReachesTheNamesLeft) {
    Add("Cookie:me@a.example/");
    Add("Cookie:me@b.example/");
    Add("Cookie:me@c.example/");
    Open();
    cleaner.list.SetChecked(RowShowing("a.example/"), true);
    cleaner.Delete();
    cleaner.list.SetChecked(RowShowing("c.example/"), true);
    cleaner.Delete();
    EXPECT_EQ(cache.deletedEntries, (std::vector<std::string>{"Cookie:me@a.example/", "Cookie:me@c.example/"}));
    EXPECT_EQ(Shown(), (std::vector<std::string>{"b.example/"}));
    EXPECT_EQ(cleaner.Names(), (std::vector<std::string>{"Cookie:me@b.example/"}));
}

TEST_F(CookieCleanerTest, MatchingComparesTheDisplayTextExactly) {
    Add("Cookie:me@Site.example/");
    Add("Cookie:me@site.example/");
    Add("bare.example/");
    Add("Cookie:me@bare.example/");
    Open();
    cleaner.list.SetChecked(RowShowing("site.example/"), true);
    cleaner.list.SetChecked(RowShowing("bare.example/"), true);
    cleaner.Delete();
    EXPECT_EQ(cache.deletedEntries, (std::vector<std::string>{"Cookie:me@site.example/", "bare.example/",
                                                              "Cookie:me@bare.example/"}));
    EXPECT_EQ(Shown(), (std::vector<std::string>{"Site.example/", "bare.example/"}));
}

// A row leaves only when its cookies are gone: one already gone from the
// cache counts as deleted, one that the cache keeps (in use) leaves its row
// checked, and the user is told.
TEST_F(CookieCleanerTest, ARowLeavesOnlyWhenItsCookiesAreGone) {
    Add("Cookie:me@a.example/");
    Add("Cookie:me@held.example/");
    Add("Cookie:me@b.example/");
    Open();
    cache.entries.erase(cache.entries.begin());  // gone from the cache behind the dialog's back
    cache.undeletable = {"Cookie:me@held.example/"};
    for (int row = 0; row < cleaner.list.RowCount(); ++row) cleaner.list.SetChecked(row, true);
    cleaner.Delete();
    EXPECT_EQ(cache.deletedEntries,
              (std::vector<std::string>{"Cookie:me@a.example/", "Cookie:me@held.example/", "Cookie:me@b.example/"}));
    EXPECT_EQ(Shown(), std::vector<std::string>{"held.example/"});
    EXPECT_TRUE(cleaner.list.IsChecked(0));
    EXPECT_EQ(cleaner.Names(), std::vector<std::string>{"Cookie:me@held.example/"});
    ASSERT_EQ(prompts.questions.size(), 2u);
    EXPECT_EQ(prompts.questions.back().text, "1 checked cookie could not be deleted. It stays checked in the list.");
}

}  // namespace
}  // namespace velnor
