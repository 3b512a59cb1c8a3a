#include "clean/junk_removal.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "clean/folder_walk.h"
#include "clean/shell_delete.h"
#include "platform/exact_path.h"

namespace velnor {

namespace {

// The shell takes plain paths only, and a plain path may reach another file
// than the one listed (a name ending in a blank or a dot, a device name, a
// path past the limit) or a link's target: such a file is not handed to it.
bool ShellCanRecycleExactly(IFileSystem* files, const std::string& path) {
    return PlainPathIsExact(path) && files && !files->LeadsElsewhere(path);
}

}  // namespace

uint32_t RemoveCheckedFiles(FoundFiles& found, const Platform& platform, RemovalMode mode,
                            const RemovalOutcome& onFile, const RemovalStep& beforeFile) {
    IFileSystem* files = platform.files;
    const auto stillThere = [files](const std::string& path) { return !files || FileStillThere(*files, path); };
    const auto tell = [&](int row, bool removed) {
        if (onFile) onFile(found.At(row), removed);
    };
    uint32_t k = 0;
    std::vector<int> left;     // rows of checked files that are still there
    std::vector<int> recycle;  // rows whose files go to the Recycle Bin together

    // The files to delete, in the order of their rows: the file system may
    // open and check them ahead, while the loop below deletes each in turn.
    std::unique_ptr<IDeletionsInTurn> deletions;
    if (mode == RemovalMode::Permanent && files) {
        std::vector<std::string> paths;
        for (int row = 0; row < found.Count(); ++row) {
            const FoundFile item = found.At(row);
            if (!item.checked) continue;
            std::string path = item.Path();
            if (!UnsafeForShellList(path)) paths.push_back(std::move(path));
        }
        deletions = files->DeleteInTurn(std::move(paths));
    }

    // Rows leave the list from the top; the rows taken are dropped together
    // at the end.
    int taken = 0;
    for (; taken < found.Count(); ++taken) {
        const FoundFile item = found.At(taken);
        if (!item.checked) continue;
        const std::string path = item.Path();
        if (beforeFile && !beforeFile(k + 1)) break;
        ++k;
        // A wildcard would make the shell remove every file it matches,
        // checked or not, and a stand-in character would name another file;
        // such a file stays, in either mode.
        bool stays = true;
        if (UnsafeForShellList(path) || !files) {
            stays = true;
        } else if (mode == RemovalMode::Permanent) {
            stays = !deletions->DeleteNext() && !RemoveReadOnlyChosenFile(*files, path) &&
                    FileStillThere(*files, path);
        } else if (ShellCanRecycleExactly(files, path)) {
            recycle.push_back(taken);
            continue;
        }
        if (stays) left.push_back(taken);
        tell(taken, !stays);
    }
    // A file marked in its turn may still be closing; the last has gone when
    // the deletions end.
    deletions.reset();

    // The shell refuses the whole list when one of its files is missing, so a
    // file that someone else removed since the scan would keep every other
    // checked file out of the Recycle Bin.
    std::vector<std::string> present;
    for (int row : recycle) {
        std::string path = found.At(row).Path();
        if (stillThere(path)) present.push_back(std::move(path));
    }
    if (platform.shell && ShellDelete(*platform.shell, DoubleNulList(present), false) != 0 &&
        present.size() > 1) {
        // The shell gives up at the first file it cannot take (one held open
        // by another program) and leaves every file after it; those are
        // offered one by one, so that only the file in use stays.
        for (const std::string& path : present)
            if (stillThere(path)) ShellDelete(*platform.shell, DoubleNulList({path}), false);
    }
    // Whatever the shell said, a file that is still there keeps its row.
    for (int row : recycle) {
        const bool stays = stillThere(found.At(row).Path());
        if (stays) left.push_back(row);
        tell(row, !stays);
    }
    std::sort(left.begin(), left.end());
    found.EraseFront(taken, left);
    return static_cast<uint32_t>(left.size());
}

}  // namespace velnor
