#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velnor {

// Attribute bits as the file system reports them.
constexpr uint32_t kAttrReadOnly = 0x1;
constexpr uint32_t kAttrHidden = 0x2;
constexpr uint32_t kAttrSystem = 0x4;
constexpr uint32_t kAttrDirectory = 0x10;
constexpr uint32_t kAttrReparsePoint = 0x400;

// Drive types as the platform numbers them.
constexpr int kDriveRemovable = 2;
constexpr int kDriveFixed = 3;
constexpr int kDriveRemote = 4;
constexpr int kDriveCdRom = 5;
constexpr int kDriveRamDisk = 6;

// The platform's path limit for plain paths, in UTF-16 units, terminating zero
// included. The file system's own operations pass it through the exact path
// form (platform/exact_path.h); the shell's cannot.
constexpr size_t kMaxPath = 260;

struct FindData {
    std::string name;
    uint32_t attributes = 0;
    uint64_t size = 0;
    uint64_t lastWriteTime = 0;  // 100-nanosecond intervals since 1601-01-01, UTC
};

// Files deleted one by one in the order they were given (IFileSystem::
// DeleteInTurn).
class IDeletionsInTurn {
public:
    virtual ~IDeletionsInTurn() = default;
    // Deletes the next file of the list as DeleteFile would; false when it
    // stays. The file may go a moment later, and has gone when the result of
    // DeleteInTurn is dropped.
    virtual bool DeleteNext() = 0;
};

// Folders listed one after another in the order they were added
// (IFileSystem::ListInTurn). A folder may be opened and read before its turn
// while the caller works on the ones before it.
class IListingsInTurn {
public:
    virtual ~IListingsInTurn() = default;
    // Adds a folder's search pattern (as Enumerate takes it) at the end of the
    // turn. False when no more can wait: the caller adds it again after the
    // next ListNext.
    virtual bool Add(const std::string& pattern) = 0;
    // Lists a folder as Enumerate would. It is the first folder added and not
    // yet listed; one that is not is listed in its turn all the same, the ones
    // added before it dropped. While the listing is awaited whileWaiting is
    // called every few milliseconds; when it returns false nothing is listed.
    virtual bool ListNext(const std::string& pattern, const std::function<bool(const FindData&)>& onEntry,
                          const std::function<bool()>& whileWaiting) = 0;
};

class IFileSystem {
public:
    virtual ~IFileSystem() = default;

    // Enumerates the entries that match a search pattern such as "c:\temp\*.*",
    // "." and ".." included, in the order the file system gives them. Calls
    // onEntry for each until it returns false. Returns false when the
    // enumeration cannot be started (missing folder, access denied, pattern too
    // long for the platform).
    virtual bool Enumerate(const std::string& pattern, const std::function<bool(const FindData&)>& onEntry) = 0;
    // Listings of folders taken in turn, each folder as Enumerate lists it
    // except that a folder that has become a link by its turn lists nothing.
    virtual std::unique_ptr<IListingsInTurn> ListInTurn() = 0;

    // Deletes exactly the file named, never another: not a folder, and not
    // through a link (a link is not the file it leads to). False when the
    // file stays.
    virtual bool DeleteFile(const std::string& path) = 0;
    // The files named, to be deleted in that order, each by DeleteNext as
    // DeleteFile would delete it. A file may be opened and checked before its
    // turn, but none goes before it; the files whose turn has not come when
    // the result is dropped stay as they are.
    virtual std::unique_ptr<IDeletionsInTurn> DeleteInTurn(std::vector<std::string> paths) = 0;
    // Removes a folder that is empty (RemoveDirectory); never through a link.
    virtual bool RemoveFolder(const std::string& path) = 0;
    // True when opening the path reaches another file than the one its folder
    // lists under that name: a link to a file. Windows lists such a link as a
    // reparse point; Wine lists it as the file it leads to.
    virtual bool LeadsElsewhere(const std::string& path) = 0;
    // False where listings show a link to a file as the file it leads to, so
    // that a walk that must not count or reach a link's target asks
    // LeadsElsewhere of each file.
    virtual bool ListingsShowFileLinks() = 0;
    // GetFileAttributesA and SetFileAttributesA: the attribute bits of an
    // existing entry (nothing when it cannot be asked), and setting them.
    virtual std::optional<uint32_t> Attributes(const std::string& path) = 0;
    virtual bool SetAttributes(const std::string& path, uint32_t attributes) = 0;
    // GetTempPathA: ends in a backslash; empty on failure.
    virtual std::string TempPath() = 0;
    // GetLogicalDriveStringsA with a buffer of the given size: the roots ("C:\").
    virtual std::vector<std::string> LogicalDriveStrings(size_t bufferChars) = 0;
    virtual int DriveType(const std::string& root) = 0;
    // GetDiskFreeSpaceExA: total bytes and total free bytes.
    virtual bool DiskSpace(const std::string& root, uint64_t& totalBytes, uint64_t& freeBytes) = 0;
    // GetModuleFileNameA of the running program.
    virtual std::string ModulePath() = 0;

    // Text files, read and written in the platform's text mode (CR LF on disk).
    // True when the file can be opened for reading and writing without creating it.
    virtual bool CanOpenForUpdate(const std::string& path) = 0;
    // The whole file with CR LF turned into LF; empty when it cannot be opened
    // for reading and writing.
    virtual std::optional<std::string> ReadTextFile(const std::string& path) = 0;
    // Writes the text (LF turned into CR LF) to a new file beside the target and
    // then puts it in the target's place in one step, so that a crash or a full
    // disk never leaves a cut file behind. Creates the target when it is missing.
    virtual bool ReplaceTextFile(const std::string& path, const std::string& text) = 0;
};

}  // namespace velnor
