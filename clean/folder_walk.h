#pragma once
// What the clean does to files and folders on disk with its own walk: remove
// one file that the user chose, measure a folder, empty a folder. None of
// them ever reaches through a link: a link is not the file or folder it leads
// to, and what lies outside the folder is not the clean's.
#include <cstdint>
#include <string>

#include "platform/file_system.h"

namespace velnor {

// Deletes a file that the user chose. Its read-only mark does not keep it (the
// Recycle Bin takes such files too); when the deletion fails all the same, the
// file is left as it was found. A link is never deleted through.
bool RemoveChosenFile(IFileSystem& files, const std::string& path);
// The rest of RemoveChosenFile once the plain deletion has failed: the
// read-only mark taken off for another try, and put back when that fails too.
bool RemoveReadOnlyChosenFile(IFileSystem& files, const std::string& path);

// True while an entry of that exact name is there.
bool FileStillThere(IFileSystem& files, const std::string& path);

// Bytes in the files under a folder. With allSubfolders false, hidden and
// system subfolders are left out. Links add nothing, neither a link to a file
// nor a link to a folder.
uint64_t FolderSize(IFileSystem& files, const std::string& path, bool allSubfolders);

struct EmptiedFolder {
    uint32_t removed = 0;  // files
    uint32_t left = 0;     // files that could not be removed (in use, protected)
};

// Removes every file and folder inside a folder, the folder itself staying. A
// link inside it stays as it is and counts as neither.
EmptiedFolder EmptyFolder(IFileSystem& files, const std::string& path);

}  // namespace velnor
