#pragma once
// A file opened by the exact path that its folder lists, and the check that
// the open file is that file and not the one a link leads to.
#include <windows.h>

#include <memory>
#include <string>

namespace velnor {

struct HandleCloser {
    void operator()(HANDLE h) const {
        if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
    }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opens the entry itself, never through a link that Windows shows as one.
FileHandle OpenListedFile(const std::wstring& path, DWORD access);

// Asks whether an open file is the one that its folder lists under its name.
// It remembers the last folder asked, so one checker serves one thread.
class ListedFileCheck {
public:
    bool IsTheListedFile(HANDLE file, const std::wstring& path);

private:
    bool LiesAtItsPath(const std::wstring& named, const std::wstring& path);
    const std::wstring& FolderObjectName(const std::wstring& folderPath);

    std::wstring rootPath_, rootName_;  // the last drive root met, and its name
    std::wstring lastFolderPath_, lastFolderName_;
};

// Opens a file to be deleted: nothing when it cannot be opened so or, with
// checkListed, when it is not the file that its folder lists.
FileHandle OpenToDelete(const std::wstring& path, bool checkListed, ListedFileCheck& check);
// Deletes the file through the handle that was checked, so that nothing put
// in its place since is reached; the handle is closed.
bool DeleteThrough(FileHandle file);
// Marks an open file to go when its last handle is closed: the first half of
// DeleteThrough.
bool MarkToDelete(HANDLE file);

}  // namespace velnor
