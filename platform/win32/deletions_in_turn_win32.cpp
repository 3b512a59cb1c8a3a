#include "platform/win32/deletions_in_turn_win32.h"

#include <utility>

#include "platform/win32/thread_ahead_win32.h"
#include "platform/win32/wide_text_win32.h"

namespace velnor {

Win32DeletionsInTurn::Win32DeletionsInTurn(std::vector<std::string> paths, bool checkListed)
    : paths_(std::move(paths)),
      checkListed_(checkListed),
      handles_(kAhead, INVALID_HANDLE_VALUE),
      slots_(kAhead, Slot::Free) {
    // With one file there is nothing to do ahead; without the threads the
    // file is opened, marked and closed in its turn.
    if (paths_.size() > 1)
        for (HANDLE& thread : threads_) thread = ::CreateThread(nullptr, 0, WorkAhead, this, 0, nullptr);
}

// The threads close every file done with before they end, so that each file
// marked has gone when this returns. The files opened ahead and not reached
// are closed as they are: nothing was asked of them but to be opened.
Win32DeletionsInTurn::~Win32DeletionsInTurn() {
    StopThreadsAhead(threads_, kThreads, lock_, changed_, stopping_);
    for (HANDLE& handle : handles_) FileHandle unused(std::exchange(handle, INVALID_HANDLE_VALUE));
}

// Closes the oldest file, done with in its turn; the lock is held, and let go
// for the close itself.
void Win32DeletionsInTurn::CloseOldest() {
    const size_t slot = closed_++ % kAhead;
    FileHandle file(std::exchange(handles_[slot], INVALID_HANDLE_VALUE));
    ::ReleaseSRWLockExclusive(&lock_);
    file.reset();
    ::AcquireSRWLockExclusive(&lock_);
    slots_[slot] = Slot::Free;
}

void Win32DeletionsInTurn::OpenInItsSlot(size_t index, ListedFileCheck& check) {
    const size_t slot = index % kAhead;
    slots_[slot] = Slot::Opening;
    ::ReleaseSRWLockExclusive(&lock_);
    FileHandle file = OpenToDelete(SystemPath(paths_[index]), checkListed_, check);
    ::AcquireSRWLockExclusive(&lock_);
    handles_[slot] = file.release();
    slots_[slot] = Slot::Opened;
    if (deleterWaits_ && index == taken_) ::WakeConditionVariable(&opened_);
}

// One step of a thread, with the lock held: closes the oldest file once it
// is done with, or else opens the next file when its slot is free. Closing
// comes first: it frees the slots that the files ahead are opened in. False
// when there is nothing to do.
bool Win32DeletionsInTurn::WorkOne(ListedFileCheck& check) {
    if (closed_ < taken_ && slots_[closed_ % kAhead] == Slot::Done) {
        CloseOldest();
        return true;
    }
    if (stopping_ || next_ >= paths_.size() || slots_[next_ % kAhead] != Slot::Free) return false;
    OpenInItsSlot(next_++, check);
    return true;
}

// The removal wakes the threads only when they wait and have enough to do
// again: a wake is a switch of threads, which under load costs more than
// opening a file.
DWORD WINAPI Win32DeletionsInTurn::WorkAhead(void* self) {
    auto& d = *static_cast<Win32DeletionsInTurn*>(self);
    ListedFileCheck check;
    ::AcquireSRWLockExclusive(&d.lock_);
    for (;;) {
        if (d.WorkOne(check)) continue;
        if (d.stopping_) break;
        ++d.threadsWaiting_;
        ::SleepConditionVariableSRW(&d.changed_, &d.lock_, INFINITE, 0);
        --d.threadsWaiting_;
    }
    ::ReleaseSRWLockExclusive(&d.lock_);
    return 0;
}

// The file is marked in its turn, and goes when a thread closes it.
bool Win32DeletionsInTurn::DeleteNext() {
    if (taken_ >= paths_.size()) return false;
    if (!threads_[0]) return DeleteThrough(OpenToDelete(SystemPath(paths_[taken_++]), checkListed_, check_));
    const size_t slot = taken_ % kAhead;
    ::AcquireSRWLockExclusive(&lock_);
    while (slots_[slot] != Slot::Opened) {
        deleterWaits_ = true;
        ::SleepConditionVariableSRW(&opened_, &lock_, INFINITE, 0);
    }
    deleterWaits_ = false;
    slots_[slot] = Slot::InTurn;
    ++taken_;
    const HANDLE file = handles_[slot];
    ::ReleaseSRWLockExclusive(&lock_);
    const bool marked = MarkToDelete(file);
    ::AcquireSRWLockExclusive(&lock_);
    slots_[slot] = Slot::Done;
    const bool wake = threadsWaiting_ > 0 && (taken_ - closed_ >= kBatch || taken_ == paths_.size());
    ::ReleaseSRWLockExclusive(&lock_);
    if (wake) ::WakeAllConditionVariable(&changed_);
    return marked;
}

}  // namespace velnor
