#pragma once
#include <cstddef>
#include <string>

#include "scan/case_fold.h"

namespace velnor {

// Anchored match of a whole text against a pattern of `*` (any run, also none)
// and `?` (exactly one character, of however many UTF-8 bytes); letters are
// compared without regard to case, as the file system compares names (see
// FoldCase). A missing (null) text or pattern never matches.
bool MatchWildcard(const char* text, const char* pattern);
inline bool MatchWildcard(const std::string& text, const std::string& pattern) {
    return MatchWildcard(text.c_str(), pattern.c_str());
}

// Leftmost index at or after start where the segment matches the text (`?`
// matching any one character), or -1.
int FindSegment(const char* text, const char* segment, int start);

// The matcher's own steps, for callers that keep their patterns prepared: the
// text folded with FoldCase (FoldedText), the pattern with PreparePattern.
// Gives exactly the answer of MatchWildcard on the unprepared strings.
bool MatchPrepared(const char* text, size_t textLength, const char* pattern, size_t patternLength);
// Folded, and every run of `*` reduced to one.
std::string PreparePattern(const char* pattern);

}  // namespace velnor
