#pragma once
// What the file system's helper threads share: a thread that works ahead of
// its owner under the owner's lock, and is stopped the same way.
#include <windows.h>

namespace velnor {

// Tells the thread to stop, wakes it and waits for it to end; nothing when
// there is no thread.
inline void StopThreadAhead(HANDLE thread, SRWLOCK& lock, CONDITION_VARIABLE& changed, bool& stopping) {
    if (!thread) return;
    ::AcquireSRWLockExclusive(&lock);
    stopping = true;
    ::ReleaseSRWLockExclusive(&lock);
    ::WakeAllConditionVariable(&changed);
    ::WaitForSingleObject(thread, INFINITE);
    ::CloseHandle(thread);
}

}  // namespace velnor
