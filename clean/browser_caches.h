#pragma once
// The Clean page's browsers' caches: the folders of data that a browser
// downloads again by itself, found for every browser profile of the user,
// measured, listed by whose they are, and emptied while their browser is not
// running. What a browser keeps for the user (cookies, history, passwords,
// bookmarks, sessions, site storage, extensions) is never reached: only the
// cache folders themselves are walked.
#include <cstdint>
#include <string>
#include <vector>

#include "clean/browser_profiles.h"
#include "platform/file_system.h"
#include "platform/processes.h"

namespace velnor {

// One cache folder as the Clean page shows it.
struct MeasuredCache {
    Browser browser = Browser::Edge;
    std::string profileLabel;  // empty where the browser has one profile, or for a shared folder
    std::string path;
    uint64_t bytes = 0;  // at the last measurement
};

// What emptying the caches did.
struct BrowserCacheOutcome {
    // The browsers whose caches were left whole because they run, each once,
    // in the order they were found.
    std::vector<Browser> running;
    uint32_t removed = 0;  // files
    uint32_t left = 0;     // files of browsers that do not run that could not be removed
    // The process list could not be had: no browser is known not to run, and
    // nothing was touched.
    bool runningUnknown = false;
    bool Emptied() const { return running.empty() && left == 0 && !runningUnknown; }
};

class BrowserCaches {
public:
    // Finds the caches of every browser profile in the user's application
    // data folders and measures each one, links left out.
    void Measure(IFileSystem& files, const AppDataFolders& appData);
    void Clear() { caches_.clear(); }
    const std::vector<MeasuredCache>& Caches() const { return caches_; }
    uint64_t TotalBytes() const;

    // Empties every cache folder found at the last measurement, the folders
    // themselves staying, except those of a browser that runs: its files are
    // in use, and pulling its cache from under it can damage its profile.
    // The list always holds this program itself: an empty one, or none, could
    // not be had, and then nothing goes.
    BrowserCacheOutcome Empty(IFileSystem& files, IProcesses* processes) const;

private:
    std::vector<MeasuredCache> caches_;
};

// "Microsoft Edge, Profile 1: Code Cache (1.50 MB)": a cache folder in the
// open-folder button's menu.
std::string CacheMenuText(const MeasuredCache& cache);

// The status line's word to the user about the browsers that were skipped:
// which to close. Edge often stays running in the background after its last
// window has closed, and the text says so.
std::string CloseBrowsersText(const std::vector<Browser>& running);

}  // namespace velnor
