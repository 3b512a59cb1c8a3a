#pragma once
#include <string>
#include <vector>

namespace velnor {

// A location's text is normalised in a working copy of this many characters.
constexpr size_t kMaxLocationChars = 999;

// True when scanning `other` already scans `location`: other's text starts
// location's and ends at a path boundary there (it ends in a backslash, or
// location goes on with one). Equal texts cover each other. Letter case counts
// as little as it does for the file system and the exclusions (FoldCase).
bool CoversLocation(const std::string& other, const std::string& location);

// The normalised locations to queue, in order: a location covered by another
// one is left out, and of equal ones (in any case) only the first stays.
std::vector<std::string> UncoveredLocations(const std::vector<std::string>& locations);

}  // namespace velnor
