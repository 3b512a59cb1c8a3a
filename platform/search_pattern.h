#pragma once
#include <string>

namespace velnor {

// The pattern that enumerates every entry of a folder: "*.*" after a path that
// already ends in a separator (a backslash, or a slash, which Windows takes as
// one too), "\*.*" after any other ("c:" gives "c:\*.*").
std::string SearchPattern(const std::string& folder);

}  // namespace velnor
