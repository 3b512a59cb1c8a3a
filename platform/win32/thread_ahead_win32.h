#pragma once
// What the file system's helper threads share: threads that work ahead of
// their owner under the owner's lock, and are stopped the same way.
#include <windows.h>

#include <cstddef>

namespace velnor {

// Tells the threads to stop, wakes them and waits for each to end; a null
// handle is no thread.
inline void StopThreadsAhead(HANDLE* threads, size_t count, SRWLOCK& lock, CONDITION_VARIABLE& changed,
                             bool& stopping) {
    ::AcquireSRWLockExclusive(&lock);
    stopping = true;
    ::ReleaseSRWLockExclusive(&lock);
    ::WakeAllConditionVariable(&changed);
    for (size_t i = 0; i < count; ++i) {
        if (!threads[i]) continue;
        ::WaitForSingleObject(threads[i], INFINITE);
        ::CloseHandle(threads[i]);
        threads[i] = nullptr;
    }
}

}  // namespace velnor
