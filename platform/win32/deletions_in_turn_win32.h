#pragma once
// The files of one removal deleted in turn, each opened and checked ahead by
// a thread of its own while the removal deletes the ones before it: under
// Wine the check that a file is the one listed costs as much again as the
// deletion.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/win32/listed_file_win32.h"

namespace velnor {

class Win32DeletionsInTurn : public IDeletionsInTurn {
public:
    Win32DeletionsInTurn(std::vector<std::string> paths, bool checkListed);
    ~Win32DeletionsInTurn() override;
    Win32DeletionsInTurn(const Win32DeletionsInTurn&) = delete;
    Win32DeletionsInTurn& operator=(const Win32DeletionsInTurn&) = delete;

    bool DeleteNext() override;

private:
    static DWORD WINAPI OpenAhead(void* self);
    FileHandle Open(size_t index);

    const std::vector<std::string> paths_;
    const bool checkListed_;
    ListedFileCheck check_;  // the opening thread's
    // Files opened and not yet taken, at most kAhead of them: opened_ counts
    // the files opened so far, taken_ those handed to DeleteNext.
    static constexpr size_t kAhead = 64;
    // A waiting side is woken when this many files can be taken or opened.
    static constexpr size_t kBatch = 16;
    std::vector<HANDLE> ready_;
    size_t opened_ = 0, taken_ = 0;
    bool stopping_ = false, openerWaits_ = false, deleterWaits_ = false;
    SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE changed_ = CONDITION_VARIABLE_INIT;
    HANDLE thread_ = nullptr;
};

}  // namespace velnor
