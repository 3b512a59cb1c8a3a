#pragma once
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/prompts.h"
#include "profile/profile.h"
#include "scan/filter_set.h"
#include "scan/found_files.h"

namespace velnor {

// What a walk tells its caller as it goes.
class ScanListener {
public:
    virtual ~ScanListener() = default;
    // A folder's walk begins (excluded folders are not walked).
    virtual void OnFolder(const std::string& /*path*/) {}
    // Files found, in walk order: at every breath and at the end of each
    // folder. The listener takes them out of `hits`.
    virtual void OnHits(std::vector<JunkItem>& hits) = 0;
    // Every kEntriesPerBreath entries of a folder, after its hits so far, and
    // every few milliseconds while a folder's listing is awaited: the caller
    // may let its window answer. False stops the whole walk.
    virtual bool OnBreath() { return true; }
};

// The scan: the checked locations walked breadth-first, every wanted file
// added to the found files. It knows nothing of windows; a window walks it
// folder by folder, a command line at once.
class JunkScan {
public:
    // A folder of very many entries still lets the caller breathe after this
    // many entries as well as after every folder.
    static constexpr int kEntriesPerBreath = 500;

    JunkScan(IFileSystem* files, ILocale* locale) : files_(files), locale_(locale) {}

    // Takes the walk's work lists and options from the profile.
    void Start(const ScanProfile& profile);
    bool Done() const { return queue_.empty(); }
    // Walks the folder at the head of the queue; false when nothing is left.
    bool WalkNextFolder(ScanListener& listener);
    // The same, the hits added to the found files.
    bool WalkNextFolder(FoundFiles& found);
    // Nothing more is walked.
    void Stop();

    const std::deque<std::string>& Queue() const { return queue_; }
    const FilterSet& Filters() const { return filters_; }
    const ScanOptions& Options() const { return options_; }

private:
    bool CanList(const std::string& path) const;
    void ListAhead();
    void WalkFolder(const std::string& path, bool location, ScanListener& listener);

    IFileSystem* files_;
    ILocale* locale_;
    std::deque<std::string> queue_;
    // The folders found by the walk are listed in turn, each read while the
    // ones before it are walked. The locations that head the queue are
    // listed as the profile names them: they need not be full paths.
    std::unique_ptr<IListingsInTurn> listings_;
    size_t locationsQueued_ = 0;
    size_t queuedAhead_ = 0;  // the head of the queue handed to listings_ or passed over
    bool walking_ = false;
    FilterSet filters_;
    ScanOptions options_;
};

// The whole walk at once.
void ScanAll(const ScanProfile& profile, IFileSystem& files, ILocale* locale, FoundFiles& found);

}  // namespace velnor
