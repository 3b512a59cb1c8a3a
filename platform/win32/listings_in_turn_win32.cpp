#include "platform/win32/listings_in_turn_win32.h"

#include <winternl.h>

#include <utility>

#include "platform/win32/thread_ahead_win32.h"
#include "platform/win32/wide_text_win32.h"

namespace velnor {

namespace {

// Each read fills a block of this size, some 150 entries: under Wine the first
// read of a folder costs the same whatever the block, and the later ones copy
// names only.
constexpr ULONG kBlockBytes = 16 * 1024;
// The reading thread's stack: it calls the system and compares names.
constexpr SIZE_T kStackBytes = 64 * 1024;
// How long the walk waits for a folder between two calls of whileWaiting.
constexpr DWORD kWaitMs = 2;

// The system's own call beneath FindFirstFile and FindNextFile; the find
// functions cannot take a folder opened on another thread.
using QueryDirectoryFile = NTSTATUS(NTAPI*)(HANDLE, HANDLE, PVOID, PVOID, PIO_STATUS_BLOCK, PVOID, ULONG,
                                            FILE_INFORMATION_CLASS, BOOLEAN, PUNICODE_STRING, BOOLEAN);

// The next block of a folder's entries; the first with `first`.
LONG ReadBlock(HANDLE folder, std::vector<char>& block, bool first) {
    static const auto query = reinterpret_cast<QueryDirectoryFile>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryDirectoryFile")));
    if (!query) return -1;
    if (block.empty()) block.resize(kBlockBytes);
    IO_STATUS_BLOCK io = {};
    const NTSTATUS status = query(folder, nullptr, nullptr, nullptr, &io, block.data(), kBlockBytes,
                                  FileDirectoryInformation, FALSE, nullptr, first ? TRUE : FALSE);
    return status == 0 && io.Information == 0 ? -1 : status;
}

// The folder part of a search pattern as the system takes it: "\\?\c:\temp"
// of "c:\temp\*.*"; empty when the pattern is no full path.
std::wstring FolderOf(const std::string& pattern) {
    const std::wstring exact = SystemPath(pattern);
    const size_t slash = exact.find_last_of(L'\\');
    if (exact.compare(0, 4, L"\\\\?\\") != 0 || slash == std::wstring::npos) return std::wstring();
    // A drive's root keeps its backslash: "\\?\c:" names the volume.
    return exact.substr(0, exact[slash - 1] == L':' ? slash + 1 : slash);
}

}  // namespace

Win32ListingsInTurn::Win32ListingsInTurn(IFileSystem& plain, bool checkListed)
    : plain_(plain), checkListed_(checkListed) {}

// The folders read and not reached are closed as they are.
Win32ListingsInTurn::~Win32ListingsInTurn() { StopThreadsAhead(&thread_, 1, lock_, changed_, stopping_); }

bool Win32ListingsInTurn::Add(const std::string& pattern) {
    std::wstring path = FolderOf(pattern);
    ::AcquireSRWLockExclusive(&lock_);
    const bool room = added_ - listed_ < kAhead;
    bool wake = false;
    if (room) {
        Folder& folder = folders_[added_ % kAhead];
        folder.pattern = pattern;
        folder.path = std::move(path);
        ++added_;
        wake = readerWaits_;
    }
    ::ReleaseSRWLockExclusive(&lock_);
    if (room && !thread_)
        thread_ = ::CreateThread(nullptr, kStackBytes, ReadAhead, this, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    if (wake) ::WakeAllConditionVariable(&changed_);
    return room;
}

DWORD WINAPI Win32ListingsInTurn::ReadAhead(void* self) {
    auto& l = *static_cast<Win32ListingsInTurn*>(self);
    ::AcquireSRWLockExclusive(&l.lock_);
    for (;;) {
        while (!l.stopping_ && l.read_ == l.added_) {
            l.readerWaits_ = true;
            ::SleepConditionVariableSRW(&l.changed_, &l.lock_, INFINITE, 0);
        }
        l.readerWaits_ = false;
        if (l.stopping_) break;
        Folder& folder = l.folders_[l.read_ % kAhead];
        ::ReleaseSRWLockExclusive(&l.lock_);
        l.Open(folder);
        ::AcquireSRWLockExclusive(&l.lock_);
        ++l.read_;
        if (l.listerWaits_) ::WakeAllConditionVariable(&l.changed_);
    }
    ::ReleaseSRWLockExclusive(&l.lock_);
    return 0;
}

// Opened as the folder it was when it was found: a link put in its place
// since is not followed, and the folder lists nothing.
void Win32ListingsInTurn::Open(Folder& folder) {
    folder.handle.reset(INVALID_HANDLE_VALUE);
    if (folder.path.empty()) return;
    FileHandle handle(::CreateFileW(folder.path.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                                    kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (handle.get() == INVALID_HANDLE_VALUE) return;
    FILE_ATTRIBUTE_TAG_INFO tag = {};
    if (!::GetFileInformationByHandleEx(handle.get(), FileAttributeTagInfo, &tag, sizeof tag) ||
        !(tag.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) || (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return;
    if (checkListed_ && !check_.IsTheListedFile(handle.get(), folder.path)) return;
    folder.status = ReadBlock(handle.get(), folder.block, true);
    folder.handle = std::move(handle);
}

bool Win32ListingsInTurn::ListNext(const std::string& pattern, const std::function<bool(const FindData&)>& onEntry,
                                   const std::function<bool()>& whileWaiting) {
    ::AcquireSRWLockExclusive(&lock_);
    if (listed_ == added_ || folders_[listed_ % kAhead].pattern != pattern) {
        // Out of turn: the folders before it are let go once read, and it
        // is read in a turn of its own.
        while (read_ < added_) {
            listerWaits_ = true;
            ::SleepConditionVariableSRW(&changed_, &lock_, INFINITE, 0);
        }
        for (; listed_ < added_; ++listed_) folders_[listed_ % kAhead].handle.reset(INVALID_HANDLE_VALUE);
        ::ReleaseSRWLockExclusive(&lock_);
        Add(pattern);
        ::AcquireSRWLockExclusive(&lock_);
    }
    while (read_ == listed_) {
        listerWaits_ = true;
        if (::SleepConditionVariableSRW(&changed_, &lock_, kWaitMs, 0) || read_ > listed_) continue;
        ::ReleaseSRWLockExclusive(&lock_);
        const bool wait = !whileWaiting || whileWaiting();
        ::AcquireSRWLockExclusive(&lock_);
        if (!wait) break;
    }
    listerWaits_ = false;
    const bool ready = read_ > listed_;
    ::ReleaseSRWLockExclusive(&lock_);
    // Given up: the folder keeps its turn.
    if (!ready) return false;

    Folder& folder = folders_[listed_ % kAhead];
    const bool listed = List(folder, onEntry);
    folder.handle.reset(INVALID_HANDLE_VALUE);
    ::AcquireSRWLockExclusive(&lock_);
    ++listed_;
    ::ReleaseSRWLockExclusive(&lock_);
    return listed;
}

bool Win32ListingsInTurn::List(Folder& folder, const std::function<bool(const FindData&)>& onEntry) {
    if (folder.path.empty()) return plain_.Enumerate(folder.pattern, onEntry);
    if (!folder.handle || folder.handle.get() == INVALID_HANDLE_VALUE) return false;
    FindData entry;
    std::wstring name;
    for (LONG status = folder.status; status == 0; status = ReadBlock(folder.handle.get(), folder.block, false)) {
        for (const char* at = folder.block.data();;) {
            const auto* e = reinterpret_cast<const FILE_DIRECTORY_INFORMATION*>(at);
            name.assign(e->FileName, e->FileNameLength / sizeof(WCHAR));
            NarrowInto(name.c_str(), entry.name);
            entry.attributes = e->FileAttributes;
            entry.size = static_cast<uint64_t>(e->EndOfFile.QuadPart);
            entry.lastWriteTime = static_cast<uint64_t>(e->LastWriteTime.QuadPart);
            if (!onEntry(entry)) return true;
            if (e->NextEntryOffset == 0) break;
            at += e->NextEntryOffset;
        }
    }
    return true;
}

}  // namespace velnor
