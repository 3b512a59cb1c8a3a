#pragma once
// The folder that the files being removed lie in, opened once for all of
// them: rows of one folder follow one another, and under Wine every request
// for a file costs a round trip to the server.
#include <windows.h>

#include <string>

namespace velnor {

// The name of an open file or folder as the system keeps it, volume included
// ("\\??\\C:\\..." under Wine, "\\Device\\HarddiskVolume3\\..." on Windows);
// empty when it cannot be asked.
std::wstring ObjectName(HANDLE handle);

class ListedFolder {
public:
    ListedFolder() = default;
    ListedFolder(const ListedFolder&) = delete;
    ListedFolder& operator=(const ListedFolder&) = delete;
    ~ListedFolder() { Close(); }

    // Opens the folder (an exact path) unless it is the one open already.
    bool Open(const std::wstring& folderPath);
    // The open folder's own name, asked once.
    const std::wstring& Name();
    // Opens an entry of the open folder by its exact name (no path rules
    // apply to it: a trailing blank or dot and a device name stay as they
    // are) and never as a folder. A folder opened some time ago may have been
    // replaced since: the entry is then looked for in a fresh copy once more.
    HANDLE OpenEntry(const std::wstring& leaf, DWORD access);
    // Lets the folder go, so that it can be removed.
    void Close();

private:
    HANDLE OpenEntryOnce(const std::wstring& leaf, DWORD access);

    std::wstring path_, name_;
    bool named_ = false;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace velnor
