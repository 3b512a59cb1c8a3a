#pragma once
#include <string>
#include <vector>

namespace velnor {

// The three pattern lists of one scan and the two tests built on them.
class FilterSet {
public:
    void Clear();
    void AddInclude(const std::string& pattern);
    void AddException(const std::string& pattern);
    void AddFolderExclusion(const std::string& pattern);

    const std::vector<std::string>& Includes() const { return includes_; }
    const std::vector<std::string>& Exceptions() const { return exceptions_; }
    const std::vector<std::string>& FolderExclusions() const { return folderExclusions_; }

    // True when an include pattern accepts the bare file name and no exception does.
    bool IsFileWanted(const std::string& name) const;
    // True when a folder-exclusion pattern accepts the folder's path.
    bool IsFolderExcluded(const std::string& path) const;

private:
    std::vector<std::string> includes_;
    std::vector<std::string> exceptions_;
    std::vector<std::string> folderExclusions_;
};

}  // namespace velnor
