#include "platform/search_pattern.h"

namespace velnor {

namespace {

bool EndsInSeparator(const std::string& folder) {
    const char last = folder.empty() ? '\0' : folder.back();
    return last == '\\' || last == '/';
}

}  // namespace

std::string SearchPattern(const std::string& folder) { return folder + (EndsInSeparator(folder) ? "*.*" : "\\*.*"); }

std::string ChildPath(const std::string& folder, const std::string& name) {
    return folder + (EndsInSeparator(folder) ? "" : "\\") + name;
}

}  // namespace velnor
