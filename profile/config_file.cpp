#include "profile/config_file.h"

#include <algorithm>

#include "scan/utf8.h"

namespace velnor::config_file {

namespace {

const char kSpace[] = " \t\n\v\f\r";

// Where the entry that V starts with ends: the first ">". The entry's text runs
// from its second character to just before it; the first is taken to be "<"
// and dropped unseen, all of it even when it is not, so that no entry starts
// with the broken-off end of a character.
size_t EntryEnd(const std::string& v) { return v.find('>'); }

std::string EntryText(const std::string& v, size_t end) {
    const size_t first = std::min(Utf8CharLengthAt(v, 0), end);
    return v.substr(first, end - first);
}

}  // namespace

std::string FileTextAsUtf8(const std::string& bytes, ILocale& locale) {
    const std::string bom = kUtf8ByteOrderMark;
    const std::string text = bytes.compare(0, bom.size(), bom) == 0 ? bytes.substr(bom.size()) : bytes;
    if (IsValidUtf8(text)) return text;
    return locale.LegacyAnsiToUtf8(text);
}

std::string TrimSpace(const std::string& text) {
    const size_t first = text.find_first_not_of(kSpace);
    if (first == std::string::npos) return std::string();
    const size_t last = text.find_last_not_of(kSpace);
    return text.substr(first, last - first + 1);
}

std::string FindValue(const std::string& text, const std::string& key) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        const size_t equals = line.find('=');
        if (equals == std::string::npos || equals == 0) continue;
        const std::string lineKey = TrimSpace(line.substr(0, equals));
        if (!lineKey.empty() && lineKey == key) return TrimSpace(line.substr(equals + 1));
    }
    return std::string();
}

namespace {
// The entries of one kind of location, each with its check: a drive by its
// letter and colon, a folder by its path.
std::string LocationLine(std::string line, const LocationTable& locations, LocationKind kind) {
    for (int i = 0; i < locations.RowCount(); ++i) {
        const LocationEntry& location = locations.At(i);
        if (location.kind != kind) continue;
        const std::string& name = kind == LocationKind::Drive ? location.drive : location.path;
        line += "<" + name + (location.checked ? "|1" : "|0") + ">";
    }
    return line;
}
}  // namespace

std::string DriveLine(const LocationTable& locations) {
    return LocationLine("PathDrive=", locations, LocationKind::Drive);
}

std::string FolderLine(const LocationTable& locations) {
    return LocationLine("PathFolder=", locations, LocationKind::Folder);
}

std::string ExcludeLine(const ExclusionTable& exclusions) {
    std::string line = "PathExclude=";
    for (int i = 0; i < exclusions.RowCount(); ++i) line += "<" + exclusions.At(i).pattern + ">";
    return line;
}

std::string FilterEntry(const std::string& pattern, const std::string& description, bool checked, FilterType type) {
    return pattern + "|" + description + (checked ? "|1|" : "|0|") + (type == FilterType::Exclude ? "1" : "0");
}

std::string FilterLine(const FilterTable& filters) {
    std::string line = "Filter=";
    for (int i = 0; i < filters.RowCount(); ++i) {
        const velnor::FilterEntry& filter = filters.At(i);
        line += "<" + FilterEntry(filter.pattern, filter.description, filter.checked, filter.type) + ">";
    }
    return line;
}

std::string OptionLine(const ScanOptions& options) {
    std::string line = "Option=";
    for (int i = 0; i < ScanOptions::kCount; ++i) {
        const auto flag = static_cast<ScanOptions::Flag>(i);
        line += std::string("<") + ScanOptions::Token(flag) + (options[flag] ? "|1>" : "|0>");
    }
    return line;
}

std::string ProfileText(const ScanProfile& profile) {
    const std::string lines[] = {
        DriveLine(profile.locations), FolderLine(profile.locations), ExcludeLine(profile.exclusions),
        FilterLine(profile.filters),  OptionLine(profile.options),
    };
    std::string text;
    for (const std::string& line : lines) text += line + "\n\n";
    return text;
}

std::string FirstStartDriveLine(const std::vector<std::string>& fixedDrives) {
    std::string line = "PathDrive=";
    for (std::string drive : fixedDrives) {
        if (!drive.empty() && drive.back() == '\\') drive.pop_back();
        line += "<" + drive + "|1>";
    }
    return line;
}

std::string FirstStartText(const std::vector<std::string>& fixedDrives, const ExclusionTable& exclusions,
                           const FilterTable& filters) {
    return FirstStartDriveLine(fixedDrives) + "\n" + "PathFolder=\n" + ExcludeLine(exclusions) + "\n" +
           FilterLine(filters) + "\n";
}

std::vector<std::string> ParseExclusions(const std::string& value) {
    std::vector<std::string> exclusions;
    if (value.size() <= 3) return exclusions;
    std::string v = value;
    for (;;) {
        const size_t end = EntryEnd(v);
        if (end == std::string::npos) break;
        std::string e = EntryText(v, end);
        if (e.size() < 2) break;
        exclusions.push_back(std::move(e));
        v.erase(0, end + 1);
    }
    return exclusions;
}

ParsedFilters ParseFilters(const std::string& value) {
    ParsedFilters parsed;
    std::string v = TrimSpace(value);
    if (v.size() <= 4) return parsed;
    for (;;) {
        const size_t end = EntryEnd(v);
        if (end == std::string::npos) break;
        std::string e = EntryText(v, end);
        if (e.size() < 4) break;
        v.erase(0, end + 1);
        // An entry too long for the file's limit is dropped whole rather than
        // cut: a cut pattern would select files that the user never chose.
        if (e.size() > kMaxEntryChars) continue;
        const bool checked = e[e.size() - 3] == '1';
        if (!checked) parsed.allChecked = false;
        const FilterType type = e.back() == '1' ? FilterType::Exclude : FilterType::Include;
        e = Utf8WithoutLast(e, 4);
        if (e.size() < 2) break;
        const size_t bar = e.find('|');
        if (bar == std::string::npos || bar == 0) break;
        parsed.filters.push_back(ParsedFilter{e.substr(0, bar), e.substr(bar + 1), checked, type});
    }
    return parsed;
}

std::vector<ParsedFolder> ParseFolders(const std::string& value) {
    std::vector<ParsedFolder> folders;
    if (value.size() <= 3) return folders;
    std::string v = value;
    for (;;) {
        const size_t end = EntryEnd(v);
        if (end == std::string::npos || end == 0) break;
        const std::string e = EntryText(v, end);
        v.erase(0, end + 1);
        // Too long for the file's limit: skipped whole, like a too-short one, so
        // that a cut path never points the scan at some other folder.
        if (Utf8CharCount(e) < 6 || e.size() > kMaxEntryChars) continue;
        folders.push_back(ParsedFolder{Utf8WithoutLast(e, 2), e.back() == '1'});
    }
    return folders;
}

bool DriveUnchecked(const std::string& value, const std::string& drive) {
    return value.find("<" + drive + "|0>") != std::string::npos;
}

ScanOptions ParseOptions(const std::string& value) {
    const ScanOptions defaults = ScanOptions::FileDefaults();
    ScanOptions options;
    for (int i = 0; i < ScanOptions::kCount; ++i) {
        const auto flag = static_cast<ScanOptions::Flag>(i);
        const std::string token = std::string("<") + ScanOptions::Token(flag);
        if (value.find(token + "|1>") != std::string::npos)
            options[flag] = true;
        else if (defaults[flag])
            options[flag] = value.find(token + "|0>") == std::string::npos;
        else
            options[flag] = false;
    }
    return options;
}

}  // namespace velnor::config_file
