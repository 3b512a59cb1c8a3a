#pragma once
#include <string>

namespace velnor {

// Which last character of a folder path already ends it. The scan reads its
// locations as typed, where only a backslash ends a folder; the folders that
// Start Clean empties come from the system, which may end one with a slash.
enum class FolderEnd { Backslash, BackslashOrSlash };

// The pattern that enumerates every entry of a folder: "*.*" after a path that
// already ends as `end` says, "\*.*" after any other ("c:" gives "c:\*.*").
std::string SearchPattern(const std::string& folder, FolderEnd end);

}  // namespace velnor
