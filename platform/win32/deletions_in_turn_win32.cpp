#include "platform/win32/deletions_in_turn_win32.h"

#include <utility>

#include "platform/win32/thread_ahead_win32.h"
#include "platform/win32/wide_text_win32.h"

namespace velnor {

Win32DeletionsInTurn::Win32DeletionsInTurn(std::vector<std::string> paths, bool checkListed)
    : paths_(std::move(paths)), checkListed_(checkListed), ready_(kAhead, INVALID_HANDLE_VALUE) {
    // With one file there is nothing to do ahead; without the thread each
    // file is opened in its turn.
    if (paths_.size() > 1) thread_ = ::CreateThread(nullptr, 0, OpenAhead, this, 0, nullptr);
}

// The files opened ahead and not reached are closed as they are: nothing was
// asked of them but to be opened.
Win32DeletionsInTurn::~Win32DeletionsInTurn() {
    StopThreadAhead(thread_, lock_, changed_, stopping_);
    for (size_t i = taken_; i < opened_; ++i) FileHandle unused(ready_[i % kAhead]);
}

FileHandle Win32DeletionsInTurn::Open(size_t index) {
    return OpenToDelete(SystemPath(paths_[index]), checkListed_, check_);
}

// Each side wakes the other only when that one waits and has enough to do
// again: a wake is a switch of threads, which under load costs more than
// opening a file.
DWORD WINAPI Win32DeletionsInTurn::OpenAhead(void* self) {
    auto& d = *static_cast<Win32DeletionsInTurn*>(self);
    for (size_t index = 0; index < d.paths_.size(); ++index) {
        ::AcquireSRWLockExclusive(&d.lock_);
        while (!d.stopping_ && index - d.taken_ >= kAhead) {
            d.openerWaits_ = true;
            ::SleepConditionVariableSRW(&d.changed_, &d.lock_, INFINITE, 0);
        }
        d.openerWaits_ = false;
        const bool stopping = d.stopping_;
        ::ReleaseSRWLockExclusive(&d.lock_);
        if (stopping) break;
        FileHandle file = d.Open(index);
        ::AcquireSRWLockExclusive(&d.lock_);
        d.ready_[index % kAhead] = file.release();
        d.opened_ = index + 1;
        const bool wake = d.deleterWaits_ && (d.opened_ - d.taken_ >= kBatch || d.opened_ == d.paths_.size());
        ::ReleaseSRWLockExclusive(&d.lock_);
        if (wake) ::WakeAllConditionVariable(&d.changed_);
    }
    return 0;
}

bool Win32DeletionsInTurn::DeleteNext() {
    if (taken_ >= paths_.size()) return false;
    if (!thread_) return DeleteThrough(Open(taken_++));
    ::AcquireSRWLockExclusive(&lock_);
    while (opened_ <= taken_) {
        deleterWaits_ = true;
        ::SleepConditionVariableSRW(&changed_, &lock_, INFINITE, 0);
    }
    deleterWaits_ = false;
    FileHandle file(ready_[taken_ % kAhead]);
    ready_[taken_ % kAhead] = INVALID_HANDLE_VALUE;
    ++taken_;
    const bool wake = openerWaits_ && opened_ - taken_ <= kAhead - kBatch;
    ::ReleaseSRWLockExclusive(&lock_);
    if (wake) ::WakeAllConditionVariable(&changed_);
    return DeleteThrough(std::move(file));
}

}  // namespace velnor
