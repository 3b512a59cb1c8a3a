#include "platform/win32/listed_folder_win32.h"

#include <winternl.h>

#include <vector>

namespace velnor {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

template <typename Function>
Function NtFunction(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), name)));
}

}  // namespace

// Asked of the object itself: GetFinalPathNameByHandle gives up past 260
// characters under Wine, and the volume's serial number is slow to ask there.
std::wstring ObjectName(HANDLE handle) {
    using QueryObject = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    static const auto query = NtFunction<QueryObject>("NtQueryObject");
    constexpr int kObjectNameInformation = 1;
    if (!query) return std::wstring();
    // Most names fit the first buffer; a deep one gets the largest a name can be.
    for (size_t bytes : {sizeof(UNICODE_STRING) + 1024 * sizeof(wchar_t),
                         sizeof(UNICODE_STRING) + 65536 + sizeof(wchar_t)}) {
        std::vector<char> buffer(bytes);
        ULONG needed = 0;
        if (query(handle, kObjectNameInformation, buffer.data(), static_cast<ULONG>(bytes), &needed) == 0) {
            const auto* name = reinterpret_cast<const UNICODE_STRING*>(buffer.data());
            return std::wstring(name->Buffer, name->Length / sizeof(wchar_t));
        }
    }
    return std::wstring();
}

bool ListedFolder::Open(const std::wstring& folderPath) {
    if (handle_ != INVALID_HANDLE_VALUE && folderPath == path_) return true;
    Close();
    handle_ = ::CreateFileW(folderPath.c_str(), FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                            kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) return false;
    path_ = folderPath;
    return true;
}

const std::wstring& ListedFolder::Name() {
    if (!named_ && handle_ != INVALID_HANDLE_VALUE) {
        name_ = ObjectName(handle_);
        named_ = true;
    }
    return name_;
}

HANDLE ListedFolder::OpenEntry(const std::wstring& leaf, DWORD access) {
    HANDLE entry = OpenEntryOnce(leaf, access);
    if (entry != INVALID_HANDLE_VALUE || handle_ == INVALID_HANDLE_VALUE) return entry;
    const std::wstring folderPath = path_;
    Close();
    return Open(folderPath) ? OpenEntryOnce(leaf, access) : INVALID_HANDLE_VALUE;
}

HANDLE ListedFolder::OpenEntryOnce(const std::wstring& leaf, DWORD access) {
    using CreateFile = LONG(WINAPI*)(HANDLE*, ACCESS_MASK, OBJECT_ATTRIBUTES*, IO_STATUS_BLOCK*, LARGE_INTEGER*, ULONG,
                                     ULONG, ULONG, ULONG, void*, ULONG);
    static const auto create = NtFunction<CreateFile>("NtCreateFile");
    if (!create || handle_ == INVALID_HANDLE_VALUE || leaf.empty() || leaf.size() > 32767) return INVALID_HANDLE_VALUE;
    std::wstring name = leaf;
    UNICODE_STRING unicode;
    unicode.Length = unicode.MaximumLength = static_cast<USHORT>(name.size() * sizeof(wchar_t));
    unicode.Buffer = &name[0];
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &unicode, 0, handle_, nullptr);
    IO_STATUS_BLOCK status;
    HANDLE entry = INVALID_HANDLE_VALUE;
    const LONG result =
        create(&entry, access | SYNCHRONIZE, &attributes, &status, nullptr, 0, kShareAll, FILE_OPEN,
               FILE_NON_DIRECTORY_FILE | FILE_OPEN_REPARSE_POINT | FILE_SYNCHRONOUS_IO_NONALERT, nullptr, 0);
    return result == 0 ? entry : INVALID_HANDLE_VALUE;
}

void ListedFolder::Close() {
    if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    path_.clear();
    name_.clear();
    named_ = false;
}

}  // namespace velnor
