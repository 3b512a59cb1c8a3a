#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velnor {

// One list of patterns, prepared once when it is filled and grouped by the byte
// that a text must end or begin with, so that a name is tried only against the
// few patterns that could accept it. Answers exactly as MatchWildcard over the
// whole list would.
class PatternIndex {
public:
    void Clear();
    void Add(const std::string& pattern);
    // The text must already be folded with FoldCase.
    bool AnyMatches(const char* foldedText, size_t length) const;

private:
    struct Entry {
        std::string prepared;  // folded, runs of `*` reduced to one
        std::string tail;      // the literal bytes at the pattern's end: every match ends in them
        size_t minLength = 0;  // bytes that are not `*`
        bool hasStar = false;
        bool hasQuestion = false;
    };
    static constexpr int kByLastByte = 0;
    static constexpr int kByFirstByte = 256;
    static constexpr int kAnyText = 512;
    static constexpr int kGroups = 513;

    bool Accepts(const Entry& entry, const char* text, size_t length) const;
    bool GroupAccepts(int group, const char* text, size_t length) const;
    void Regroup();

    std::vector<Entry> entries_;
    std::vector<uint32_t> grouped_;       // entry indices, group after group
    std::vector<uint32_t> groupStart_;    // kGroups + 1 offsets into grouped_
};

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
    PatternIndex includeIndex_;
    PatternIndex exceptionIndex_;
    PatternIndex folderIndex_;
};

}  // namespace velnor
