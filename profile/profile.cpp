#include "profile/profile.h"

#include <cstdio>

namespace velnor {

namespace {
const char* const kTokens[ScanOptions::kCount] = {
    "read", "system", "hide", "zero", "remove", "clean0", "clean1", "clean2", "clean3", "clean4", "clean5", "clean6",
};

// Bytes as megabytes: whole kilobytes first, then a real division.
std::string MegabyteText(double megabytes) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", megabytes);
    return text;
}
}  // namespace

bool ScanOptions::operator==(const ScanOptions& o) const {
    for (int i = 0; i < kCount; ++i)
        if (flags[i] != o.flags[i]) return false;
    return true;
}

const char* ScanOptions::Token(Flag f) { return kTokens[f]; }

ScanOptions ScanOptions::FileDefaults() {
    ScanOptions o;
    o[kRead] = true;
    o[kHide] = true;
    o[kRemove] = true;
    o[kClean0] = true;
    return o;
}

ScanOptions ScanOptions::CreationStates() {
    ScanOptions o;
    o[kRemove] = true;
    return o;
}

LocationEntry MakeFolderLocation(const std::string& path, bool checked) {
    LocationEntry entry;
    entry.path = path;
    entry.checked = checked;
    return entry;
}

LocationEntry MakeDriveLocation(const std::string& root, const std::string& name) {
    LocationEntry entry;
    entry.path = name;
    entry.kind = LocationKind::Drive;
    entry.drive = root.substr(0, 2);
    if (!entry.drive.empty() && entry.drive[0] >= 'a' && entry.drive[0] <= 'z')
        entry.drive[0] = static_cast<char>(entry.drive[0] - 'a' + 'A');
    entry.checked = true;
    entry.image = kDriveImage;
    return entry;
}

std::string CapacityText(uint64_t bytes) { return MegabyteText(static_cast<double>(bytes / 1024) / 1024); }

// Free space goes through single precision, so a drive with much room shows
// its free megabytes rounded in the last digits.
std::string FreeText(uint64_t bytes) {
    const float megabytes = static_cast<float>(static_cast<double>(bytes / 1024) / 1024);
    return MegabyteText(megabytes);
}

std::string RecordCell(const LocationEntry& entry, int column) {
    switch (column) {
    case location_col::kPath:
        return entry.path;
    case location_col::kCapacity:
        return entry.totalBytes ? CapacityText(*entry.totalBytes) : std::string();
    case location_col::kFree:
        return entry.freeBytes ? FreeText(*entry.freeBytes) : std::string();
    default:
        return std::string();
    }
}

int RecordImage(const LocationEntry& entry) { return entry.image; }

std::optional<int> RecordOrder(const LocationEntry& a, const LocationEntry& b, int column) {
    auto order = [](const std::optional<uint64_t>& x, const std::optional<uint64_t>& y) {
        return x < y ? -1 : (y < x ? 1 : 0);
    };
    if (column == location_col::kCapacity) return order(a.totalBytes, b.totalBytes);
    if (column == location_col::kFree) return order(a.freeBytes, b.freeBytes);
    return std::nullopt;
}

std::string RecordCell(const FilterEntry& entry, int column) {
    switch (column) {
    case filter_col::kPattern:
        return entry.pattern;
    case filter_col::kType:
        return FilterTypeCell(entry.pattern);
    case filter_col::kDescription:
        return entry.description;
    case filter_col::kExclude:
        return entry.type == FilterType::Exclude ? "Yes" : "";
    default:
        return std::string();
    }
}

std::string RecordCell(const ExcludeEntry& entry, int column) {
    return column == exclude_col::kPattern ? entry.pattern : std::string();
}

std::string FilterTypeCell(const std::string& pattern) {
    const size_t dot = pattern.find('.');
    if (dot == std::string::npos || dot == 0) return std::string();
    return pattern.substr(dot);
}

void AddFilterRow(FilterTable& filters, const std::string& pattern, const std::string& description, bool checked,
                  FilterType type) {
    filters.AppendRow(FilterEntry{pattern, description, type, checked});
}

void AddExclusionRow(ExclusionTable& exclusions, const std::string& pattern) {
    exclusions.AppendRow(ExcludeEntry{pattern});
}

}  // namespace velnor
