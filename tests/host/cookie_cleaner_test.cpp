#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "clean/browser_cookie_store.h"
#include "clean/cookie_cleaner.h"
#include "res/resource.h"
#include "tests/fakes/cookie_store_files.h"
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


// Cookie stores that answer as the test says.
class FakeCookieStores : public ICookieStores {
public:
    std::map<std::string, CookieSites> stores;  // by store path
    std::map<std::string, CookieStoreResult> deleteResults;  // Done when not given
    std::vector<std::string> deletions;  // "store: site site ..."

    CookieSites ListSites(const BrowserProfile& profile) override { return stores[profile.cookieStore]; }
    CookieStoreResult DeleteSites(const BrowserProfile& profile, const std::vector<std::string>& sites) override {
        std::string call = profile.cookieStore + ":";
        for (const std::string& site : sites) call += " " + site;
        deletions.push_back(call);
        const auto it = deleteResults.find(profile.cookieStore);
        return it == deleteResults.end() ? CookieStoreResult::Done : it->second;
    }
};

constexpr char kEdge[] = "C:\\Users\\Ann\\AppData\\Local\\Microsoft\\Edge\\User Data";
constexpr char kChrome[] = "C:\\Users\\Ann\\AppData\\Local\\Google\\Chrome\\User Data\\Default\\Network\\Cookies";
constexpr char kFirefox[] = "C:\\Users\\Ann\\AppData\\Roaming\\Mozilla\\Firefox\\Profiles\\p.default\\cookies.sqlite";
constexpr char kOpera[] = "C:\\Users\\Ann\\AppData\\Roaming\\Opera Software\\Opera Stable\\Network\\Cookies";

// The URL cache's cookies and those of a user's browsers: Edge with two
// profiles, Chrome, Firefox (a format of its own) and Opera (held by Opera).
class BrowserCookiesInTheCleaner : public CookieCleanerTest {
protected:
    void SetUp() override {
        shell.specialFolders = {{kCsidlLocalAppData, "C:\\Users\\Ann\\AppData\\Local"},
                                {kCsidlAppData, "C:\\Users\\Ann\\AppData\\Roaming"}};
        for (const std::string& store : {std::string(kEdge) + "\\Default\\Network\\Cookies",
                                         std::string(kEdge) + "\\Profile 1\\Network\\Cookies", std::string(kChrome),
                                         std::string(kFirefox), std::string(kOpera)})
            files.AddFile(store, 1);
        stores.stores[EdgeStore("Default")] = {CookieStoreResult::Done, {"a.example", "shared.example"}};
        stores.stores[EdgeStore("Profile 1")] = {CookieStoreResult::Done, {"shared.example"}};
        stores.stores[kChrome] = {CookieStoreResult::Done, {"c.example"}};
        stores.stores[kFirefox] = {CookieStoreResult::UnknownFormat, {}};
        stores.stores[kOpera] = {CookieStoreResult::InUse, {}};
        Add("Cookie:me@www.cache.example/");
    }
    static std::string EdgeStore(const std::string& profile) {
        return std::string(kEdge) + "\\" + profile + "\\Network\\Cookies";
    }
    void Check(const std::string& text) {
        const int row = RowShowing(text);
        ASSERT_GE(row, 0) << text;
        browserCleaner.list.SetChecked(row, true);
    }
    int RowShowing(const std::string& text) const {
        for (int i = 0; i < browserCleaner.list.RowCount(); ++i)
            if (browserCleaner.list.Cell(i, 1) == text) return i;
        return -1;
    }
    std::vector<std::string> Rows() const {
        std::vector<std::string> texts;
        for (int i = 0; i < browserCleaner.list.RowCount(); ++i)
            texts.push_back(browserCleaner.list.Cell(i, 1) + (browserCleaner.list.IsChecked(i) ? " [x]" : ""));
        return texts;
    }

    testing::FakeFileSystem files;
    testing::FakeShell shell;
    FakeCookieStores stores;
    CookieCleaner browserCleaner{&cache, &prompts, {&files, &shell, &stores}};
};

TEST_F(BrowserCookiesInTheCleaner, ListsOneRowPerSitePerProfileAfterTheCacheRows) {
    browserCleaner.Open();
    EXPECT_EQ(Rows(), (std::vector<std::string>{
                          "www.cache.example/",
                          "a.example (Microsoft Edge, Default)",
                          "shared.example (Microsoft Edge, Default)",
                          "shared.example (Microsoft Edge, Profile 1)",
                          "c.example (Google Chrome)",
                          "cookies in use: close the browser (Opera)",
                          "cookies in an unknown format (Firefox)",
                      }));
    for (const ListRow& row : browserCleaner.list.Rows()) EXPECT_EQ(row.image, 1);
}

