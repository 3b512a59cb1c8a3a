#include "scan/junk_scan.h"

#include <utility>
#include <vector>

#include "platform/search_pattern.h"
#include "scan/location_queue.h"
#include "scan/unusable_name.h"
#include "scan/utf8.h"

namespace velnor {

void JunkScan::Start(const ScanProfile& profile) {
    Stop();
    filters_.Clear();
    options_ = profile.options;

    const LocationTable& locations = profile.locations;
    std::vector<std::string> checked;
    for (int row = 0; row < locations.RowCount(); ++row) {
        const LocationEntry& location = locations.At(row);
        if (!location.checked) continue;
        // A drive is walked from its root, whatever name it is shown under.
        const std::string& where = location.kind == LocationKind::Drive ? location.drive : location.path;
        std::string text = Utf8Prefix(where, kMaxLocationChars);
        if (locale_) text = locale_->Lower(text);
        checked.push_back(std::move(text));
    }
    for (std::string& location : UncoveredLocations(checked)) queue_.push_back(std::move(location));
    locationsQueued_ = queue_.size();
    // A walk that is still listing keeps its listings: only a new turn drops them.
    if (files_ && !walking_) listings_ = files_->ListInTurn();

    const FilterTable& filters = profile.filters;
    for (int row = 0; row < filters.RowCount(); ++row) {
        const FilterEntry& filter = filters.At(row);
        if (!filter.checked) continue;
        if (filter.type == FilterType::Exclude)
            filters_.AddException(filter.pattern);
        else
            filters_.AddInclude(filter.pattern);
    }

    const ExclusionTable& exclusions = profile.exclusions;
    for (int row = 0; row < exclusions.RowCount(); ++row) filters_.AddFolderExclusion(exclusions.At(row).pattern);
}

namespace {

// Adds the hits to the found files.
class AddToFound final : public ScanListener {
public:
    explicit AddToFound(FoundFiles& found) : found_(found) {}
    void OnHits(std::vector<JunkItem>& hits) override { found_.Append(hits); }

private:
    FoundFiles& found_;
};

}  // namespace

void JunkScan::Stop() {
    queue_.clear();
    locationsQueued_ = queuedAhead_ = 0;
    // A stop from within a listing lets it end first.
    if (!walking_) listings_.reset();
}

bool JunkScan::CanList(const std::string& path) const {
    // A location can name no file too (chosen where the code page could not
    // hold its name); nothing below it could be handed back.
    return files_ && !NamesNoFile(path);
}

// Hands on the queue's next folders, in the queue's order, while the listings
// take them; the head of the queue is always among them.
void JunkScan::ListAhead() {
    if (!listings_) return;
    for (; queuedAhead_ < queue_.size(); ++queuedAhead_) {
        const std::string& path = queue_[queuedAhead_];
        if (queuedAhead_ < locationsQueued_ || filters_.IsFolderExcluded(path) || !CanList(path)) continue;
        if (!listings_->Add(SearchPattern(path))) break;
    }
}

bool JunkScan::WalkNextFolder(ScanListener& listener) {
    if (queue_.empty()) return false;
    ListAhead();
    // The queue grows at its end while the folder is walked.
    const std::string path = std::move(queue_.front());
    queue_.pop_front();
    if (queuedAhead_ > 0) --queuedAhead_;
    const bool location = locationsQueued_ > 0;
    if (location) --locationsQueued_;
    walking_ = true;
    WalkFolder(path, location, listener);
    walking_ = false;
    // Folders read ahead and not reached are let go with the walk.
    if (queue_.empty()) listings_.reset();
    return !queue_.empty();
}

bool JunkScan::WalkNextFolder(FoundFiles& found) {
    AddToFound add(found);
    return WalkNextFolder(add);
}

void JunkScan::WalkFolder(const std::string& path, bool location, ScanListener& listener) {
    if (filters_.IsFolderExcluded(path)) return;
    listener.OnFolder(path);
    if (!CanList(path)) return;

    const bool includeHidden = options_[ScanOptions::kHide];
    const bool includeReadOnly = options_[ScanOptions::kRead];
    const bool includeSystem = options_[ScanOptions::kSystem];
    const bool findZeroSize = options_[ScanOptions::kZero];
    const std::string pattern = SearchPattern(path);
    // Entries are named from the pattern's folder part, so "c:" and "c:\temp\"
    // give "c:\name" and "c:\temp\name".
    const std::string folder = pattern.substr(0, pattern.find_last_of("\\/")) + "\\";
    // Hits wait here and reach the found files together at each breath and at
    // the end of the folder: whatever the caller runs then sees all of them.
    std::vector<JunkItem> hits;
    int entriesSinceBreath = 0;

    const auto onEntry = [&](const FindData& entry) {
        if (entriesSinceBreath == kEntriesPerBreath) {
            entriesSinceBreath = 0;
            if (!hits.empty()) listener.OnHits(hits);
            if (!listener.OnBreath()) {
                Stop();
                return false;
            }
        }
        ++entriesSinceBreath;
        if (entry.name == "." || entry.name == "..") return true;
        if (NamesNoFile(entry.name)) return true;
        const uint32_t a = entry.attributes;
        const bool refused = ((a & kAttrHidden) && !includeHidden) || ((a & kAttrReadOnly) && !includeReadOnly) ||
                             ((a & kAttrSystem) && !includeSystem);
        if (a & kAttrDirectory) {
            // A junction or link can lead back up (an endless walk) or into a
            // folder that the exclusions were written to keep out.
            if (!refused && !(a & kAttrReparsePoint)) queue_.push_back(folder + entry.name);
            return true;
        }
        // A link to a file is not the file it leads to: it is never listed,
        // so that no removal can reach its target. (Where listings do not
        // show such links, the removal itself refuses them.)
        if (a & kAttrReparsePoint) return true;
        const bool zeroSizeHit = findZeroSize && entry.size == 0;
        if (!zeroSizeHit && (refused || !filters_.IsFileWanted(entry.name))) return true;

        JunkItem item;
        item.path = folder + entry.name;
        item.size = entry.size;
        item.modified = entry.lastWriteTime;
        hits.push_back(std::move(item));
        return true;
    };
    if (location || !listings_) {
        files_->Enumerate(pattern, onEntry);
    } else {
        listings_->ListNext(pattern, onEntry, [&] {
            if (listener.OnBreath()) return true;
            Stop();
            return false;
        });
    }
    if (!hits.empty()) listener.OnHits(hits);
}

void ScanAll(const ScanProfile& profile, IFileSystem& files, ILocale* locale, FoundFiles& found) {
    JunkScan scan(&files, locale);
    scan.Start(profile);
    while (scan.WalkNextFolder(found)) {
    }
}

}  // namespace velnor
