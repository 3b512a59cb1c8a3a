#include "platform/win32/listed_file_win32.h"

#include <vector>

namespace velnor {

namespace {

// The name of an open file as the system keeps it, volume included
// ("\\??\\C:\\..." under Wine, "\\Device\\HarddiskVolume3\\..." on Windows).
// Asked of the object itself: GetFinalPathNameByHandle gives up past 260
// characters under Wine, and the volume's serial number is slow to ask there.
std::wstring ObjectName(HANDLE handle) {
    using QueryObject = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    static const auto query = reinterpret_cast<QueryObject>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryObject")));
    constexpr int kObjectNameInformation = 1;
    struct Name {
        USHORT length, maximumLength;
        wchar_t* buffer;
    };
    if (!query) return std::wstring();
    // Most names fit a buffer on the stack; a deep one gets the largest a
    // name can be.
    alignas(Name) char small[sizeof(Name) + 1024 * sizeof(wchar_t)];
    ULONG needed = 0;
    if (query(handle, kObjectNameInformation, small, sizeof small, &needed) == 0) {
        const Name* name = reinterpret_cast<const Name*>(small);
        return std::wstring(name->buffer, name->length / sizeof(wchar_t));
    }
    std::vector<Name> large(1 + (65536 + sizeof(wchar_t)) / sizeof(Name) + 1);
    const ULONG bytes = static_cast<ULONG>(large.size() * sizeof(Name));
    if (query(handle, kObjectNameInformation, large.data(), bytes, &needed) != 0) return std::wstring();
    return std::wstring(large[0].buffer, large[0].length / sizeof(wchar_t));
}

bool SameNameIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

std::wstring WithoutTrailingBlanksAndDots(std::wstring name) {
    while (!name.empty() && (name.back() == L' ' || name.back() == L'.')) name.pop_back();
    return name;
}

bool SameFile(HANDLE a, HANDLE b) {
    BY_HANDLE_FILE_INFORMATION x, y;
    return a != INVALID_HANDLE_VALUE && b != INVALID_HANDLE_VALUE && ::GetFileInformationByHandle(a, &x) &&
           ::GetFileInformationByHandle(b, &y) && x.dwVolumeSerialNumber == y.dwVolumeSerialNumber &&
           x.nFileIndexHigh == y.nFileIndexHigh && x.nFileIndexLow == y.nFileIndexLow;
}

// Where the path starts with a drive's root ("\\?\c:\" or "c:\"): the
// length of that root; 0 for any other form.
size_t DriveRootLength(const std::wstring& path) {
    const size_t start = path.compare(0, 4, L"\\\\?\\") == 0 ? 4 : 0;
    const bool root = path.size() > start + 2 && path[start + 1] == L':' && path[start + 2] == L'\\';
    return root ? start + 3 : 0;
}

}  // namespace

FileHandle OpenListedFile(const std::wstring& path, DWORD access) {
    return FileHandle(::CreateFileW(path.c_str(), access, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

// The name of the folder that the last files checked lie in: rows of one
// folder follow one another, and the folder is asked once for all of them.
const std::wstring& ListedFileCheck::FolderObjectName(const std::wstring& folderPath) {
    if (folderPath == lastFolderPath_) return lastFolderName_;
    FileHandle folder(::CreateFileW(folderPath.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    lastFolderName_ = folder.get() == INVALID_HANDLE_VALUE ? std::wstring() : ObjectName(folder.get());
    lastFolderPath_ = lastFolderName_.empty() ? std::wstring() : folderPath;
    return lastFolderName_;
}


// True when the open file's name is the name of its drive's root followed by
// the rest of its path, letter for letter. Such a file lies exactly where its
// path says: the name of an open file never passes through a link, so no
// link on the way led to it, and the entry at the path is the file itself.
bool ListedFileCheck::LiesAtItsPath(const std::wstring& named, const std::wstring& path) {
    const size_t rootLength = DriveRootLength(path);
    if (rootLength == 0) return false;
    if (path.compare(0, rootLength, rootPath_) != 0) {
        rootPath_ = path.substr(0, rootLength);
        FileHandle root(::CreateFileW(rootPath_.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        rootName_ = root.get() == INVALID_HANDLE_VALUE ? std::wstring() : ObjectName(root.get());
        if (!rootName_.empty() && rootName_.back() != L'\\') rootName_ += L'\\';
    }
    const size_t rest = path.size() - rootLength;
    return !rootName_.empty() && named.size() == rootName_.size() + rest &&
           named.compare(0, rootName_.size(), rootName_) == 0 &&
           named.compare(rootName_.size(), rest, path, rootLength, rest) == 0;
}

// True when the open file is the one that its folder lists under its name. A
// link to a file leads elsewhere: Windows opens the link itself here, Wine
// (which shows no link to a file as one) opens what it leads to, and that
// lies on another volume, in another folder or under another name. The
// folder's own name is asked too, not taken from the path as given, so that
// mapped and substituted drives and a chosen folder that is itself a link
// keep working.
bool ListedFileCheck::IsTheListedFile(HANDLE file, const std::wstring& path) {
    const std::wstring named = ObjectName(file);
    if (LiesAtItsPath(named, path)) return true;
    const size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos) return false;
    // A drive's root keeps its backslash ("\\?\c:\"); any other folder is
    // opened by its name.
    const bool root = slash > 0 && path[slash - 1] == L':';
    const std::wstring leaf = path.substr(slash + 1);
    std::wstring expected = FolderObjectName(path.substr(0, root ? slash + 1 : slash));
    if (expected.empty()) return false;
    if (expected.back() != L'\\') expected += L'\\';
    if (SameNameIgnoringCase(named, expected + leaf)) return true;
    // Wine names a file whose name ends in a blank or a dot without them. That
    // is the listed file unless the name without them is another entry of the
    // folder that this one leads to.
    const std::wstring trimmed = WithoutTrailingBlanksAndDots(leaf);
    if (trimmed == leaf || trimmed.empty() || !SameNameIgnoringCase(named, expected + trimmed)) return false;
    FileHandle lookAlike(OpenListedFile(path.substr(0, slash + 1) + trimmed, FILE_READ_ATTRIBUTES));
    return lookAlike.get() == INVALID_HANDLE_VALUE || !SameFile(lookAlike.get(), file);
}

FileHandle OpenToDelete(const std::wstring& path, bool checkListed, ListedFileCheck& check) {
    // Opened without backup semantics, a folder does not open at all.
    FileHandle file = OpenListedFile(path, DELETE | FILE_READ_ATTRIBUTES);
    // Windows opens a link itself, and deleting it leaves its target; only
    // where listings hide links must the file be checked against its folder.
    if (file.get() != INVALID_HANDLE_VALUE && checkListed && !check.IsTheListedFile(file.get(), path))
        file.reset(INVALID_HANDLE_VALUE);
    return file;
}

bool DeleteThrough(FileHandle file) { return MarkToDelete(file.get()); }

bool MarkToDelete(HANDLE file) {
    if (file == INVALID_HANDLE_VALUE) return false;
    FILE_DISPOSITION_INFO disposition = {TRUE};
    return ::SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition) != FALSE;
}

}  // namespace velnor