TEST_F(BrowserCookiesInTheCleaner, DeleteRemovesTheCheckedSitesFromTheirOwnStoresOnly) {
    browserCleaner.Open();
    Check("shared.example (Microsoft Edge, Profile 1)");
    Check("c.example (Google Chrome)");
    Check("a.example (Microsoft Edge, Default)");
    browserCleaner.Delete();
    EXPECT_EQ(stores.deletions, (std::vector<std::string>{EdgeStore("Default") + ": a.example",
                                                          EdgeStore("Profile 1") + ": shared.example",
                                                          std::string(kChrome) + ": c.example"}));
    EXPECT_EQ(Rows(), (std::vector<std::string>{"www.cache.example/", "shared.example (Microsoft Edge, Default)",
                                                "cookies in use: close the browser (Opera)",
                                                "cookies in an unknown format (Firefox)"}));
    EXPECT_TRUE(cache.deletedEntries.empty());
    EXPECT_EQ(prompts.questions.size(), 1u);  // the question alone: nothing was left

    // Deleting again in the same opening reaches the rows left.
    Check("shared.example (Microsoft Edge, Default)");
    browserCleaner.Delete();
    EXPECT_EQ(stores.deletions.back(), EdgeStore("Default") + ": shared.example");
}

// A store that a running browser holds keeps its rows checked, and the user
// is told which browsers to close; a store of an unknown format is never
// written.
TEST_F(BrowserCookiesInTheCleaner, RowsOfAStoreInUseOrOfAnUnknownFormatStayCheckedAndAreSaid) {
    stores.deleteResults[EdgeStore("Default")] = CookieStoreResult::InUse;
    browserCleaner.Open();
    for (int row = 0; row < browserCleaner.list.RowCount(); ++row) browserCleaner.list.SetChecked(row, true);
    browserCleaner.Delete();
    EXPECT_EQ(stores.deletions, (std::vector<std::string>{EdgeStore("Default") + ": a.example shared.example",
                                                          EdgeStore("Profile 1") + ": shared.example",
                                                          std::string(kChrome) + ": c.example"}));
    EXPECT_EQ(cache.deletedEntries, std::vector<std::string>{"Cookie:me@www.cache.example/"});
    EXPECT_EQ(Rows(), (std::vector<std::string>{"a.example (Microsoft Edge, Default) [x]",
                                                "shared.example (Microsoft Edge, Default) [x]",
                                                "cookies in use: close the browser (Opera) [x]",
                                                "cookies in an unknown format (Firefox) [x]"}));
    ASSERT_EQ(prompts.questions.size(), 2u);
    EXPECT_EQ(prompts.questions[1].text,
              "4 checked cookies could not be deleted. They stay checked in the list.\n\n"
              "Close Microsoft Edge and Opera and press Delete again: a running browser keeps its cookies locked. "
              "Microsoft Edge may keep running in the background after its last window has closed.\n\n"
              "A browser keeps its cookies in a format that this program does not know; they were left as they are.");
    EXPECT_EQ(prompts.questions[1].flags, kMbOk | kMbIconWarning);
}

// Rows are told apart by what they stand for, not by their text: a cache row
// that reads like a browser row reaches the cache alone, and the other way round.
TEST_F(BrowserCookiesInTheCleaner, ARowThatReadsLikeAnotherDeletesOnlyWhatItStandsFor) {
    Add("c.example (Google Chrome)");
    browserCleaner.Open();
    const int cacheRow = RowShowing("c.example (Google Chrome)");
    ASSERT_FALSE(browserCleaner.list.Row(cacheRow).itemData);
    browserCleaner.list.SetChecked(cacheRow, true);
    browserCleaner.Delete();
    EXPECT_EQ(cache.deletedEntries, std::vector<std::string>{"c.example (Google Chrome)"});
    EXPECT_TRUE(stores.deletions.empty());
    browserCleaner.list.SetChecked(RowShowing("c.example (Google Chrome)"), true);
    browserCleaner.Delete();
    EXPECT_EQ(cache.deletedEntries.size(), 1u);
    EXPECT_EQ(stores.deletions, std::vector<std::string>{std::string(kChrome) + ": c.example"});
}

TEST_F(BrowserCookiesInTheCleaner, BrowsersToCloseAreNamedOnceInAPlainList) {
    EXPECT_EQ(BrowsersToCloseText({"Google Chrome"}),
              "Close Google Chrome and press Delete again: a running browser keeps its cookies locked.");
    EXPECT_EQ(BrowsersToCloseText({"Google Chrome", "Opera", "Firefox"}),
              "Close Google Chrome, Opera and Firefox and press Delete again: a running browser keeps its cookies "
              "locked.");
}

// The browsers' stores themselves, made with SQLite in a folder of their own.
class BrowserCookieStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/velnor-cookies.XXXXXX";
        ASSERT_TRUE(::mkdtemp(pattern));
        dir = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    BrowserProfile Store(Browser browser, const std::string& name) {
        BrowserProfile profile;
        profile.browser = browser;
        profile.cookieStore = dir + "/" + name;
        return profile;
    }
    static std::string Bytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::string dir;
    SqliteCookieStores stores;
};

