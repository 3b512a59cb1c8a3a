#pragma once
#include <string>

namespace velnor::testing {

// Windows-1252, the legacy code page of Western systems, decoded as Windows
// does: the five bytes that it leaves undefined become the C1 controls of the
// same value.
std::string Windows1252ToUtf8(const std::string& text);

}  // namespace velnor::testing
