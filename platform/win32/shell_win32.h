#pragma once
// The real shell services of the Windows build.
#include <windows.h>

#include "platform/shell.h"

namespace velnor {

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
