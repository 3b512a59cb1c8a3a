#include "clean/browser_caches.h"

#include <algorithm>

#include "clean/clean_outcome.h"
#include "clean/folder_walk.h"
#include "ui/size_text.h"

namespace velnor {

namespace {

constexpr char kEdgeAloneText[] = "Close Microsoft Edge; it often runs in the background.";
constexpr char kEdgeNote[] = "; Edge often runs in the background.";

// Process names are compared as Windows compares file names, for the ASCII
// letters that they are made of.
bool SameProcessName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

bool Runs(const std::vector<std::string>& running, Browser browser) {
    return std::any_of(running.begin(), running.end(),
                       [&](const std::string& name) { return SameProcessName(name, BrowserProcess(browser)); });
}

// "A", "A and B", "A, B and C".
std::string NameList(const std::vector<Browser>& browsers) {
    std::string list;
    for (size_t i = 0; i < browsers.size(); ++i) {
        if (i > 0) list += i + 1 == browsers.size() ? " and " : ", ";
        list += BrowserName(browsers[i]);
    }
    return list;
}

std::string FolderName(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void BrowserCaches::Measure(IFileSystem& files, const AppDataFolders& appData) {
    caches_.clear();
    for (BrowserCacheFolder& folder : FindBrowserProfiles(files, appData).CacheFolders()) {
        MeasuredCache cache;
        cache.browser = folder.browser;
        cache.profileLabel = std::move(folder.profileLabel);
        cache.path = std::move(folder.path);
        cache.bytes = FolderSize(files, cache.path, true);
        caches_.push_back(std::move(cache));
    }
}

uint64_t BrowserCaches::TotalBytes() const {
    uint64_t sum = 0;
    for (const MeasuredCache& cache : caches_) sum += cache.bytes;
    return sum;
}

BrowserCacheOutcome BrowserCaches::Empty(IFileSystem& files, IProcesses* processes) const {
    BrowserCacheOutcome outcome;
    if (caches_.empty()) return outcome;
    const std::vector<std::string> running = processes ? processes->RunningNames() : std::vector<std::string>();
    if (running.empty()) {
        outcome.runningUnknown = true;
        return outcome;
    }
    for (const MeasuredCache& cache : caches_) {
        if (Runs(running, cache.browser)) {
            if (std::find(outcome.running.begin(), outcome.running.end(), cache.browser) == outcome.running.end())
                outcome.running.push_back(cache.browser);
            continue;
        }
        const EmptiedFolder emptied = EmptyFolder(files, cache.path);
        outcome.removed += emptied.removed;
        outcome.left += emptied.left;
    }
    return outcome;
}

std::string CacheMenuText(const MeasuredCache& cache) {
    std::string text = BrowserName(cache.browser);
    if (!cache.profileLabel.empty()) text += ", " + cache.profileLabel;
    return text + ": " + FolderName(cache.path) + " (" + SizeText(cache.bytes) + ")";
}

std::string CloseBrowsersText(const std::vector<Browser>& running) {
    if (running.empty()) return {};
    const bool edge = std::find(running.begin(), running.end(), Browser::Edge) != running.end();
    if (edge && running.size() == 1) return kEdgeAloneText;
    const std::string names = NameList(running);
    const std::string count = std::to_string(running.size()) + " browsers";
    // The first that fits the line: the names, then their number.
    std::vector<std::string> candidates;
    if (edge) {
        candidates = {"Close " + names + kEdgeNote, "Close " + count + kEdgeNote};
    } else {
        const char* caches = running.size() == 1 ? " to clean its cache." : " to clean their caches.";
        candidates = {"Close " + names + caches, "Close " + names + ".", "Close " + count + caches};
    }
    for (const std::string& text : candidates)
        if (text.size() <= kStatusLineChars) return text;
    return candidates.back();
}

}  // namespace velnor
