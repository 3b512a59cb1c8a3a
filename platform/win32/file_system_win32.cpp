#include <windows.h>
#include <io.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

#include "platform/exact_path.h"
#include "platform/win32/deletions_in_turn_win32.h"
#include "platform/win32/listed_file_win32.h"
#include "platform/win32/listings_in_turn_win32.h"
#include "platform/win32/wide_text_win32.h"
#include "platform/win32/win32_platform.h"

namespace velnor {

namespace {

struct FindCloser {
    void operator()(HANDLE h) const {
        if (h != INVALID_HANDLE_VALUE) ::FindClose(h);
    }
};
using FindHandle = std::unique_ptr<void, FindCloser>;

struct FileCloser {
    void operator()(FILE* f) const {
        if (f) std::fclose(f);
    }
};
using UniqueFile = std::unique_ptr<FILE, FileCloser>;

uint64_t Join(DWORD high, DWORD low) { return (static_cast<uint64_t>(high) << 32) | low; }

}  // namespace

bool Win32FileSystem::Enumerate(const std::string& pattern, const std::function<bool(const FindData&)>& onEntry) {
    WIN32_FIND_DATAW data;
    FindHandle find(::FindFirstFileExW(SystemPath(pattern).c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                       nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (find.get() == INVALID_HANDLE_VALUE) return false;
    FindData entry;
    do {
        NarrowInto(data.cFileName, entry.name);
        entry.attributes = data.dwFileAttributes;
        entry.size = Join(data.nFileSizeHigh, data.nFileSizeLow);
        entry.lastWriteTime = Join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
        if (!onEntry(entry)) break;
    } while (::FindNextFileW(find.get(), &data));
    return true;
}

std::unique_ptr<IListingsInTurn> Win32FileSystem::ListInTurn() {
    return std::make_unique<Win32ListingsInTurn>(*this, !ListingsShowFileLinks());
}

bool Win32FileSystem::DeleteFile(const std::string& path) {
    return DeleteThrough(OpenToDelete(SystemPath(path), !ListingsShowFileLinks(), check_));
}

std::unique_ptr<IDeletionsInTurn> Win32FileSystem::DeleteInTurn(std::vector<std::string> paths) {
    return std::make_unique<Win32DeletionsInTurn>(std::move(paths), !ListingsShowFileLinks());
}

bool Win32FileSystem::RemoveFolder(const std::string& path) {
    const std::wstring wide = SystemPath(path);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return false;
    return ::RemoveDirectoryW(wide.c_str()) != FALSE;
}

bool Win32FileSystem::LeadsElsewhere(const std::string& path) {
    const std::wstring wide = SystemPath(path);
    FileHandle file = OpenListedFile(wide, FILE_READ_ATTRIBUTES);
    if (file.get() == INVALID_HANDLE_VALUE) return false;
    FILE_ATTRIBUTE_TAG_INFO tag = {};
    if (::GetFileInformationByHandleEx(file.get(), FileAttributeTagInfo, &tag, sizeof tag) &&
        (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return true;
    // Where the system shows links as links, the tag above has told.
    return !ListingsShowFileLinks() && !check_.IsTheListedFile(file.get(), wide);
}

// Wine shows a link to a file as the file it leads to (its loader exports
// wine_get_version from ntdll; Windows has no such export).
bool Win32FileSystem::ListingsShowFileLinks() {
    static const bool underWine =
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return !underWine;
}

std::optional<uint32_t> Win32FileSystem::Attributes(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(SystemPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return attributes;
}

bool Win32FileSystem::SetAttributes(const std::string& path, uint32_t attributes) {
    return ::SetFileAttributesW(SystemPath(path).c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL) != FALSE;
}

std::string Win32FileSystem::TempPath() {
    char buffer[1024];
    const DWORD n = ::GetTempPathA(sizeof buffer, buffer);
    if (n == 0 || n >= sizeof buffer) return std::string();
    return std::string(buffer, n);
}

std::vector<std::string> Win32FileSystem::LogicalDriveStrings(size_t bufferChars) {
    std::vector<char> buffer(bufferChars + 1, '\0');
    const DWORD n = ::GetLogicalDriveStringsA(static_cast<DWORD>(bufferChars), buffer.data());
    std::vector<std::string> roots;
    if (n == 0 || n > bufferChars) return roots;
    for (const char* p = buffer.data(); *p; p += std::strlen(p) + 1) roots.emplace_back(p);
    return roots;
}

int Win32FileSystem::DriveType(const std::string& root) { return static_cast<int>(::GetDriveTypeA(root.c_str())); }

bool Win32FileSystem::DiskSpace(const std::string& root, uint64_t& totalBytes, uint64_t& freeBytes) {
    ULARGE_INTEGER available, total, free;
    if (!::GetDiskFreeSpaceExA(root.c_str(), &available, &total, &free)) return false;
    totalBytes = total.QuadPart;
    freeBytes = free.QuadPart;
    return true;
}

std::string Win32FileSystem::ModulePath() {
    char buffer[1000] = {};
    const DWORD n = ::GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    return std::string(buffer, n < sizeof buffer ? n : sizeof buffer - 1);
}

namespace {

// Opens an existing file for reading and writing in text mode. A read-only
// file is refused even where the process could open it anyway (an
// administrator under some layers), so that it always counts as not writable.
UniqueFile OpenForUpdate(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return UniqueFile();
    return UniqueFile(std::fopen(path.c_str(), "r+t"));
}

}  // namespace

bool Win32FileSystem::CanOpenForUpdate(const std::string& path) { return OpenForUpdate(path) != nullptr; }

std::optional<std::string> Win32FileSystem::ReadTextFile(const std::string& path) {
    UniqueFile file = OpenForUpdate(path);
    if (!file) return std::nullopt;
    std::string text;
    char chunk[4096];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) text.append(chunk, n);
    // Text mode already turned CR LF into LF; a stray CR before LF stays out too.
    std::string clean;
    clean.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        clean.push_back(text[i]);
    }
    return clean;
}

bool Win32FileSystem::ReplaceTextFile(const std::string& path, const std::string& text) {
    // A target that exists but cannot be written (read-only, locked) is left alone.
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return false;
        HANDLE probe = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
        if (probe == INVALID_HANDLE_VALUE) return false;
        ::CloseHandle(probe);
    }
    const std::string temp = path + ".new";
    {
        UniqueFile file(std::fopen(temp.c_str(), "wt"));
        if (!file) return false;
        // The new text must be on the disk before it takes the old one's
        // place, or a power cut right after the swap could still leave a cut file.
        bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size() &&
                       std::fflush(file.get()) == 0 && ::_commit(::_fileno(file.get())) == 0;
        // Closing is where a full disk can show itself last.
        if (std::fclose(file.release()) != 0) written = false;
        if (!written) {
            ::DeleteFileA(temp.c_str());
            return false;
        }
    }
    if (!::MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileA(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace velnor
