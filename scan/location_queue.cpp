#include "scan/location_queue.h"

#include "scan/case_fold.h"

namespace velnor {

namespace {

// CoversLocation on texts already folded.
bool CoversFolded(const std::string& other, const std::string& location) {
    if (other.size() > location.size() || location.compare(0, other.size(), other) != 0) return false;
    if (other.size() == location.size()) return true;
    // A plain prefix is not enough: c:\temp must not swallow c:\temp2.
    return (!other.empty() && other.back() == '\\') || location[other.size()] == '\\';
}

}  // namespace

bool CoversLocation(const std::string& other, const std::string& location) {
    return CoversFolded(FoldCase(other), FoldCase(location));
}

std::vector<std::string> UncoveredLocations(const std::vector<std::string>& locations) {
    std::vector<std::string> folded;
    folded.reserve(locations.size());
    for (const std::string& location : locations) folded.push_back(FoldCase(location));
    std::vector<std::string> queued;
    for (size_t i = 0; i < locations.size(); ++i) {
        bool covered = false;
        for (size_t j = 0; j < locations.size() && !covered; ++j) {
            if (j == i || !CoversFolded(folded[j], folded[i])) continue;
            covered = folded[j] != folded[i] || j < i;
        }
        if (!covered) queued.push_back(locations[i]);
    }
    return queued;
}

}  // namespace velnor
