#include "profile/profile.h"

namespace velnor {

namespace {
const char* const kTokens[ScanOptions::kCount] = {
    "read", "system", "hide", "zero", "remove", "clean0", "clean1", "clean2", "clean3", "clean4", "clean5",
};

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
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

bool IsDriveRow(const std::string& pathText) {
    return pathText.size() >= 3 && pathText.compare(pathText.size() - 2, 2, ":)") == 0;
}

std::string DriveOfRow(const std::string& pathText) {
    if (!IsDriveRow(pathText)) return std::string();
    return pathText.substr(pathText.size() - 3, 2);
}

LocationEntry LocationAt(const ListModel& locations, int row) {
    LocationEntry e;
    e.pathText = locations.Cell(row, location_col::kPath);
    e.capacityText = locations.Cell(row, location_col::kCapacity);
    e.freeText = locations.Cell(row, location_col::kFree);
    e.checked = locations.IsChecked(row);
    e.image = locations.Row(row).image;
    return e;
}

bool IsExcludeRow(const ListModel& filters, int row) {
    return Lower(filters.Cell(row, filter_col::kExclude)) == "yes";
}

FilterEntry FilterAt(const ListModel& filters, int row) {
    FilterEntry e;
    e.pattern = filters.Cell(row, filter_col::kPattern);
    e.description = filters.Cell(row, filter_col::kDescription);
    e.type = IsExcludeRow(filters, row) ? FilterType::Exclude : FilterType::Include;
    e.checked = filters.IsChecked(row);
    return e;
}

ExcludeEntry ExclusionAt(const ListModel& exclusions, int row) {
    return ExcludeEntry{exclusions.Cell(row, exclude_col::kPattern)};
}

std::string FilterTypeCell(const std::string& pattern) {
    const size_t dot = pattern.find('.');
    if (dot == std::string::npos || dot == 0) return std::string();
    return pattern.substr(dot);
}

void AddFilterRow(ListModel& filters, const std::string& pattern, const std::string& description,
                  bool checked, FilterType type) {
    ListRow row;
    row.cells.resize(5);
    row.cells[filter_col::kPattern] = pattern;
    row.cells[filter_col::kType] = FilterTypeCell(pattern);
    row.cells[filter_col::kDescription] = description;
    row.cells[filter_col::kExclude] = type == FilterType::Exclude ? "Yes" : "";
    row.image = static_cast<int>(type);
    row.checked = checked;
    filters.InsertRow(filters.RowCount(), std::move(row));
}

void AddExclusionRow(ListModel& exclusions, const std::string& pattern) {
    exclusions.AppendItem(pattern, kExclusionImage);
}

}  // namespace velnor
