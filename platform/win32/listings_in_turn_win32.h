#pragma once
// Folders listed in turn, each opened and its first block of entries read by
// a thread of its own while the walk lists the ones before it. Under Wine the
// first read of a folder reads all its names at once: 20 ms and more for ten
// thousand files, which the walk's window would otherwise wait through.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/win32/listed_file_win32.h"

namespace velnor {

class Win32ListingsInTurn : public IListingsInTurn {
public:
    // plain lists the folders that are given by no full path; checkListed
    // where listings do not show links as links.
    Win32ListingsInTurn(IFileSystem& plain, bool checkListed);
    ~Win32ListingsInTurn() override;
    Win32ListingsInTurn(const Win32ListingsInTurn&) = delete;
    Win32ListingsInTurn& operator=(const Win32ListingsInTurn&) = delete;

    bool Add(const std::string& pattern) override;
    bool ListNext(const std::string& pattern, const std::function<bool(const FindData&)>& onEntry,
                  const std::function<bool()>& whileWaiting) override;

private:
    struct Folder {
        std::string pattern;  // as added
        std::wstring path;    // the folder's exact path; empty when it has none
        FileHandle handle;    // open and checked, or none
        LONG status = 0;      // of the first read
        std::vector<char> block;
    };

    static DWORD WINAPI ReadAhead(void* self);
    void Open(Folder& folder);  // on the reading thread
    bool List(Folder& folder, const std::function<bool(const FindData&)>& onEntry);

    IFileSystem& plain_;
    const bool checkListed_;
    ListedFileCheck check_;  // the reading thread's
    // A ring of folders: added_ counts the folders added so far, read_ those
    // opened and read, listed_ those handed to ListNext.
    static constexpr size_t kAhead = 8;
    Folder folders_[kAhead];
    size_t added_ = 0, read_ = 0, listed_ = 0;
    bool stopping_ = false, readerWaits_ = false, listerWaits_ = false;
    SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE changed_ = CONDITION_VARIABLE_INIT;
    HANDLE thread_ = nullptr;
};

}  // namespace velnor
