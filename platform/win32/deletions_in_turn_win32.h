#pragma once
// The files of one removal deleted in turn. Threads of their own open and
// check each file ahead, and close each file once the removal has marked it
// in its turn; the file goes at that close. Under Wine a deletion with the
// check that the file is the one listed asks Wine's one server four times
// where DeleteFile asks twice, and each call waits for the server: the calls
// of several threads keep it busy together.
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
    static DWORD WINAPI WorkAhead(void* self);
    bool WorkOne(ListedFileCheck& check);
    void OpenInItsSlot(size_t index, ListedFileCheck& check);
    void CloseOldest();

    // What the slot of a file holds: nothing, the file being opened, the file
    // opened (the invalid handle when it cannot go), the file in its turn, or
    // the file done with in its turn and waiting to be closed.
    enum class Slot : unsigned char { Free, Opening, Opened, InTurn, Done };

    const std::vector<std::string> paths_;
    const bool checkListed_;
    ListedFileCheck check_;  // for the one file of a removal, opened in its turn
    // The files from closed_ on, each in the slot of its index: at most kAhead
    // are open at once. next_ counts the files handed to be opened, taken_
    // those handed to DeleteNext, closed_ those handed to be closed.
    static constexpr size_t kAhead = 64;
    // The threads waiting are woken when this many files can be closed.
    static constexpr size_t kBatch = 16;
    static constexpr int kThreads = 4;
    std::vector<HANDLE> handles_;
    std::vector<Slot> slots_;
    size_t next_ = 0, taken_ = 0, closed_ = 0;
    int threadsWaiting_ = 0;
    bool stopping_ = false, deleterWaits_ = false;
    SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE changed_ = CONDITION_VARIABLE_INIT;  // the threads wait on it
    CONDITION_VARIABLE opened_ = CONDITION_VARIABLE_INIT;   // the removal waits on it
    HANDLE threads_[kThreads] = {};
};

}  // namespace velnor
