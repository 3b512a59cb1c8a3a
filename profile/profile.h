#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "profile/record_list.h"

namespace velnor {

enum class FilterType : int { Include = 1, Exclude = 2 };

// Columns of the three profile lists.
namespace location_col { enum { kCheck = 0, kPath = 1, kCapacity = 2, kFree = 3 }; }
namespace filter_col { enum { kCheck = 0, kPattern = 1, kType = 2, kDescription = 3, kExclude = 4 }; }
namespace exclude_col { enum { kPattern = 0 }; }

// The longest entry of the profile: what an add dialog hands back, and a
// "PathFolder" or "Filter" entry of config.ini, the characters between "<" and
// ">". Counted in bytes of the UTF-8 that the program writes; a file of the
// old program is converted first, so an entry counts as it will stand in the
// file once the profile is saved again, and what loads once keeps loading.
constexpr size_t kMaxEntryChars = 999;

// Small images of the profile rows.
constexpr int kDriveImage = 1;
constexpr int kFolderImage = 2;
constexpr int kExclusionImage = 3;

enum class LocationKind { Drive, Folder };

// One row of the location list: one of the machine's fixed drives, shown
// under the name the shell gives it, or a folder of the user's. The kind is
// known where the row is made and kept with it; nothing is read back from the
// shown name, which need not hold the drive's letter at all.
struct LocationEntry {
    std::string path;   // the drive's display name, or the folder's path
    LocationKind kind = LocationKind::Folder;
    std::string drive;  // "C:" for a drive, empty for a folder
    // A drive's size in bytes, when it could be read; folders have none.
    std::optional<uint64_t> totalBytes;
    std::optional<uint64_t> freeBytes;
    bool checked = false;
    int image = kFolderImage;
};

// A folder's row, whatever its path looks like.
LocationEntry MakeFolderLocation(const std::string& path, bool checked);
// A fixed drive's row: its root ("C:\") gives the drive, the name is shown.
LocationEntry MakeDriveLocation(const std::string& root, const std::string& name);

// The "Capacity(MB)" and "Free Space(MB)" cells.
std::string CapacityText(uint64_t bytes);
std::string FreeText(uint64_t bytes);

struct FilterEntry {
    std::string pattern;
    std::string description;
    FilterType type = FilterType::Include;
    bool checked = false;
};

struct ExcludeEntry {
    std::string pattern;
};

// The twelve option flags, in the order the profile file writes them.
struct ScanOptions {
    enum Flag { kRead, kSystem, kHide, kZero, kRemove, kClean0, kClean1, kClean2, kClean3, kClean4, kClean5, kClean6, kCount };
    bool flags[kCount] = {};

    bool& operator[](Flag f) { return flags[f]; }
    bool operator[](Flag f) const { return flags[f]; }
    bool operator==(const ScanOptions& o) const;

    static const char* Token(Flag f);
    // Used when the profile file has no token for a flag.
    static ScanOptions FileDefaults();
    // What the option pictures show before any profile is read.
    static ScanOptions CreationStates();
};

// How each record shows in its list, and its check box.
std::string RecordCell(const LocationEntry& entry, int column);
int RecordImage(const LocationEntry& entry);
inline bool RecordChecked(const LocationEntry& entry) { return entry.checked; }
inline void SetRecordChecked(LocationEntry& entry, bool checked) { entry.checked = checked; }
// The order of two rows by a column where the record holds what the cell
// shows (the sizes, in bytes; an unknown size first); empty where the shown
// texts are compared.
std::optional<int> RecordOrder(const LocationEntry& a, const LocationEntry& b, int column);

std::string RecordCell(const FilterEntry& entry, int column);
inline int RecordImage(const FilterEntry& entry) { return static_cast<int>(entry.type); }
inline bool RecordChecked(const FilterEntry& entry) { return entry.checked; }
inline void SetRecordChecked(FilterEntry& entry, bool checked) { entry.checked = checked; }
inline std::optional<int> RecordOrder(const FilterEntry&, const FilterEntry&, int) { return std::nullopt; }

// An exclusion always applies: it has no check box.
std::string RecordCell(const ExcludeEntry& entry, int column);
inline int RecordImage(const ExcludeEntry&) { return kExclusionImage; }
inline bool RecordChecked(const ExcludeEntry&) { return false; }
inline void SetRecordChecked(ExcludeEntry&, bool) {}
inline std::optional<int> RecordOrder(const ExcludeEntry&, const ExcludeEntry&, int) { return std::nullopt; }

using LocationTable = RecordList<LocationEntry>;
using FilterTable = RecordList<FilterEntry>;
using ExclusionTable = RecordList<ExcludeEntry>;

// The profile. Each list holds the profile's own records, which a list view
// displays through its model, so a list and its piece of the profile cannot
// differ; the option pictures show `options` and change only through it.
struct ScanProfile {
    LocationTable locations;   // list 1000 on the Path page
    FilterTable filters;       // list 1029 on the Filters page
    ExclusionTable exclusions; // list 1046 on the Exceptions page
    ScanOptions options = ScanOptions::CreationStates();
};

// The "Type" cell of a filter: the pattern from its first "." when that dot
// stands after the first character, else empty.
std::string FilterTypeCell(const std::string& pattern);

// The one way a filter row is made: appended at the end.
void AddFilterRow(FilterTable& filters, const std::string& pattern, const std::string& description, bool checked,
                  FilterType type);
void AddExclusionRow(ExclusionTable& exclusions, const std::string& pattern);

}  // namespace velnor
