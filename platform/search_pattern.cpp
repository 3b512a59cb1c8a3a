#include "platform/search_pattern.h"

namespace velnor {

std::string SearchPattern(const std::string& folder, FolderEnd end) {
    const char last = folder.empty() ? '\0' : folder.back();
    const bool ended = last == '\\' || (end == FolderEnd::BackslashOrSlash && last == '/');
    return folder + (ended ? "*.*" : "\\*.*");
}

}  // namespace velnor
