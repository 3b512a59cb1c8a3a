#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace velnor {

// Shell folders by their CSIDL value.
constexpr int kCsidlRecent = 0x08;
constexpr int kCsidlInternetCache = 0x20;
constexpr int kCsidlHistory = 0x22;
constexpr int kCsidlBitBucket = 0x0a;
constexpr int kCsidlAppData = 0x1a;
constexpr int kCsidlLocalAppData = 0x1c;

// Flags of the shell's file operation.
constexpr unsigned kFofNoConfirmation = 0x0010;
constexpr unsigned kFofAllowUndo = 0x0040;
constexpr unsigned kFofSimpleProgress = 0x0100;
constexpr unsigned kFofNoErrorUi = 0x0400;

class IShell {
public:
    virtual ~IShell() = default;
    // SHFileOperation with FO_DELETE on a double-NUL list of paths or patterns.
    virtual int DeleteFiles(const std::string& doubleNulList, unsigned flags) = 0;
    // SHQueryRecycleBinA: bytes in the bin of one drive root.
    virtual bool QueryRecycleBin(const std::string& root, uint64_t& bytes) = 0;
    // SHEmptyRecycleBinA for all drives with the given flags.
    virtual long EmptyRecycleBin(unsigned flags) = 0;
    // SHGetSpecialFolderLocation + SHGetPathFromIDListA.
    virtual std::optional<std::string> SpecialFolderPath(int csidl) = 0;
    // SHGetFileInfoA with SHGFI_DISPLAYNAME.
    virtual std::optional<std::string> DisplayName(const std::string& path) = 0;
    // ShellExecuteA with no owner window, no parameters and no directory.
    virtual void Execute(const std::string& verb, const std::string& target, int showCommand) = 0;
    // Opens a shell folder that has no file-system path (the Recycle Bin).
    virtual void OpenSpecialFolder(int csidl) = 0;
};

}  // namespace velnor
