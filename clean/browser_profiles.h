#pragma once
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/shell.h"

namespace velnor {

// The browsers whose data the program knows, in the order it shows them.
enum class Browser { Edge, Chrome, Brave, Vivaldi, Opera, OperaGx, Firefox };
constexpr int kBrowserCount = 7;

// "Microsoft Edge", "Google Chrome", ...: how the program names a browser to the user.
const char* BrowserName(Browser browser);
// The browser's program as the process list shows it ("msedge.exe"); Opera
// and Opera GX run the same program.
const char* BrowserProcess(Browser browser);

// The current user's two application-data folders.
struct AppDataFolders {
    std::string local;    // %LOCALAPPDATA%
    std::string roaming;  // %APPDATA%
};

// The folders as the shell names them; a folder it cannot name stays empty,
// and nothing is looked for there.
AppDataFolders UserAppDataFolders(IShell& shell);

// One profile of a browser as found on disk.
struct BrowserProfile {
    Browser browser = Browser::Edge;
    // Tells the profile from the browser's others ("Default", "Profile 1",
    // Firefox's "default-release"); empty where the browser has one profile.
    std::string label;
    std::string folder;
    // The cookie database; empty when the profile has none.
    std::string cookieStore;
    // The cache folders of this profile that exist.
    std::vector<std::string> cacheFolders;
};

// A cache folder with whose it is.
struct BrowserCacheFolder {
    Browser browser = Browser::Edge;
    std::string profileLabel;  // empty for a folder that all the browser's profiles share
    std::string path;
};

struct FoundBrowsers {
    // Browser by browser in the order of the enum; a browser's profiles in
    // their own order ("Default", then "Profile 1", "Profile 2", ...).
    std::vector<BrowserProfile> profiles;
    // Caches that belong to a browser as a whole rather than to one profile.
    std::vector<BrowserCacheFolder> sharedCaches;

    // Every cache folder found: each profile's, then the shared ones.
    std::vector<BrowserCacheFolder> CacheFolders() const;
};

// Looks for every known browser's profiles in the user's application-data
// folders. Only folders are taken for profiles and caches (a file or a link
// of such a name is not one), and nothing is created or changed.
FoundBrowsers FindBrowserProfiles(IFileSystem& files, const AppDataFolders& appData);

}  // namespace velnor
