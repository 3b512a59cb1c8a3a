#pragma once
// The files of one removal deleted in turn. Threads of their own open and
// check each file ahead, and mark and close each file once its turn is given;
// the file goes at that close. Under Wine a deletion with the check that the
// file is the one listed asks Wine's one server four times where DeleteFile
// asks twice, and each call waits for the server: the calls of several
// threads keep it busy together, and the removal's own thread makes none.
#include <windows.h>

#include <optional>
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

    void DeleteNext() override;
    std::optional<bool> Outcome(bool wait) override;

private:
    static DWORD WINAPI WorkAhead(void* self);
    bool WorkOne(ListedFileCheck& check);
    void OpenInItsSlot(size_t index, ListedFileCheck& check);
    void DeleteInItsSlot(size_t index);

    // What the slot of a file holds: nothing, the file being opened, the file
    // opened (the invalid handle when it cannot go), or the file being
    // deleted in its turn.
    enum class Slot : unsigned char { Free, Opening, Opened, Deleting };
    enum class Fate : unsigned char { Unknown, Gone, Stays };

    const std::vector<std::string> paths_;
    const bool checkListed_;
    ListedFileCheck check_;  // for the one file of a removal, opened in its turn
    // The files from deleting_ on, each in the slot of its index: at most
    // kAhead are open at once. next_ counts the files handed to be opened,
    // given_ those given their turn, deleting_ those handed to be deleted and
    // told_ those whose fate the removal has taken.
    static constexpr size_t kAhead = 64;
    static constexpr int kThreads = 4;
    std::vector<HANDLE> handles_;
    std::vector<Slot> slots_;
    std::vector<Fate> fates_;  // each file's, by its index in paths_
    size_t next_ = 0, given_ = 0, deleting_ = 0, told_ = 0;
    int threadsWaiting_ = 0;
    bool stopping_ = false, removalWaits_ = false;
    SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE changed_ = CONDITION_VARIABLE_INIT;  // the threads wait on it
    CONDITION_VARIABLE known_ = CONDITION_VARIABLE_INIT;    // the removal waits on it
    HANDLE threads_[kThreads] = {};
};

}  // namespace velnor
