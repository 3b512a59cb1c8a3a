#include "scan/unusable_name.h"

namespace velnor {

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

}  // namespace

bool NamesNoFile(std::string_view name) {
    return name.find_first_of("?*") != std::string_view::npos ||
           name.find(kReplacementCharacter) != std::string_view::npos;
}

}  // namespace velnor
