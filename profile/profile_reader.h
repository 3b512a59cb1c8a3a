#pragma once
// Reading config.ini into a profile: the one way both the window and the
// command line fill a profile from the file's text. The file is read
// elsewhere; nothing here writes it.
#include <string>

#include "platform/platform.h"
#include "profile/profile.h"

namespace velnor {

// The profile's path: config.ini in the program's folder.
std::string ProfilePathBeside(const std::string& modulePath);

// The file's bytes as the program holds its text: UTF-8 (a file of the old
// program converted from the legacy code page), or, where Windows ignores
// the manifest, the bytes as they stand, as every program before did.
std::string ProfileFileText(const std::string& bytes, ILocale* locale);

// The exclusions of "PathExclude" in place of the table's rows; false, and
// the table as it was, when the value holds none.
bool ReadExclusions(const std::string& text, ExclusionTable& exclusions);
// The filters of "Filter", appended; false when any of them is unchecked.
bool ReadFilters(const std::string& text, FilterTable& filters);
ScanOptions ReadOptions(const std::string& text);

// The machine's fixed drives in place of the table's rows, each checked,
// named as the shell shows them, with their sizes where they can be read.
void ListFixedDriveRows(const Platform& platform, LocationTable& locations);
// Unchecks the drives that "PathDrive" names unchecked; true when any is.
bool ReadDriveChecks(const std::string& text, LocationTable& locations);
// The folders of "PathFolder", appended; true when any is unchecked.
bool ReadFolders(const std::string& text, LocationTable& locations);

// The whole profile from the file's text, as the window loads it when it
// opens: the fixed drives, their checks, the folders, the exclusions, the
// filters and the options.
void ReadProfile(const std::string& text, const Platform& platform, ScanProfile& profile);

}  // namespace velnor
