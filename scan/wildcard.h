#pragma once
#include <string>

namespace velnor {

// Anchored match of a whole text against a pattern of `*` (any run, also none)
// and `?` (exactly one character); only A to Z are compared without regard to
// case. A missing (null) text or pattern never matches.
bool MatchWildcard(const char* text, const char* pattern);
inline bool MatchWildcard(const std::string& text, const std::string& pattern) {
    return MatchWildcard(text.c_str(), pattern.c_str());
}

// Leftmost index at or after start where the segment matches the text (`?`
// matching any one character), or -1.
int FindSegment(const char* text, const char* segment, int start);

}  // namespace velnor
