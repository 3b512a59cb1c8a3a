#include "scan/filter_set.h"

#include <cstring>

#include "scan/wildcard.h"

namespace velnor {

namespace {

bool IsWildcard(char c) { return c == '*' || c == '?'; }

}  // namespace

void PatternIndex::Clear() {
    entries_.clear();
    grouped_.clear();
    groupStart_.clear();
}

void PatternIndex::Add(const std::string& pattern) {
    Entry entry;
    entry.prepared = PreparePattern(pattern.c_str());
    const std::string& p = entry.prepared;
    size_t tailStart = p.size();
    while (tailStart > 0 && !IsWildcard(p[tailStart - 1])) --tailStart;
    entry.tail = p.substr(tailStart);
    for (char c : p) {
        if (c == '*')
            entry.hasStar = true;
        else
            ++entry.minLength;
        if (c == '?') entry.hasQuestion = true;
    }
    entries_.push_back(std::move(entry));
    Regroup();
}

void PatternIndex::Regroup() {
    // A pattern with a literal end can only accept texts ending in its last
    // byte; else one with a literal start only texts beginning with its first;
    // the rest is tried on every text.
    std::vector<int> groupOf(entries_.size());
    groupStart_.assign(kGroups + 1, 0);
    for (size_t i = 0; i < entries_.size(); ++i) {
        const Entry& e = entries_[i];
        int group = kAnyText;
        if (!e.tail.empty())
            group = kByLastByte + static_cast<unsigned char>(e.tail.back());
        else if (!e.prepared.empty() && !IsWildcard(e.prepared[0]))
            group = kByFirstByte + static_cast<unsigned char>(e.prepared[0]);
        groupOf[i] = group;
        ++groupStart_[group + 1];
    }
    for (int g = 0; g < kGroups; ++g) groupStart_[g + 1] += groupStart_[g];
    grouped_.assign(entries_.size(), 0);
    std::vector<uint32_t> next(groupStart_.begin(), groupStart_.end() - 1);
    for (size_t i = 0; i < entries_.size(); ++i) grouped_[next[groupOf[i]]++] = static_cast<uint32_t>(i);
}

bool PatternIndex::Accepts(const Entry& e, const char* text, size_t length) const {
    // A `?` may take a character of several bytes, so only a pattern of
    // literal bytes alone fixes the length.
    if (length < e.minLength || (!e.hasStar && !e.hasQuestion && length != e.minLength)) return false;
    if (!e.tail.empty() && std::memcmp(text + length - e.tail.size(), e.tail.data(), e.tail.size()) != 0)
        return false;
    return MatchPrepared(text, length, e.prepared.data(), e.prepared.size());
}

bool PatternIndex::GroupAccepts(int group, const char* text, size_t length) const {
    for (uint32_t i = groupStart_[group]; i < groupStart_[group + 1]; ++i)
        if (Accepts(entries_[grouped_[i]], text, length)) return true;
    return false;
}

bool PatternIndex::AnyMatches(const char* text, size_t length) const {
    if (entries_.empty()) return false;
    if (length > 0) {
        if (GroupAccepts(kByLastByte + static_cast<unsigned char>(text[length - 1]), text, length)) return true;
        if (GroupAccepts(kByFirstByte + static_cast<unsigned char>(text[0]), text, length)) return true;
    }
    return GroupAccepts(kAnyText, text, length);
}

void FilterSet::Clear() {
    includes_.clear();
    exceptions_.clear();
    folderExclusions_.clear();
    includeIndex_.Clear();
    exceptionIndex_.Clear();
    folderIndex_.Clear();
}

void FilterSet::AddInclude(const std::string& pattern) {
    includes_.push_back(pattern);
    includeIndex_.Add(pattern);
}

void FilterSet::AddException(const std::string& pattern) {
    exceptions_.push_back(pattern);
    exceptionIndex_.Add(pattern);
}

void FilterSet::AddFolderExclusion(const std::string& pattern) {
    folderExclusions_.push_back(pattern);
    folderIndex_.Add(pattern);
}

// Which include accepts a name first makes no difference to the answer, and
// the exceptions are the same for all of them: so the name is wanted when any
// include accepts it and no exception does.
bool FilterSet::IsFileWanted(const std::string& name) const {
    const FoldedText folded(name.c_str());
    return includeIndex_.AnyMatches(folded.Data(), folded.Length()) &&
           !exceptionIndex_.AnyMatches(folded.Data(), folded.Length());
}

bool FilterSet::IsFolderExcluded(const std::string& path) const {
    const FoldedText folded(path.c_str());
    return folderIndex_.AnyMatches(folded.Data(), folded.Length());
}

}  // namespace velnor
