#include "scan/location_queue.h"

namespace velnor {

std::string NormaliseLocation(const std::string& lowered) {
    const size_t n = lowered.size();
    if (n > 3 && lowered.compare(n - 2, 2, ":)") == 0) return std::string(1, lowered[n - 3]) + ":";
    return lowered;
}

bool CoversLocation(const std::string& other, const std::string& location) {
    if (other.size() > location.size() || location.compare(0, other.size(), other) != 0) return false;
    if (other.size() == location.size()) return true;
    // A plain prefix is not enough: c:\temp must not swallow c:\temp2.
    return (!other.empty() && other.back() == '\\') || location[other.size()] == '\\';
}

std::vector<std::string> UncoveredLocations(const std::vector<std::string>& locations) {
    std::vector<std::string> queued;
    for (size_t i = 0; i < locations.size(); ++i) {
        bool covered = false;
        for (size_t j = 0; j < locations.size() && !covered; ++j) {
            if (j == i || !CoversLocation(locations[j], locations[i])) continue;
            covered = locations[j] != locations[i] || j < i;
        }
        if (!covered) queued.push_back(locations[i]);
    }
    return queued;
}

}  // namespace velnor
