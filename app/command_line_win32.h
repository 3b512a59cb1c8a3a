#pragma once
#include <string>
#include <vector>

namespace velnor {

// The program started with arguments: the command runs on the real platform
// services without any window, message box or question, and its exit code
// is returned.
int RunWithoutWindow(const std::vector<std::string>& arguments);

}  // namespace velnor
