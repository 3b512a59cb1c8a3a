#include "scan/filter_set.h"

#include "scan/wildcard.h"

namespace velnor {

void FilterSet::Clear() {
    includes_.clear();
    exceptions_.clear();
    folderExclusions_.clear();
}

void FilterSet::AddInclude(const std::string& pattern) { includes_.push_back(pattern); }
void FilterSet::AddException(const std::string& pattern) { exceptions_.push_back(pattern); }
void FilterSet::AddFolderExclusion(const std::string& pattern) { folderExclusions_.push_back(pattern); }

bool FilterSet::IsFileWanted(const std::string& name) const {
    for (const std::string& include : includes_) {
        if (!MatchWildcard(name, include)) continue;
        for (const std::string& exception : exceptions_)
            if (MatchWildcard(name, exception)) return false;
        return true;
    }
    return false;
}

bool FilterSet::IsFolderExcluded(const std::string& path) const {
    for (const std::string& pattern : folderExclusions_)
        if (MatchWildcard(path, pattern)) return true;
    return false;
}

}  // namespace velnor
