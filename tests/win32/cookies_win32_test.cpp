#include <windows.h>
#include <commctrl.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/main_dialog_win32.h"
#include "clean/browser_cookie_store.h"
#include "clean/cookie_dialog_win32.h"
#include "platform/exact_path.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/url_cache_win32.h"
#include "platform/win32/win32_platform.h"
#include "res/resource.h"
#include "tests/fakes/cookie_store_files.h"
#include "tests/win32/add_dialog_script.h"
#include "tests/win32/support/main_window.h"
#include "tests/win32/support/win_test_support.h"

namespace velnor {
namespace {

using testing::Click;
using testing::CloseMainWindow;
using testing::HostWindow;
using testing::OpenMainWindow;
using testing::PictureOf;
using testing::ProgramInFolder;
using testing::PumpMessages;
using testing::ScriptedPrompts;
using testing::TempDir;
using testing::WhileModal;

// Every site these tests make cookies for ends in this, so that the tests see
// and remove only their own entries in the real cache.
const char kTestDomain[] = ".cookie-test.example/";

// A cookie with an expiry date is kept in the URL cache as an entry of its own.
void SetCookie(const std::string& host, const std::string& path = "/") {
    const std::string url = "http://" + host + path;
    ASSERT_TRUE(::InternetSetCookieA(url.c_str(), "id", "1; expires=Sat, 01-Jan-2050 00:00:00 GMT")) << url;
}

// The cookie entries of this suite in the real cache, straight from WinINet.
std::vector<std::string> TestCookieEntries() {
    std::vector<std::string> names;
    std::vector<char> buffer(4096);
    DWORD size = static_cast<DWORD>(buffer.size());
    auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
    HANDLE walk = ::FindFirstUrlCacheEntryA(nullptr, info, &size);
    while (!walk && ::GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        buffer.resize(size);
        info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
        walk = ::FindFirstUrlCacheEntryA(nullptr, info, &size);
    }
    if (!walk) return names;
    for (;;) {
        const std::string name = info->lpszSourceUrlName ? info->lpszSourceUrlName : "";
        if ((info->CacheEntryType & COOKIE_CACHE_ENTRY) && name.find(".cookie-test.example") != std::string::npos)
            names.push_back(name);
        size = static_cast<DWORD>(buffer.size());
        if (::FindNextUrlCacheEntryA(walk, info, &size)) continue;
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
        buffer.resize(size);
        info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
        size = static_cast<DWORD>(buffer.size());
        if (!::FindNextUrlCacheEntryA(walk, info, &size)) break;
    }
    ::FindCloseUrlCache(walk);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> SitesOf(const std::vector<std::string>& names) {
    std::vector<std::string> sites;
    for (const std::string& name : names) sites.push_back(CookieDisplayText(name));
    std::sort(sites.begin(), sites.end());
    return sites;
}

std::vector<std::string> RowsOnScreen(HWND list) {
    std::vector<std::string> rows;
    const int count = ListView_GetItemCount(list);
    for (int i = 0; i < count; ++i) {
        char text[512] = {};
        ListView_GetItemText(list, i, 1, text, sizeof text);
        rows.push_back(text);
    }
    return rows;
}

// A click on a row's check box, as the user makes it.
void ClickCheckBox(HWND list, int row) {
    RECT bounds = {};
    bounds.left = LVIR_BOUNDS;
    ListView_GetItemRect(list, row, &bounds, LVIR_BOUNDS);
    RECT icon = {};
    icon.left = LVIR_ICON;
    ListView_GetItemRect(list, row, &icon, LVIR_ICON);
    const int x = icon.left > 8 ? icon.left / 2 : 8;
    const LPARAM at = MAKELPARAM(x, (bounds.top + bounds.bottom) / 2);
    ::SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(list, WM_LBUTTONUP, 0, at);
    PumpMessages();
}

int RowShowing(HWND list, const std::string& text) {
    const std::vector<std::string> rows = RowsOnScreen(list);
    const auto it = std::find(rows.begin(), rows.end(), text);
    return it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
}

// An entry put into the cache directly, with no local file behind it.
bool CommitEntry(const std::string& name, DWORD type) {
    FILETIME none = {};
    return ::CommitUrlCacheEntryA(name.c_str(), nullptr, none, none, type, nullptr, 0, nullptr, nullptr) != FALSE;
}

RECT ClientRectOf(HWND dialog, int id) {
    RECT r;
    ::GetWindowRect(::GetDlgItem(dialog, id), &r);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Answers the question as the test says and counts it.
class CountingPrompts : public ScriptedPrompts {
public:
    int answer = kIdOk;
    int questions = 0;
    int MessageBox(const std::string&, const std::string&, unsigned) override {
        ++questions;
        return answer;
    }
};

// Answers OK and keeps every text it was shown.
class TextPrompts : public ScriptedPrompts {
public:
    std::vector<std::string> texts;
    int MessageBox(const std::string& text, const std::string&, unsigned) override {
        texts.push_back(text);
        return kIdOk;
    }
};

class CookieCache : public ::testing::Test {
protected:
    void SetUp() override { RemoveTestCookies(); }
    void TearDown() override { RemoveTestCookies(); }
    static void RemoveTestCookies() {
        for (const std::string& name : TestCookieEntries()) ::DeleteUrlCacheEntryA(name.c_str());
    }
    static std::string Site(const std::string& name) { return "www." + name + kTestDomain; }

    Win32UrlCache cache;
    CountingPrompts prompts;
};

TEST_F(CookieCache, DialogListsTheCookieEntriesBySiteWithItsSkin) {
    SetCookie("www.one.cookie-test.example");
    SetCookie("www.two.cookie-test.example", "/deep/");
    // An ordinary cache entry next to them is not a cookie.
    const char page[] = "http://www.page.cookie-test.example/index.html";
    ASSERT_TRUE(CommitEntry(page, NORMAL_CACHE_ENTRY));
    const std::vector<std::string> entries = TestCookieEntries();
    ASSERT_EQ(entries.size(), 2u);

    HostWindow owner;
    CCookieDialog dialog(&cache, &prompts);
    ASSERT_TRUE(dialog.Create(owner.Hwnd()));
    PumpMessages();
    HWND d = dialog.Hwnd();
    HWND list = dialog.Item(IDC_COOKIE_LIST);

    char title[64] = {};
    ::GetWindowTextA(d, title, sizeof title);
    EXPECT_STREQ(title, "Cookies Cleaner");

    std::vector<std::string> shown = RowsOnScreen(list);
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, (std::vector<std::string>{"www.one.cookie-test.example/", "www.two.cookie-test.example/deep/"}));
    EXPECT_EQ(SitesOf(entries), shown);
    for (int i = 0; i < ListView_GetItemCount(list); ++i) EXPECT_FALSE(ListView_GetCheckState(list, i)) << i;

    const RECT listRect = ClientRectOf(d, IDC_COOKIE_LIST);
    EXPECT_EQ(listRect.left, 50);
    EXPECT_EQ(listRect.top, 50);
    EXPECT_EQ(listRect.right - listRect.left, 300);
    EXPECT_EQ(listRect.bottom - listRect.top, 200);
    EXPECT_EQ(ListView_GetExtendedListViewStyle(list) & 0x24, 0x24u);
    EXPECT_EQ(ListView_GetColumnWidth(list, 0), 35);
    EXPECT_EQ(ListView_GetColumnWidth(list, 1), 245);
    char heading[64] = {};
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT;
    column.pszText = heading;
    column.cchTextMax = sizeof heading;
    ListView_GetColumn(list, 1, &column);
    EXPECT_STREQ(heading, "Cookie Name");

    RECT client;
    ::GetClientRect(d, &client);
    const struct {
        int id, x, picture;
    } buttons[] = {{IDC_COOKIE_DELETE, 150, IDB_DELETE}, {IDC_COOKIE_CANCEL, 250, IDB_CANCEL}};
    for (const auto& b : buttons) {
        const RECT r = ClientRectOf(d, b.id);
        EXPECT_EQ(r.left, b.x) << b.id;
        EXPECT_EQ(r.top, 255) << b.id;
        EXPECT_EQ(r.right - r.left, 76) << b.id;
        EXPECT_EQ(r.bottom - r.top, 26) << b.id;
        // The whole button lies inside the dialog.
        EXPECT_LE(r.right, client.right) << b.id;
        EXPECT_LE(r.bottom, client.bottom) << b.id;
        EXPECT_EQ(PictureOf(::GetDlgItem(d, b.id)), SharedBitmap(b.picture)) << b.id;
    }

    HDC dc = ::GetDC(d);
    const LRESULT brush = ::SendMessageA(d, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(d));
    ::ReleaseDC(d, dc);
    LOGBRUSH info = {};
    ASSERT_TRUE(brush && ::GetObjectA(reinterpret_cast<HBRUSH>(brush), sizeof info, &info));
    EXPECT_EQ(info.lbColor, RGB(215, 215, 215));

    // The headings keep their check-all image and sort arrow at a new scale.
    HWND header = ListView_GetHeader(list);
    RECT heading1;
    Header_GetItemRect(header, 1, &heading1);
    const LPARAM at = MAKELPARAM((heading1.left + heading1.right) / 2, (heading1.top + heading1.bottom) / 2);
    ::SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(header, WM_LBUTTONUP, 0, at);
    PumpMessages();
    HDITEMA before = {};
    before.mask = HDI_FORMAT | HDI_IMAGE;
    Header_GetItem(header, 0, &before);
    ASSERT_TRUE(before.fmt & HDF_IMAGE);
    RECT suggested;
    ::GetWindowRect(d, &suggested);
    suggested.right = suggested.left + (suggested.right - suggested.left) * 2;
    suggested.bottom = suggested.top + (suggested.bottom - suggested.top) * 2;
    ::SendMessageA(d, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    PumpMessages();
    HDITEMA item = {};
    item.mask = HDI_FORMAT | HDI_IMAGE;
    Header_GetItem(header, 0, &item);
    EXPECT_TRUE(item.fmt & HDF_IMAGE);
    EXPECT_EQ(item.iImage, before.iImage);
    item.mask = HDI_FORMAT;
    Header_GetItem(header, 1, &item);
    EXPECT_TRUE(item.fmt & HDF_OWNERDRAW);

    dialog.DestroyWindow();
    PumpMessages();
    ::DeleteUrlCacheEntryA(page);
}

TEST_F(CookieCache, DeleteRemovesTheCheckedSitesEntriesFromTheCache) {
    for (const char* name : {"one", "two", "three"}) SetCookie(std::string("www.") + name + ".cookie-test.example");
    ASSERT_EQ(TestCookieEntries().size(), 3u);

    HostWindow owner;
    CCookieDialog dialog(&cache, &prompts);
    std::vector<std::string> before, afterCancel, afterDelete, afterNothingChecked;
    WhileModal script("Cookies Cleaner", [&](HWND d) {
        HWND list = ::GetDlgItem(d, IDC_COOKIE_LIST);
        before = RowsOnScreen(list);
        ClickCheckBox(list, RowShowing(list, Site("one")));
        ClickCheckBox(list, RowShowing(list, Site("three")));

        prompts.answer = kIdCancel;
        Click(::GetDlgItem(d, IDC_COOKIE_DELETE));
        afterCancel = RowsOnScreen(list);

        prompts.answer = kIdOk;
        Click(::GetDlgItem(d, IDC_COOKIE_DELETE));
        afterDelete = RowsOnScreen(list);

        Click(::GetDlgItem(d, IDC_COOKIE_DELETE));
        afterNothingChecked = RowsOnScreen(list);
        Click(::GetDlgItem(d, IDC_COOKIE_CANCEL));
    });
    const INT_PTR result = dialog.DoModal(owner.Hwnd());
    ASSERT_TRUE(script.Ran());
    EXPECT_FALSE(script.TimedOut());
    EXPECT_EQ(result, IDCANCEL);

    EXPECT_EQ(before.size(), 3u);
    EXPECT_EQ(afterCancel.size(), 3u);
    EXPECT_EQ(afterDelete, (std::vector<std::string>{Site("two")}));
    EXPECT_EQ(afterNothingChecked, afterDelete);
    EXPECT_EQ(prompts.questions, 3);
    EXPECT_EQ(SitesOf(TestCookieEntries()), (std::vector<std::string>{Site("two")}));
}

TEST_F(CookieCache, OneCheckedRowOfTwoEntriesOfASiteDeletesBoth) {
    // Two users' cookies of one site: the same text on two rows.
    SetCookie("www.shared.cookie-test.example");
    const std::vector<std::string> mine = TestCookieEntries();
    ASSERT_EQ(mine.size(), 1u);
    ASSERT_TRUE(CommitEntry("Cookie:someone@" + Site("shared"), COOKIE_CACHE_ENTRY));
    ASSERT_EQ(TestCookieEntries().size(), 2u);

    HostWindow owner;
    CCookieDialog dialog(&cache, &prompts);
    ASSERT_TRUE(dialog.Create(owner.Hwnd()));
    PumpMessages();
    HWND list = dialog.Item(IDC_COOKIE_LIST);
    ASSERT_EQ(RowsOnScreen(list), (std::vector<std::string>{Site("shared"), Site("shared")}));
    ClickCheckBox(list, 1);
    Click(dialog.Item(IDC_COOKIE_DELETE));
    EXPECT_EQ(RowsOnScreen(list), (std::vector<std::string>{Site("shared")}));
    EXPECT_TRUE(TestCookieEntries().empty());
    dialog.DestroyWindow();
    PumpMessages();
}

// The Clean page's button opens the dialog over the main window, except while
// a clean runs.
class CookiesButton : public CookieCache {
protected:
    void SetUp() override {
        CookieCache::SetUp();
        files = std::make_unique<ProgramInFolder>(dir.Path());
        platform.files = files.get();
        platform.prompts = &prompts;
        platform.pump = &pump;
        platform.locale = &locale;
        platform.urlCache = &cache;
        dialog = OpenMainWindow(platform);
        ASSERT_TRUE(dialog);
    }
    void TearDown() override {
        CloseMainWindow(dialog);
        CookieCache::TearDown();
    }
    void PressCookiesButton() {
        ::SendMessageA(dialog->Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_COOKIES_BUTTON, STN_CLICKED),
                       reinterpret_cast<LPARAM>(dialog->Item(IDC_COOKIES_BUTTON)));
    }

    TempDir dir;
    std::unique_ptr<ProgramInFolder> files;
    Win32MessagePump pump;
    Win32Locale locale;
    Platform platform;
    std::unique_ptr<CMainDialog> dialog;
};

TEST_F(CookiesButton, OpensTheDialogAfreshAndLeavesTheButtonNormal) {
    SetCookie("www.first.cookie-test.example");
    std::vector<std::string> firstRows, secondRows;
    HWND owner = nullptr;
    {
        WhileModal script("Cookies Cleaner", [&](HWND d) {
            owner = ::GetWindow(d, GW_OWNER);
            firstRows = RowsOnScreen(::GetDlgItem(d, IDC_COOKIE_LIST));
            // The pointer was over the button when it was clicked.
            dialog->parts.controls[IDC_COOKIES_BUTTON].SetStateAndPicture(2);
            ::SendMessageA(d, WM_CLOSE, 0, 0);
        });
        PressCookiesButton();
        ASSERT_TRUE(script.Ran());
        EXPECT_FALSE(script.TimedOut());
    }
    EXPECT_EQ(owner, dialog->Hwnd());
    EXPECT_EQ(firstRows, (std::vector<std::string>{Site("first")}));
    EXPECT_EQ(dialog->parts.controls.StateOf(IDC_COOKIES_BUTTON).state, 1);
    EXPECT_EQ(PictureOf(dialog->Item(IDC_COOKIES_BUTTON)), SharedBitmap(IDB_COOKIES));

    SetCookie("www.second.cookie-test.example");
    {
        WhileModal script("Cookies Cleaner", [&](HWND d) {
            secondRows = RowsOnScreen(::GetDlgItem(d, IDC_COOKIE_LIST));
            std::sort(secondRows.begin(), secondRows.end());
            ::SendMessageA(d, WM_COMMAND, IDCANCEL, 0);  // Escape
        });
        PressCookiesButton();
        ASSERT_TRUE(script.Ran());
    }
    EXPECT_EQ(secondRows, (std::vector<std::string>{Site("first"), Site("second")}));
}

TEST_F(CookiesButton, IsIgnoredWhileACleanRuns) {
    dialog->parts.state.cleanBusy = true;
    WhileModal script("Cookies Cleaner", [](HWND d) { ::EndDialog(d, IDCANCEL); });
    PressCookiesButton();
    for (int i = 0; i < 10; ++i) {
        PumpMessages();
        ::Sleep(20);
    }
    EXPECT_FALSE(script.Ran());
    dialog->parts.state.cleanBusy = false;
}


// The browsers' cookies of a generated user: Edge with two profiles, Chrome,
// Opera and Firefox in the prefix's own application-data folders, where the
// shell names them, each store made with SQLite beside the files a browser
// keeps next to it.
class BrowserCookies : public ::testing::Test {
protected:
    void SetUp() override {
        local = shell.SpecialFolderPath(kCsidlLocalAppData).value_or("");
        roaming = shell.SpecialFolderPath(kCsidlAppData).value_or("");
        ASSERT_FALSE(local.empty());
        ASSERT_FALSE(roaming.empty());
        const std::string edge = local + "\\Microsoft\\Edge\\User Data";
        edgeDefault = edge + "\\Default\\Network\\Cookies";
        edgeSecond = edge + "\\Profile 1\\Network\\Cookies";
        chrome = local + "\\Google\\Chrome\\User Data\\Default\\Network\\Cookies";
        opera = roaming + "\\Opera Software\\Opera Stable\\Network\\Cookies";
        firefox = roaming + "\\Mozilla\\Firefox\\Profiles\\t1x2.default-release\\cookies.sqlite";
        made = {local + "\\Microsoft\\Edge", local + "\\Google", roaming + "\\Opera Software", roaming + "\\Mozilla"};
        for (const std::string& store : {edgeDefault, edgeSecond, chrome, opera, firefox}) MakeFoldersFor(store);
        ASSERT_TRUE(testing::MakeChromiumStore(edgeDefault, {".alpha.example", "alpha.example", "beta.example"}));
        ASSERT_TRUE(testing::MakeChromiumStore(edgeSecond, {".alpha.example", "gamma.example"}));
        ASSERT_TRUE(testing::MakeChromiumStore(chrome, {".delta.example"}));
        ASSERT_TRUE(testing::MakeChromiumStore(opera, {"opera.example"}));
        ASSERT_TRUE(testing::MakeFirefoxStore(firefox, {".fox.example", "fox.example"}));
        const std::string chromeProfile = chrome.substr(0, chrome.rfind("\\Network"));
        for (const std::string& other : {edge + "\\Default\\History", edge + "\\Default\\Login Data",
                                         edge + "\\Default\\Bookmarks", chromeProfile + "\\History",
                                         chromeProfile + "\\Login Data",
                                         firefox.substr(0, firefox.rfind('\\')) + "\\places.sqlite"}) {
            testing::WriteBytes(other, "SQLite format 3" + std::string(3000, '\x5a') + other);
            others[other] = testing::ReadBytes(other);
        }
    }
    void TearDown() override {
        for (const std::string& folder : made) testing::RemoveTree(folder);
    }
    void MakeFoldersFor(const std::string& path) {
        for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
            ::CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    }
    static std::vector<std::string> Hosts(const std::string& store, const char* column = "host_key",
                                          const char* table = "cookies") {
        return testing::ColumnOf(store, std::string("SELECT ") + column + " FROM " + table + " ORDER BY 1");
    }

    Win32Shell shell;
    Win32FileSystem files;
    SqliteCookieStores stores;
    TextPrompts prompts;
    std::string local, roaming, edgeDefault, edgeSecond, chrome, opera, firefox;
    std::vector<std::string> made;
    std::map<std::string, std::string> others;
};

TEST_F(BrowserCookies, DeleteRemovesExactlyTheCheckedSitesFromTheirStores) {
    HostWindow owner;
    CCookieDialog dialog(nullptr, &prompts, {&files, &shell, &stores});
    std::vector<std::string> listed, after;
    WhileModal script("Cookies Cleaner", [&](HWND d) {
        HWND list = ::GetDlgItem(d, IDC_COOKIE_LIST);
        listed = RowsOnScreen(list);
        for (const char* row : {"alpha.example (Microsoft Edge, Default)", "gamma.example (Microsoft Edge, Profile 1)",
                                "delta.example (Google Chrome)", "fox.example (Firefox)"})
            ClickCheckBox(list, RowShowing(list, row));
        ClickCheckBox(list, RowShowing(list, "delta.example (Google Chrome)"));  // changed the user's mind
        Click(::GetDlgItem(d, IDC_COOKIE_DELETE));
        after = RowsOnScreen(list);
        Click(::GetDlgItem(d, IDC_COOKIE_CANCEL));
    });
    dialog.DoModal(owner.Hwnd());
    ASSERT_TRUE(script.Ran());
    EXPECT_FALSE(script.TimedOut());
    EXPECT_EQ(listed, (std::vector<std::string>{
                          "alpha.example (Microsoft Edge, Default)", "beta.example (Microsoft Edge, Default)",
                          "alpha.example (Microsoft Edge, Profile 1)", "gamma.example (Microsoft Edge, Profile 1)",
                          "delta.example (Google Chrome)", "opera.example (Opera)", "fox.example (Firefox)"}));
    EXPECT_EQ(after, (std::vector<std::string>{"beta.example (Microsoft Edge, Default)",
                                               "alpha.example (Microsoft Edge, Profile 1)",
                                               "delta.example (Google Chrome)", "opera.example (Opera)"}));
    EXPECT_EQ(prompts.texts.size(), 1u);  // the question alone

    EXPECT_EQ(Hosts(edgeDefault), (std::vector<std::string>{"beta.example", "beta.example"}));
    EXPECT_EQ(Hosts(edgeSecond), (std::vector<std::string>{".alpha.example", ".alpha.example"}));
    EXPECT_EQ(Hosts(chrome), (std::vector<std::string>{".delta.example", ".delta.example"}));
    EXPECT_EQ(Hosts(opera), (std::vector<std::string>{"opera.example", "opera.example"}));
    EXPECT_TRUE(Hosts(firefox, "host", "moz_cookies").empty());
    for (const std::string& store : {edgeDefault, edgeSecond, chrome, opera, firefox})
        EXPECT_TRUE(testing::PassesIntegrityCheck(store)) << store;
    for (const auto& [path, bytes] : others) EXPECT_EQ(testing::ReadBytes(path), bytes) << path;
}

// The store held open without sharing, as a running browser holds it: its
// checked row stays checked, the store stays as it was, and the user is
// told which browser to close.
TEST_F(BrowserCookies, AStoreHeldByAnotherProgramIsLeftAndSaid) {
    HostWindow owner;
    CCookieDialog dialog(nullptr, &prompts, {&files, &shell, &stores});
    const std::string before = testing::ReadBytes(edgeSecond);
    HANDLE held = INVALID_HANDLE_VALUE;
    std::vector<std::string> after;
    bool checkedAfter = false;
    WhileModal script("Cookies Cleaner", [&](HWND d) {
        HWND list = ::GetDlgItem(d, IDC_COOKIE_LIST);
        held = ::CreateFileA(edgeSecond.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ClickCheckBox(list, RowShowing(list, "gamma.example (Microsoft Edge, Profile 1)"));
        ClickCheckBox(list, RowShowing(list, "opera.example (Opera)"));
        Click(::GetDlgItem(d, IDC_COOKIE_DELETE));
        after = RowsOnScreen(list);
        const int left = RowShowing(list, "gamma.example (Microsoft Edge, Profile 1)");
        checkedAfter = left >= 0 && ListView_GetCheckState(list, left);
        Click(::GetDlgItem(d, IDC_COOKIE_CANCEL));
    });
    dialog.DoModal(owner.Hwnd());
    ASSERT_TRUE(script.Ran());
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ::CloseHandle(held);
    EXPECT_TRUE(checkedAfter);
    EXPECT_EQ(std::count(after.begin(), after.end(), "opera.example (Opera)"), 0);
    ASSERT_EQ(prompts.texts.size(), 2u);
    EXPECT_NE(prompts.texts[1].find("1 checked cookie could not be deleted."), std::string::npos) << prompts.texts[1];
    EXPECT_NE(prompts.texts[1].find("Close Microsoft Edge and press Delete again"), std::string::npos);
    EXPECT_EQ(testing::ReadBytes(edgeSecond), before);
    EXPECT_TRUE(Hosts(opera).empty());
    EXPECT_TRUE(testing::PassesIntegrityCheck(edgeSecond));
}


// A store reached by its exact name: one past the path limit, and one in a
// folder whose name ends in a dot, beside a folder of the trimmed name that
// holds another store, which must stay as it is.
TEST_F(BrowserCookies, AStoreIsReachedByItsExactNameHoweverLongOrOdd) {
    TempDir dir;
    const std::string made = dir / "made";
    ASSERT_TRUE(testing::MakeChromiumStore(made, {".far.example", "near.example"}));
    auto wide = [](const std::string& path) {
        const std::string exact = ExactPathForm(path);
        return std::wstring(exact.begin(), exact.end());  // the test's paths are ASCII
    };
    std::string deep = dir.Path();
    while (deep.size() < 300) {
        deep += "\\" + std::string(40, 'd');
        ASSERT_TRUE(::CreateDirectoryW(wide(deep).c_str(), nullptr));
    }
    const std::string dotted = dir / "odd.";
    ASSERT_TRUE(::CreateDirectoryW(wide(dotted).c_str(), nullptr));
    testing::MakeFolder(dir / "odd");
    const std::string decoy = dir / "odd\\Cookies";
    ASSERT_TRUE(::CopyFileW(wide(made).c_str(), wide(decoy).c_str(), TRUE));
    const std::string decoyBytes = testing::ReadBytes(decoy);
    BrowserProfile profile;
    profile.browser = Browser::Chrome;
    profile.cookieStore = deep + "\\Cookies";
    ASSERT_TRUE(::CopyFileW(wide(made).c_str(), wide(profile.cookieStore).c_str(), TRUE));
    EXPECT_EQ(stores.ListSites(profile).sites, (std::vector<std::string>{"far.example", "near.example"}));
    EXPECT_EQ(stores.DeleteSites(profile, {"far.example"}), CookieStoreResult::Done);
    EXPECT_EQ(stores.ListSites(profile).sites, std::vector<std::string>{"near.example"});
    ASSERT_TRUE(::DeleteFileW(wide(profile.cookieStore).c_str()));

    // Windows reaches the store in "odd." itself; Wine's full path of it is
    // the decoy's, and then the store is not opened at all.
    profile.cookieStore = dotted + "\\Cookies";
    ASSERT_TRUE(::CopyFileW(wide(made).c_str(), wide(profile.cookieStore).c_str(), TRUE));
    const CookieStoreResult deleted = stores.DeleteSites(profile, {"far.example"});
    EXPECT_EQ(testing::ReadBytes(decoy), decoyBytes);
    if (deleted == CookieStoreResult::Done)
        EXPECT_EQ(stores.ListSites(profile).sites, std::vector<std::string>{"near.example"});
    else
        EXPECT_EQ(deleted, CookieStoreResult::InUse);
    ::DeleteFileW(wide(profile.cookieStore).c_str());
    for (std::string folder = deep; folder.size() > dir.Path().size(); folder.erase(folder.rfind('\\')))
        ::RemoveDirectoryW(wide(folder).c_str());
    ::RemoveDirectoryW(wide(dotted).c_str());
}

}  // namespace
}  // namespace velnor
