#include "platform/fixed_drives.h"

namespace velnor {

namespace {

// Enough for all 26 drive letters: "C:\" and its NUL each, and the closing NUL.
constexpr size_t kDriveStringChars = 128;

}  // namespace

std::vector<std::string> FixedDriveRoots(IFileSystem& files) {
    std::vector<std::string> roots;
    for (std::string& root : files.LogicalDriveStrings(kDriveStringChars))
        if (files.DriveType(root) == kDriveFixed) roots.push_back(std::move(root));
    return roots;
}

}  // namespace velnor
