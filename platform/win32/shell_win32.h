#pragma once
// The real shell services of the Windows build.
#include <windows.h>
#include <shlobj.h>

#include "platform/shell.h"

namespace velnor {

// The file-system path of a shell item in the process code page; none for an
// item that is no file-system folder. Not limited to MAX_PATH bytes: in UTF-8
// a path of MAX_PATH characters takes up to three times as many.
std::optional<std::string> PathOfIdList(LPCITEMIDLIST list);

class Win32Shell : public IShell {
public:
    // The owner is the window that shell folder lookups are made for.
    explicit Win32Shell(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }

    int DeleteFiles(const std::string& doubleNulList, unsigned flags) override;
    bool QueryRecycleBin(const std::string& root, uint64_t& bytes) override;
    long EmptyRecycleBin(unsigned flags) override;
    std::optional<std::string> SpecialFolderPath(int csidl) override;
    std::optional<std::string> DisplayName(const std::string& path) override;
    void Execute(const std::string& verb, const std::string& target, int showCommand) override;
    void OpenSpecialFolder(int csidl) override;

private:
    HWND owner_;
};

}  // namespace velnor