TEST_F(BrowserCookieStoreTest, ListsAndDeletesTheChosenSitesInBothFormsAndNothingElse) {
    const struct {
        Browser browser;
        const char *table, *column;
        bool (*make)(const std::string&, const std::vector<std::string>&);
    } formats[] = {
        {Browser::Chrome, "cookies", "host_key", testing::MakeChromiumStore},
        {Browser::Firefox, "moz_cookies", "host", testing::MakeFirefoxStore},
    };
    for (const auto& f : formats) {
        SCOPED_TRACE(f.table);
        const BrowserProfile store = Store(f.browser, f.table);
        ASSERT_TRUE(f.make(store.cookieStore, {".site.example", "site.example", "www.site.example", ".other.example",
                                               "site.example.evil", "xsite.example", "Site.Example"}));
        const std::vector<std::string> othersBefore = testing::SchemaAndOtherTables(store.cookieStore, f.table);
        const CookieSites listed = stores.ListSites(store);
        EXPECT_EQ(listed.result, CookieStoreResult::Done);
        EXPECT_EQ(listed.sites, (std::vector<std::string>{"Site.Example", "other.example", "site.example",
                                                          "site.example.evil", "www.site.example", "xsite.example"}));

        EXPECT_EQ(stores.DeleteSites(store, {"site.example", "other.example"}), CookieStoreResult::Done);
        const std::string hosts = std::string("SELECT ") + f.column + " FROM " + f.table + " ORDER BY 1";
        EXPECT_EQ(testing::ColumnOf(store.cookieStore, hosts),
                  (std::vector<std::string>{"Site.Example", "Site.Example", "site.example.evil", "site.example.evil",
                                            "www.site.example", "www.site.example", "xsite.example",
                                            "xsite.example"}));
        EXPECT_EQ(testing::SchemaAndOtherTables(store.cookieStore, f.table), othersBefore);
        EXPECT_TRUE(testing::PassesIntegrityCheck(store.cookieStore));
    }
}

// Another program holds the store's lock (as a running browser does): the
// store is left as it was, and said to be in use.
TEST_F(BrowserCookieStoreTest, AStoreThatIsLockedIsLeftUnchanged) {
    const BrowserProfile store = Store(Browser::Edge, "Cookies");
    ASSERT_TRUE(testing::MakeChromiumStore(store.cookieStore, {"a.example", "b.example"}));
    sqlite3* holder = nullptr;
    ASSERT_EQ(sqlite3_open(store.cookieStore.c_str(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE;", nullptr, nullptr, nullptr),
              SQLITE_OK);
    const std::string before = Bytes(store.cookieStore);
    EXPECT_EQ(stores.ListSites(store).result, CookieStoreResult::InUse);
    EXPECT_EQ(stores.DeleteSites(store, {"a.example"}), CookieStoreResult::InUse);
    EXPECT_EQ(Bytes(store.cookieStore), before);
    sqlite3_close(holder);
    EXPECT_EQ(testing::ColumnOf(store.cookieStore, "SELECT DISTINCT host_key FROM cookies ORDER BY 1"),
              (std::vector<std::string>{"a.example", "b.example"}));

    // A store that is not there, or not a file, cannot be opened.
    EXPECT_EQ(stores.ListSites(Store(Browser::Edge, "missing")).result, CookieStoreResult::InUse);
    EXPECT_EQ(stores.DeleteSites(Store(Browser::Edge, "missing"), {"a.example"}), CookieStoreResult::InUse);
    EXPECT_FALSE(std::filesystem::exists(dir + "/missing"));
}

TEST_F(BrowserCookieStoreTest, AStoreOfAnUnknownFormatIsNeverWritten) {
    const struct {
        Browser browser;
        const char *name, *sql;
    } stores_[] = {
        {Browser::Chrome, "renamed-column", "CREATE TABLE cookies(host TEXT, name TEXT); INSERT INTO cookies VALUES('a.example','n');"},
        {Browser::Firefox, "chromium-layout", testing::kChromiumCookieSchema},
        {Browser::Chrome, "no-tables", "PRAGMA user_version=3;"},
    };
    for (const auto& s : stores_) {
        SCOPED_TRACE(s.name);
        const BrowserProfile store = Store(s.browser, s.name);
        ASSERT_TRUE(testing::RunSql(store.cookieStore, s.sql));
        const std::string before = Bytes(store.cookieStore);
        EXPECT_EQ(stores.ListSites(store).result, CookieStoreResult::UnknownFormat);
        EXPECT_EQ(stores.DeleteSites(store, {"a.example"}), CookieStoreResult::UnknownFormat);
        EXPECT_EQ(Bytes(store.cookieStore), before);
    }
    const BrowserProfile text = Store(Browser::Chrome, "text");
    std::ofstream(text.cookieStore, std::ios::binary) << std::string(4096, 'x');
    EXPECT_EQ(stores.ListSites(text).result, CookieStoreResult::UnknownFormat);
    EXPECT_EQ(stores.DeleteSites(text, {"a.example"}), CookieStoreResult::UnknownFormat);
    EXPECT_EQ(Bytes(text.cookieStore), std::string(4096, 'x'));
}

}  // namespace
}  // namespace velnor
