#pragma once
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace velnor {

// The roots ("C:\") of the fixed drives, in the platform's order: the drives
// that the Path page lists, the first profile names and whose Recycle Bins
// Start Clean measures.
std::vector<std::string> FixedDriveRoots(IFileSystem& files);

}  // namespace velnor
