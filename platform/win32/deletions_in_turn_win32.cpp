#include "platform/win32/deletions_in_turn_win32.h"

#include <utility>

#include "platform/win32/thread_ahead_win32.h"
#include "platform/win32/wide_text_win32.h"

namespace velnor {

Win32DeletionsInTurn::Win32DeletionsInTurn(std::vector<std::string> paths, bool checkListed)
    : paths_(std::move(paths)),
      checkListed_(checkListed),
      handles_(kAhead, INVALID_HANDLE_VALUE),
      slots_(kAhead, Slot::Free),
      fates_(paths_.size(), Fate::Unknown) {
    // With one file there is nothing to do ahead; without the threads the
    // file is opened, marked and closed in its turn.
    if (paths_.size() > 1)
        for (HANDLE& thread : threads_) thread = ::CreateThread(nullptr, 0, WorkAhead, this, 0, nullptr);
}

// The threads delete every file given its turn before they end, so that each
// has gone when this returns. The files opened ahead and not reached are
// closed as they are: nothing was asked of them but to be opened.
Win32DeletionsInTurn::~Win32DeletionsInTurn() {
    StopThreadsAhead(threads_, kThreads, lock_, changed_, stopping_);
    for (HANDLE& handle : handles_) FileHandle unused(std::exchange(handle, INVALID_HANDLE_VALUE));
}

// The lock is held, and let go for the opening itself.
void Win32DeletionsInTurn::OpenInItsSlot(size_t index, ListedFileCheck& check) {
    const size_t slot = index % kAhead;
    slots_[slot] = Slot::Opening;
    ::ReleaseSRWLockExclusive(&lock_);
    FileHandle file = OpenToDelete(SystemPath(paths_[index]), checkListed_, check);
    ::AcquireSRWLockExclusive(&lock_);
    handles_[slot] = file.release();
    slots_[slot] = Slot::Opened;
}

// Marks the file given its turn and closes it, and so it goes; the lock is
// held, and let go for the calls.
void Win32DeletionsInTurn::DeleteInItsSlot(size_t index) {
    const size_t slot = index % kAhead;
    slots_[slot] = Slot::Deleting;
    FileHandle file(std::exchange(handles_[slot], INVALID_HANDLE_VALUE));
    ::ReleaseSRWLockExclusive(&lock_);
    const bool marked = MarkToDelete(file.get());
    file.reset();
    ::AcquireSRWLockExclusive(&lock_);
    slots_[slot] = Slot::Free;
    fates_[index] = marked ? Fate::Gone : Fate::Stays;
    if (removalWaits_ && index == told_) ::WakeConditionVariable(&known_);
}

// One step of a thread, with the lock held: deletes the next file given its
// turn once it is opened, or else opens the next file when its slot is free.
// Once the deletions end, no file is opened past the last turn given. False
// when there is nothing to do.
bool Win32DeletionsInTurn::WorkOne(ListedFileCheck& check) {
    if (deleting_ < given_ && slots_[deleting_ % kAhead] == Slot::Opened) {
        DeleteInItsSlot(deleting_++);
        return true;
    }
    if (next_ >= paths_.size() || (stopping_ && next_ >= given_) || slots_[next_ % kAhead] != Slot::Free)
        return false;
    OpenInItsSlot(next_++, check);
    return true;
}

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

// A thread that waits is woken only when the file given its turn is opened
// and waits for it: a wake is a switch of threads, which under load costs
// more than opening a file.
void Win32DeletionsInTurn::DeleteNext() {
    if (given_ >= paths_.size()) return;
    if (!threads_[0]) {
        const bool deleted = DeleteThrough(OpenToDelete(SystemPath(paths_[given_]), checkListed_, check_));
        fates_[given_++] = deleted ? Fate::Gone : Fate::Stays;
        return;
    }
    ::AcquireSRWLockExclusive(&lock_);
    ++given_;
    const bool wake = threadsWaiting_ > 0 && slots_[deleting_ % kAhead] == Slot::Opened;
    ::ReleaseSRWLockExclusive(&lock_);
    if (wake) ::WakeConditionVariable(&changed_);
}

std::optional<bool> Win32DeletionsInTurn::Outcome(bool wait) {
    if (told_ >= given_) return std::nullopt;
    ::AcquireSRWLockExclusive(&lock_);
    while (wait && fates_[told_] == Fate::Unknown) {
        removalWaits_ = true;
        ::SleepConditionVariableSRW(&known_, &lock_, INFINITE, 0);
    }
    removalWaits_ = false;
    const Fate fate = fates_[told_];
    if (fate != Fate::Unknown) ++told_;
    ::ReleaseSRWLockExclusive(&lock_);
    if (fate == Fate::Unknown) return std::nullopt;
    return fate == Fate::Gone;
}

}  // namespace velnor
