#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "clean/browser_profiles.h"
#include "tests/fakes/fake_platform.h"

namespace velnor {
namespace {

using testing::FakeFileSystem;

const char kLocal[] = "C:\\Users\\Ann\\AppData\\Local";
const char kRoaming[] = "C:\\Users\\Ann\\AppData\\Roaming";

std::string Local(const std::string& path) { return std::string(kLocal) + "\\" + path; }
std::string Roaming(const std::string& path) { return std::string(kRoaming) + "\\" + path; }

// One line per profile: browser|label|folder|cookie store|caches.
std::vector<std::string> Described(const FoundBrowsers& found) {
    std::vector<std::string> lines;
    for (const BrowserProfile& p : found.profiles) {
        std::string line = std::string(BrowserName(p.browser)) + "|" + p.label + "|" + p.folder + "|" + p.cookieStore + "|";
        for (const std::string& cache : p.cacheFolders) line += cache + ";";
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> DescribedShared(const FoundBrowsers& found) {
    std::vector<std::string> lines;
    for (const BrowserCacheFolder& f : found.sharedCaches)
        lines.push_back(std::string(BrowserName(f.browser)) + "|" + f.profileLabel + "|" + f.path);
    return lines;
}

TEST(BrowserProfiles, NamesAndProcessesOfEveryBrowser) {
    const struct {
        Browser browser;
        const char *name, *process;
    } cases[] = {
        {Browser::Edge, "Microsoft Edge", "msedge.exe"}, {Browser::Chrome, "Google Chrome", "chrome.exe"},
        {Browser::Brave, "Brave", "brave.exe"},          {Browser::Vivaldi, "Vivaldi", "vivaldi.exe"},
        {Browser::Opera, "Opera", "opera.exe"},          {Browser::OperaGx, "Opera GX", "opera.exe"},
        {Browser::Firefox, "Firefox", "firefox.exe"},
    };
    ASSERT_EQ(std::size(cases), static_cast<size_t>(kBrowserCount));
    for (const auto& c : cases) {
        EXPECT_STREQ(BrowserName(c.browser), c.name);
        EXPECT_STREQ(BrowserProcess(c.browser), c.process);
    }
}

// A generated user with Edge (several profiles and decoys), Chrome (one
// profile, the older cookie store), Opera, Opera GX and two Firefox profiles.
TEST(BrowserProfiles, FindsEveryProfileItsCookieStoreAndItsCaches) {
    FakeFileSystem files;
    const std::string edge = Local("Microsoft\\Edge\\User Data");
    for (const char* profile : {"Profile 10", "Default", "Profile 2", "System Profile", "Guest Profile", "Profile 1",
                                "Profile", "Profile x", "Profile 02x", "Default2"})
        files.AddFolder(edge + "\\" + profile);
    files.AddFile(edge + "\\Profile 3", 10);                          // a file named like a profile
    files.AddFolder(edge + "\\Profile 4", kAttrReparsePoint);          // a link to a folder elsewhere
    files.AddFile(edge + "\\Default\\Network\\Cookies", 100);
    files.AddFile(edge + "\\Default\\Cookies", 100);                  // the older store beside the newer one
    files.AddFile(edge + "\\Profile 1\\Cookies", 100);
    files.AddFolder(edge + "\\Profile 2\\Network\\Cookies");          // a folder is no store
    files.AddFile(edge + "\\Profile 10\\Network\\Cookies", 100);
    files.SetHiddenLink(edge + "\\Profile 10\\Network\\Cookies");     // nor is a link to a file
    for (const char* cache : {"Cache", "Code Cache", "GPUCache"}) files.AddFolder(edge + "\\Default\\" + cache);
    files.AddFile(edge + "\\Profile 1\\GPUCache", 5);                 // a file named like a cache
    files.AddFolder(edge + "\\Profile 2\\Code Cache", kAttrReparsePoint);
    files.AddFolder(edge + "\\System Profile\\Cache");
    files.AddFolder(edge + "\\ShaderCache");
    files.AddFolder(edge + "\\GraphiteDawnCache");

    const std::string chrome = Local("Google\\Chrome\\User Data");
    files.AddFolder(chrome + "\\Default\\Cache");
    files.AddFile(chrome + "\\Default\\Cookies", 100);
    files.AddFolder(chrome + "\\GrShaderCache");

    const std::string opera = Roaming("Opera Software\\Opera Stable");
    files.AddFile(opera + "\\Network\\Cookies", 100);
    files.AddFolder(opera + "\\GPUCache");
    files.AddFolder(Local("Opera Software\\Opera Stable\\Cache"));
    files.AddFolder(Local("Opera Software\\Opera Stable\\ShaderCache"));
    files.AddFolder(Roaming("Opera Software\\Opera GX Stable"));
    files.AddFolder(Local("Vivaldi"));  // no user data folder: no Vivaldi

    const std::string firefox = Roaming("Mozilla\\Firefox\\Profiles");
    files.AddFile(firefox + "\\x1y2.default-release\\cookies.sqlite", 100);
    files.AddFolder(firefox + "\\a9b8.default");
    files.AddFile(firefox + "\\profiles.txt", 1);
    const std::string firefoxLocal = Local("Mozilla\\Firefox\\Profiles");
    files.AddFolder(firefoxLocal + "\\x1y2.default-release\\cache2");
    files.AddFolder(firefoxLocal + "\\x1y2.default-release\\startupCache");
    files.AddFolder(firefoxLocal + "\\a9b8.default\\thumbnails");
    files.AddFolder(firefoxLocal + "\\gone.old\\cache2");  // a profile that no longer exists

    const FoundBrowsers found = FindBrowserProfiles(files, {kLocal, kRoaming});
    EXPECT_EQ(Described(found), (std::vector<std::string>{
        "Microsoft Edge|Default|" + edge + "\\Default|" + edge + "\\Default\\Network\\Cookies|" + edge +
            "\\Default\\Cache;" + edge + "\\Default\\Code Cache;" + edge + "\\Default\\GPUCache;",
        "Microsoft Edge|Profile 1|" + edge + "\\Profile 1|" + edge + "\\Profile 1\\Cookies|",
        "Microsoft Edge|Profile 2|" + edge + "\\Profile 2||",
        "Microsoft Edge|Profile 10|" + edge + "\\Profile 10||",
        "Google Chrome||" + chrome + "\\Default|" + chrome + "\\Default\\Cookies|" + chrome + "\\Default\\Cache;",
        "Opera||" + opera + "|" + opera + "\\Network\\Cookies|" + opera + "\\GPUCache;" +
            Local("Opera Software\\Opera Stable\\Cache") + ";",
        "Opera GX||" + Roaming("Opera Software\\Opera GX Stable") + "||",
        "Firefox|default|" + firefox + "\\a9b8.default||" + firefoxLocal + "\\a9b8.default\\thumbnails;",
        "Firefox|default-release|" + firefox + "\\x1y2.default-release|" + firefox +
            "\\x1y2.default-release\\cookies.sqlite|" + firefoxLocal + "\\x1y2.default-release\\cache2;" +
            firefoxLocal + "\\x1y2.default-release\\startupCache;",
    }));
    EXPECT_EQ(DescribedShared(found), (std::vector<std::string>{
        "Microsoft Edge||" + edge + "\\ShaderCache",
        "Microsoft Edge||" + edge + "\\GraphiteDawnCache",
        "Google Chrome||" + chrome + "\\GrShaderCache",
        "Opera||" + Local("Opera Software\\Opera Stable\\ShaderCache"),
    }));
    const std::vector<BrowserCacheFolder> caches = found.CacheFolders();
    ASSERT_EQ(caches.size(), 13u);
    EXPECT_EQ(caches[1].profileLabel, "Default");
    EXPECT_EQ(caches[1].path, edge + "\\Default\\Code Cache");
    EXPECT_EQ(caches.back().path, Local("Opera Software\\Opera Stable\\ShaderCache"));
    EXPECT_TRUE(files.deleted.empty());
}

TEST(BrowserProfiles, FirefoxProfilesOfTheSameNameAreToldApartByTheirFolders) {
    FakeFileSystem files;
    const std::string firefox = Roaming("Mozilla\\Firefox\\Profiles");
    for (const char* name : {"aaaa.default", "bbbb.default", "work"}) files.AddFolder(firefox + "\\" + name);
    std::vector<std::string> labels;
    for (const BrowserProfile& p : FindBrowserProfiles(files, {kLocal, kRoaming}).profiles) labels.push_back(p.label);
    EXPECT_EQ(labels, (std::vector<std::string>{"aaaa.default", "bbbb.default", "work"}));
}

TEST(BrowserProfiles, NoBrowsersOrNoFoldersFindNothing) {
    testing::FakeShell shell;
    shell.specialFolders = {{0x1c, kLocal}, {0x1a, kRoaming}};
    const AppDataFolders named = UserAppDataFolders(shell);
    EXPECT_EQ(named.local, kLocal);
    EXPECT_EQ(named.roaming, kRoaming);
    testing::FakeShell unnamed;
    EXPECT_EQ(UserAppDataFolders(unnamed).local, "");

    FakeFileSystem files;
    files.AddFolder(kLocal);
    files.AddFolder(kRoaming);
    EXPECT_TRUE(FindBrowserProfiles(files, {kLocal, kRoaming}).profiles.empty());
    // Where the shell could not name the folders, nothing is looked for at the drive's root.
    files.AddFile("C:\\Mozilla\\Firefox\\Profiles\\p.default\\cookies.sqlite", 1);
    files.AddFolder("C:\\Google\\Chrome\\User Data\\Default");
    const FoundBrowsers found = FindBrowserProfiles(files, {"", ""});
    EXPECT_TRUE(found.profiles.empty());
    EXPECT_TRUE(found.sharedCaches.empty());
}

}  // namespace
}  // namespace velnor
