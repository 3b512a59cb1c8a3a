#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "ui/list_model.h"

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

struct LocationEntry {
    std::string pathText;
    std::string capacityText;
    std::string freeText;
    bool checked = false;
    int image = kFolderImage;
};

struct FilterEntry {
    std::string pattern;
    std::string description;
    FilterType type = FilterType::Include;
    bool checked = false;
};

struct ExcludeEntry {
    std::string pattern;
};

// The eleven option flags, in the order the profile file writes them.
struct ScanOptions {
    enum Flag { kRead, kSystem, kHide, kZero, kRemove, kClean0, kClean1, kClean2, kClean3, kClean4, kClean5, kCount };
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

// The profile: the rows of the three page lists are its entries, so a list and
// its piece of the profile cannot differ. The options live in the option
// pictures of the main window; this struct carries them where no window is.
struct ScanProfile {
    ListModel locations;   // list 1000 on the Path page
    ListModel filters;     // list 1029 on the Filters page
    ListModel exclusions;  // list 1046 on the Exceptions page
};

// A location row is a drive when its path text ends in ":)"; the drive is the two
// characters before the bracket.
bool IsDriveRow(const std::string& pathText);
std::string DriveOfRow(const std::string& pathText);

LocationEntry LocationAt(const ListModel& locations, int row);
FilterEntry FilterAt(const ListModel& filters, int row);
ExcludeEntry ExclusionAt(const ListModel& exclusions, int row);
// True when a filter row's "Exclude" cell reads "yes" in any letter case.
bool IsExcludeRow(const ListModel& filters, int row);

// The "Type" cell of a filter: the pattern from its first "." when that dot
// stands after the first character, else empty.
std::string FilterTypeCell(const std::string& pattern);

// The one way a filter row is made: appended at the end, cells filled from the
// pattern, description and type.
void AddFilterRow(ListModel& filters, const std::string& pattern, const std::string& description,
                  bool checked, FilterType type);
void AddExclusionRow(ListModel& exclusions, const std::string& pattern);

}  // namespace velnor
