#pragma once
#include <cstddef>

#include "profile/profile.h"

namespace velnor {

// The built-in profile: what a first start and the Default buttons bring back.
struct DefaultFilter {
    const char* pattern;
    const char* description;
    FilterType type;
    bool checked;
};

constexpr size_t kDefaultFilterCount = 84;
constexpr size_t kDefaultExclusionCount = 31;

extern const DefaultFilter kDefaultFilters[kDefaultFilterCount];
extern const char* const kDefaultExclusions[kDefaultExclusionCount];

}  // namespace velnor
