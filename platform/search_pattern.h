#pragma once
#include <string>

namespace velnor {

// The pattern that enumerates every entry of a folder: "*.*" after a path that
// already ends in a separator (a backslash, or a slash, which Windows takes as
// one too), "\*.*" after any other ("c:" gives "c:\*.*").
std::string SearchPattern(const std::string& folder);

// An entry of a folder by the same rule: "c:\temp\" and "c:\temp" both give
// "c:\temp\name".
std::string ChildPath(const std::string& folder, const std::string& name);

}  // namespace velnor
