#include "clean/folder_walk.h"

#include <optional>
#include <vector>

#include "platform/search_pattern.h"
#include "scan/unusable_name.h"

namespace velnor {

namespace {

bool IsLink(IFileSystem& files, const std::string& path, const FindData& entry) {
    if (entry.attributes & kAttrReparsePoint) return true;
    return !(entry.attributes & kAttrDirectory) && !files.ListingsShowFileLinks() && files.LeadsElsewhere(path);
}

// The entries of a folder, "." and ".." and names that reach no file left out.
std::vector<FindData> Entries(IFileSystem& files, const std::string& folder) {
    std::vector<FindData> entries;
    files.Enumerate(SearchPattern(folder), [&](const FindData& entry) {
        if (entry.name != "." && entry.name != ".." && !NamesNoFile(entry.name)) entries.push_back(entry);
        return true;
    });
    return entries;
}

void EmptyInto(IFileSystem& files, const std::string& folder, EmptiedFolder& result) {
    for (const FindData& entry : Entries(files, folder)) {
        const std::string path = ChildPath(folder, entry.name);
        if (IsLink(files, path, entry)) continue;
        if (entry.attributes & kAttrDirectory) {
            EmptyInto(files, path, result);
            files.RemoveFolder(path);  // one that still holds something stays
        } else if (RemoveChosenFile(files, path) || !FileStillThere(files, path)) {
            ++result.removed;
        } else {
            ++result.left;
        }
    }
}

}  // namespace

bool RemoveChosenFile(IFileSystem& files, const std::string& path) {
    return files.DeleteFile(path) || RemoveReadOnlyChosenFile(files, path);
}

bool RemoveReadOnlyChosenFile(IFileSystem& files, const std::string& path) {
    // A link's attributes are its target's: they are not touched either.
    if (files.LeadsElsewhere(path)) return false;
    const std::optional<uint32_t> attributes = files.Attributes(path);
    if (!attributes || (*attributes & kAttrDirectory) || !(*attributes & kAttrReadOnly)) return false;
    if (!files.SetAttributes(path, *attributes & ~kAttrReadOnly)) return false;
    if (files.DeleteFile(path)) return true;
    files.SetAttributes(path, *attributes);
    return false;
}

bool FileStillThere(IFileSystem& files, const std::string& path) {
    return files.Enumerate(path, [](const FindData&) { return false; });
}

uint64_t FolderSize(IFileSystem& files, const std::string& path, bool allSubfolders) {
    if (path.empty()) return 0;
    uint64_t sum = 0;
    files.Enumerate(SearchPattern(path), [&](const FindData& entry) {
        if (entry.name == "." || entry.name == "..") return true;
        const std::string child = ChildPath(path, entry.name);
        // A link holds none of the bytes it leads to, and may lead back up the tree.
        if (IsLink(files, child, entry)) return true;
        if (!(entry.attributes & kAttrDirectory)) {
            sum += entry.size;
            return true;
        }
        if (!allSubfolders && (entry.attributes & (kAttrHidden | kAttrSystem))) return true;
        sum += FolderSize(files, child, allSubfolders);
        return true;
    });
    return sum;
}

EmptiedFolder EmptyFolder(IFileSystem& files, const std::string& path) {
    EmptiedFolder result;
    if (!path.empty()) EmptyInto(files, path, result);
    return result;
}

}  // namespace velnor
