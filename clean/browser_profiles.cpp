#include "clean/browser_profiles.h"

#include <algorithm>
#include <map>
#include <optional>
#include <utility>

#include "platform/search_pattern.h"

namespace velnor {

namespace {

struct BrowserFacts {
    Browser browser;
    const char* name;
    const char* process;
};

constexpr BrowserFacts kBrowsers[kBrowserCount] = {
    {Browser::Edge, "Microsoft Edge", "msedge.exe"},  {Browser::Chrome, "Google Chrome", "chrome.exe"},
    {Browser::Brave, "Brave", "brave.exe"},           {Browser::Vivaldi, "Vivaldi", "vivaldi.exe"},
    {Browser::Opera, "Opera", "opera.exe"},           {Browser::OperaGx, "Opera GX", "opera.exe"},
    {Browser::Firefox, "Firefox", "firefox.exe"},
};

// Where a Chromium-family browser keeps its user data folder. Opera keeps it
// in the roaming folder, where that folder is the one profile, and its caches
// under the same name in the local one.
struct ChromiumLayout {
    Browser browser;
    bool roaming;
    const char* userData;
};

constexpr ChromiumLayout kChromiumLayouts[] = {
    {Browser::Edge, false, "Microsoft\\Edge\\User Data"},
    {Browser::Chrome, false, "Google\\Chrome\\User Data"},
    {Browser::Brave, false, "BraveSoftware\\Brave-Browser\\User Data"},
    {Browser::Vivaldi, false, "Vivaldi\\User Data"},
    {Browser::Opera, true, "Opera Software\\Opera Stable"},
    {Browser::OperaGx, true, "Opera Software\\Opera GX Stable"},
};

constexpr const char* kChromiumProfileCaches[] = {"Cache", "Code Cache", "GPUCache"};
constexpr const char* kChromiumSharedCaches[] = {"ShaderCache", "GrShaderCache", "GraphiteDawnCache"};
constexpr const char* kChromiumCookieStores[] = {"Network\\Cookies", "Cookies"};

constexpr const char* kFirefoxProfiles = "Mozilla\\Firefox\\Profiles";
constexpr const char* kFirefoxCaches[] = {"cache2", "startupCache", "thumbnails"};
constexpr const char* kFirefoxCookieStore = "cookies.sqlite";

constexpr const char* kDefaultProfile = "Default";
constexpr const char* kNumberedProfile = "Profile ";

// A real folder: a link is never taken for the folder it leads to.
bool IsFolder(IFileSystem& files, const std::string& path) {
    const std::optional<uint32_t> attributes = files.Attributes(path);
    return attributes && (*attributes & kAttrDirectory) && !(*attributes & kAttrReparsePoint);
}

bool IsFile(IFileSystem& files, const std::string& path) {
    const std::optional<uint32_t> attributes = files.Attributes(path);
    return attributes && !(*attributes & (kAttrDirectory | kAttrReparsePoint)) && !files.LeadsElsewhere(path);
}

// The names of the real folders inside a folder, in the file system's order.
std::vector<std::string> SubfolderNames(IFileSystem& files, const std::string& folder) {
    std::vector<std::string> names;
    files.Enumerate(SearchPattern(folder), [&](const FindData& entry) {
        if ((entry.attributes & kAttrDirectory) && !(entry.attributes & kAttrReparsePoint) && entry.name != "." &&
            entry.name != "..")
            names.push_back(entry.name);
        return true;
    });
    return names;
}

template <size_t N>
void AddFoldersThatExist(IFileSystem& files, const std::string& folder, const char* const (&names)[N],
                         std::vector<std::string>& found) {
    for (const char* name : names) {
        const std::string path = ChildPath(folder, name);
        if (IsFolder(files, path)) found.push_back(path);
    }
}

bool AllDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Where a folder of the user data folder stands among the profiles: "Default"
// first, then "Profile N" by N (its digits compared by length first, so that
// "Profile 10" follows "Profile 9"). Anything else is not one of the user's
// profiles ("System Profile", "Guest Profile" and the like).
using ProfileOrder = std::pair<size_t, std::string>;
std::optional<ProfileOrder> ChromiumProfileOrder(const std::string& name) {
    if (name == kDefaultProfile) return ProfileOrder{};
    const std::string prefix = kNumberedProfile;
    if (name.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
    std::string number = name.substr(prefix.size());
    if (!AllDigits(number)) return std::nullopt;
    number.erase(0, std::min(number.find_first_not_of('0'), number.size() - 1));
    return ProfileOrder{number.size(), number};
}

std::string ChromiumCookieStore(IFileSystem& files, const std::string& profile) {
    for (const char* store : kChromiumCookieStores) {
        const std::string path = ChildPath(profile, store);
        if (IsFile(files, path)) return path;
    }
    return {};
}

void FindChromium(IFileSystem& files, const AppDataFolders& appData, const ChromiumLayout& layout,
                  FoundBrowsers& found) {
    const std::string& base = layout.roaming ? appData.roaming : appData.local;
    if (base.empty()) return;
    const std::string userData = ChildPath(base, layout.userData);
    if (!IsFolder(files, userData)) return;
    std::vector<std::string> sharedCaches;
    AddFoldersThatExist(files, userData, kChromiumSharedCaches, sharedCaches);

    std::vector<BrowserProfile> profiles;
    if (layout.roaming) {
        BrowserProfile profile;
        profile.browser = layout.browser;
        profile.folder = userData;
        profile.cookieStore = ChromiumCookieStore(files, userData);
        AddFoldersThatExist(files, userData, kChromiumProfileCaches,
                            profile.cacheFolders);
        if (!appData.local.empty()) {
            const std::string localData = ChildPath(appData.local, layout.userData);
            AddFoldersThatExist(files, localData, kChromiumProfileCaches,
                                profile.cacheFolders);
            AddFoldersThatExist(files, localData, kChromiumSharedCaches,
                                sharedCaches);
        }
        profiles.push_back(std::move(profile));
    } else {
        std::vector<std::pair<ProfileOrder, std::string>> named;
        for (const std::string& name : SubfolderNames(files, userData))
            if (std::optional<ProfileOrder> order = ChromiumProfileOrder(name)) named.emplace_back(*order, name);
        std::sort(named.begin(), named.end());
        for (const auto& [order, name] : named) {
            BrowserProfile profile;
            profile.browser = layout.browser;
            profile.label = named.size() > 1 ? name : std::string();
            profile.folder = ChildPath(userData, name);
            profile.cookieStore = ChromiumCookieStore(files, profile.folder);
            AddFoldersThatExist(files, profile.folder, kChromiumProfileCaches,
                                profile.cacheFolders);
            profiles.push_back(std::move(profile));
        }
    }
    for (BrowserProfile& profile : profiles) found.profiles.push_back(std::move(profile));
    for (std::string& path : sharedCaches) found.sharedCaches.push_back({layout.browser, {}, std::move(path)});
}

// Firefox names a profile's folder "<random>.<name>": the name tells the
// profiles apart, unless two share it.
void LabelFirefoxProfiles(std::vector<BrowserProfile>& profiles, const std::vector<std::string>& folderNames) {
    if (profiles.size() < 2) return;
    std::map<std::string, int> uses;
    for (size_t i = 0; i < profiles.size(); ++i) {
        const std::string& name = folderNames[i];
        const size_t dot = name.find('.');
        profiles[i].label = dot == std::string::npos || dot + 1 == name.size() ? name : name.substr(dot + 1);
        ++uses[profiles[i].label];
    }
    for (size_t i = 0; i < profiles.size(); ++i)
        if (uses[profiles[i].label] > 1) profiles[i].label = folderNames[i];
}

void FindFirefox(IFileSystem& files, const AppDataFolders& appData, FoundBrowsers& found) {
    if (appData.roaming.empty()) return;
    const std::string root = ChildPath(appData.roaming, kFirefoxProfiles);
    if (!IsFolder(files, root)) return;
    std::vector<std::string> names = SubfolderNames(files, root);
    std::sort(names.begin(), names.end());
    std::vector<BrowserProfile> profiles;
    for (const std::string& name : names) {
        BrowserProfile profile;
        profile.browser = Browser::Firefox;
        profile.folder = ChildPath(root, name);
        const std::string store = ChildPath(profile.folder, kFirefoxCookieStore);
        if (IsFile(files, store)) profile.cookieStore = store;
        if (!appData.local.empty()) {
            const std::string local = ChildPath(ChildPath(appData.local, kFirefoxProfiles), name);
            AddFoldersThatExist(files, local, kFirefoxCaches, profile.cacheFolders);
        }
        profiles.push_back(std::move(profile));
    }
    LabelFirefoxProfiles(profiles, names);
    for (BrowserProfile& profile : profiles) found.profiles.push_back(std::move(profile));
}

}  // namespace

const char* BrowserName(Browser browser) { return kBrowsers[static_cast<int>(browser)].name; }

const char* BrowserProcess(Browser browser) { return kBrowsers[static_cast<int>(browser)].process; }

std::vector<BrowserCacheFolder> FoundBrowsers::CacheFolders() const {
    std::vector<BrowserCacheFolder> folders;
    for (const BrowserProfile& profile : profiles)
        for (const std::string& path : profile.cacheFolders) folders.push_back({profile.browser, profile.label, path});
    folders.insert(folders.end(), sharedCaches.begin(), sharedCaches.end());
    return folders;
}

AppDataFolders UserAppDataFolders(IShell& shell) {
    return {shell.SpecialFolderPath(kCsidlLocalAppData).value_or(""), shell.SpecialFolderPath(kCsidlAppData).value_or("")};
}

FoundBrowsers FindBrowserProfiles(IFileSystem& files, const AppDataFolders& appData) {
    FoundBrowsers found;
    for (const ChromiumLayout& layout : kChromiumLayouts) FindChromium(files, appData, layout, found);
    FindFirefox(files, appData, found);
    return found;
}

}  // namespace velnor
