#include "platform/win32/shell_win32.h"

#include <shellapi.h>
#include <shlobj.h>

#include <memory>
#include <vector>

namespace velnor {

namespace {

struct IdListFree {
    void operator()(ITEMIDLIST* list) const { ::CoTaskMemFree(list); }
};
using UniqueIdList = std::unique_ptr<ITEMIDLIST, IdListFree>;

UniqueIdList SpecialFolderIdList(HWND owner, int csidl) {
    LPITEMIDLIST list = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(owner, csidl, &list))) return UniqueIdList();
    return UniqueIdList(list);
}

}  // namespace

std::optional<std::string> PathOfIdList(LPCITEMIDLIST list) {
    // The ANSI call would fill a buffer of MAX_PATH bytes; the wide one fills
    // MAX_PATH characters, converted here into as many bytes as they need.
    wchar_t wide[MAX_PATH] = {};
    if (!::SHGetPathFromIDListW(list, wide)) return std::nullopt;
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return std::nullopt;
    std::string path(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide, -1, &path[0], bytes, nullptr, nullptr);
    path.resize(static_cast<size_t>(bytes) - 1);
    return path;
}

int Win32Shell::DeleteFiles(const std::string& doubleNulList, unsigned flags) {
    // The shell reads up to the first empty entry; two more NULs keep a list
    // that came without its end from running on into memory. The wide call
    // takes the list as characters, so a path within the limit in characters
    // is taken whatever its length in bytes.
    std::vector<wchar_t> from;
    const int length = static_cast<int>(doubleNulList.size());
    const int wide = ::MultiByteToWideChar(CP_UTF8, 0, doubleNulList.data(), length, nullptr, 0);
    from.resize(static_cast<size_t>(wide > 0 ? wide : 0) + 2, L'\0');
    if (wide > 0) ::MultiByteToWideChar(CP_UTF8, 0, doubleNulList.data(), length, from.data(), wide);
    SHFILEOPSTRUCTW operation = {};
    operation.hwnd = ::GetDesktopWindow();
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.data();
    operation.pTo = nullptr;
    operation.fFlags = static_cast<FILEOP_FLAGS>(flags);
    return ::SHFileOperationW(&operation);
}

bool Win32Shell::QueryRecycleBin(const std::string& root, uint64_t& bytes) {
    SHQUERYRBINFO info = {};
    info.cbSize = sizeof info;
    if (FAILED(::SHQueryRecycleBinA(root.c_str(), &info))) return false;
    bytes = static_cast<uint64_t>(info.i64Size);
    return true;
}

long Win32Shell::EmptyRecycleBin(unsigned flags) {
    return static_cast<long>(::SHEmptyRecycleBinA(nullptr, nullptr, flags));
}

std::optional<std::string> Win32Shell::SpecialFolderPath(int csidl) {
    UniqueIdList list = SpecialFolderIdList(owner_, csidl);
    if (!list) return std::nullopt;
    return PathOfIdList(list.get());
}

std::optional<std::string> Win32Shell::DisplayName(const std::string& path) {
    SHFILEINFOA info = {};
    if (!::SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME)) return std::nullopt;
    if (info.szDisplayName[0] == '\0') return std::nullopt;
    return std::string(info.szDisplayName);
}

void Win32Shell::Execute(const std::string& verb, const std::string& target, int showCommand) {
    ::ShellExecuteA(nullptr, verb.empty() ? nullptr : verb.c_str(), target.c_str(), nullptr, nullptr, showCommand);
}

void Win32Shell::OpenSpecialFolder(int csidl) {
    UniqueIdList list = SpecialFolderIdList(owner_, csidl);
    if (!list) return;
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_IDLIST;
    info.lpVerb = "open";
    info.lpIDList = list.get();
    info.nShow = SW_SHOWNORMAL;
    ::ShellExecuteExA(&info);
}

}  // namespace velnor
