#include "platform/search_pattern.h"

namespace velnor {

std::string SearchPattern(const std::string& folder) {
    const char last = folder.empty() ? '\0' : folder.back();
    return folder + (last == '\\' || last == '/' ? "*.*" : "\\*.*");
}

}  // namespace velnor
