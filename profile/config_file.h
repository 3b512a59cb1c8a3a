#pragma once
// The text of config.ini: how the profile is written into it and how each key's
// value is taken apart again. No file access here; the main dialog reads and
// writes the file through the platform.
#include <string>
#include <vector>

#include "platform/prompts.h"
#include "profile/profile.h"

namespace velnor::config_file {

// The file's bytes as UTF-8, the encoding the program writes (without a
// byte-order mark). A file that is not valid UTF-8 comes from the program
// before it wrote UTF-8, in the system's legacy ANSI code page, and is
// converted with the locale. A byte-order mark that an editor put in front is
// left out, so that it does not become part of the first key.
std::string FileTextAsUtf8(const std::string& bytes, ILocale& locale);

// Removes blanks, tabs, line feeds, vertical tabs, form feeds and carriage
// returns at both ends.
std::string TrimSpace(const std::string& text);

// The value of the first line whose key equals `key` exactly, trimmed; empty
// when no line has it. Lines end in LF or CR LF.
std::string FindValue(const std::string& text, const std::string& key);

// The five lines of a saved profile, each with its key and "=", without a line end.
std::string DriveLine(const LocationTable& locations);
std::string FolderLine(const LocationTable& locations);
std::string ExcludeLine(const ExclusionTable& exclusions);
std::string FilterLine(const FilterTable& filters);
// One filter as "Filter=" holds it, the text between its "<" and ">".
std::string FilterEntry(const std::string& pattern, const std::string& description, bool checked, FilterType type);
std::string OptionLine(const ScanOptions& options);

// The whole file as SaveProfile writes it: five lines, each followed by an empty
// line (LF here; the file system writes CR LF).
std::string ProfileText(const ScanProfile& profile);

// The four-line file of the first start: every fixed drive checked, no folders.
std::string FirstStartText(const std::vector<std::string>& fixedDrives, const ExclusionTable& exclusions,
                           const FilterTable& filters);
// "PathDrive=" with each drive ("C:") checked.
std::string FirstStartDriveLine(const std::vector<std::string>& fixedDrives);

// Parsed entries, in file order; each parser stops where the value breaks the
// entry syntax and keeps what came before.
std::vector<std::string> ParseExclusions(const std::string& value);

struct ParsedFilter {
    std::string pattern;
    std::string description;
    bool checked = false;
    FilterType type = FilterType::Include;
};
struct ParsedFilters {
    std::vector<ParsedFilter> filters;
    bool allChecked = true;
};
ParsedFilters ParseFilters(const std::string& value);

struct ParsedFolder {
    std::string path;
    bool checked = false;
};
std::vector<ParsedFolder> ParseFolders(const std::string& value);

// True when the "PathDrive" value names the drive ("C:") as unchecked.
bool DriveUnchecked(const std::string& value, const std::string& drive);

// The flags that the "Option" value sets; a flag without a token takes its
// default.
ScanOptions ParseOptions(const std::string& value);

}  // namespace velnor::config_file
