#include "platform/win32/processes_win32.h"

#include <windows.h>
#include <tlhelp32.h>

namespace velnor {

namespace {

// A snapshot handle, closed when it goes.
class Snapshot {
public:
    Snapshot() : handle_(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0)) {}
    ~Snapshot() {
        if (Valid()) ::CloseHandle(handle_);
    }
    Snapshot(const Snapshot&) = delete;
    Snapshot& operator=(const Snapshot&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

}  // namespace

std::vector<std::string> Win32Processes::RunningNames() {
    std::vector<std::string> names;
    const Snapshot snapshot;
    if (!snapshot.Valid()) return names;
    // In the process code page, which is UTF-8 as everywhere in the program.
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(snapshot.Get(), &entry); more; more = ::Process32Next(snapshot.Get(), &entry))
        names.push_back(entry.szExeFile);
    return names;
}

}  // namespace velnor
