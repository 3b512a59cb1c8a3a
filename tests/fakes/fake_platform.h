#pragma once
// In-memory stand-ins for the platform services, for the host tests.
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/main_dialog_parts.h"
#include "platform/platform.h"

namespace velnor::testing {

// A small Windows-like file system: case-insensitive paths with backslashes,
// entries listed in the order they were created.
class FakeFileSystem : public IFileSystem {
public:
    struct Node {
        std::string name;  // as created, case kept
        uint32_t attributes = 0;
        uint64_t size = 0;
        uint64_t lastWriteTime = 0;
        std::string content;  // text files: LF line ends
        bool locked = false;
        // A link to a file that listings show as the file it leads to (as Wine
        // does); a link that they show as one carries kAttrReparsePoint.
        bool hiddenLink = false;
        std::vector<std::string> children;  // keys of the entries inside a folder
    };

    FakeFileSystem();
    void AddFolder(const std::string& path, uint32_t attributes = 0);
    void AddFile(const std::string& path, uint64_t size = 0, uint32_t attributes = 0, uint64_t lastWriteTime = 0);
    void SetText(const std::string& path, const std::string& text);  // creates the file too
    void SetLocked(const std::string& path, bool locked);
    // Makes a file a link that listings show as the file it leads to.
    void SetHiddenLink(const std::string& path);
    bool Exists(const std::string& path) const;
    const Node* Find(const std::string& path) const;
    // The bytes on disk: LF written as CR LF.
    std::string RawText(const std::string& path) const;
    void Remove(const std::string& path);

    struct Drive {
        std::string root;  // "C:\"
        int type = kDriveFixed;
        uint64_t total = 0, free = 0;
        bool spaceQueryFails = false;
    };
    std::vector<Drive> drives;
    std::string modulePath = "C:\\Program Files\\Velnor\\VelnorCleaner.exe";
    std::string tempPath = "C:\\TEMP\\";
    std::vector<std::string> deleted;  // every successful DeleteFile, in order
    int replaceCount = 0;
    int enumerateCount = 0;
    std::vector<std::string> enumeratedPatterns;  // every Enumerate call's pattern, in order

    bool Enumerate(const std::string& pattern, const std::function<bool(const FindData&)>& onEntry) override;
    // Each folder by Enumerate in its turn, at most kListedAhead waiting; a
    // listing asked out of turn is counted.
    std::unique_ptr<IListingsInTurn> ListInTurn() override;
    static constexpr size_t kListedAhead = 3;
    int listingsOutOfTurn = 0;
    bool DeleteFile(const std::string& path) override;
    // Each file by DeleteFile in its turn.
    std::unique_ptr<IDeletionsInTurn> DeleteInTurn(std::vector<std::string> paths) override;
    bool RemoveFolder(const std::string& path) override;
    bool LeadsElsewhere(const std::string& path) override;
    bool ListingsShowFileLinks() override { return listingsShowFileLinks; }
    bool listingsShowFileLinks = true;
    std::optional<uint32_t> Attributes(const std::string& path) override;
    bool SetAttributes(const std::string& path, uint32_t attributes) override;
    std::string TempPath() override { return tempPath; }
    std::vector<std::string> LogicalDriveStrings(size_t bufferChars) override;
    int DriveType(const std::string& root) override;
    bool DiskSpace(const std::string& root, uint64_t& totalBytes, uint64_t& freeBytes) override;
    std::string ModulePath() override { return modulePath; }
    bool CanOpenForUpdate(const std::string& path) override;
    std::optional<std::string> ReadTextFile(const std::string& path) override;
    bool ReplaceTextFile(const std::string& path, const std::string& text) override;

    static std::string Key(const std::string& path);

private:
    Node* FindMutable(const std::string& path);
    Node& Ensure(const std::string& path, uint32_t attributes);
    std::map<std::string, Node> nodes_;
};

class FakeShell : public IShell {
public:
    struct DeleteCall {
        std::vector<std::string> paths;
        unsigned flags;
    };
    std::vector<DeleteCall> deleteCalls;
    std::map<std::string, uint64_t> recycleBins;  // by root
    std::vector<std::string> recycled;           // paths sent to the bin
    int emptyCalls = 0;
    unsigned lastEmptyFlags = 0;
    std::map<int, std::string> specialFolders;
    std::map<std::string, std::string> displayNames;  // root -> display name
    std::vector<std::string> executed;                // "verb|target|show"
    std::vector<int> openedSpecialFolders;
    std::function<void()> onSpecialFolder;  // told of every shell folder lookup
    FakeFileSystem* files = nullptr;  // when set, deletions reach it (exact paths only)
    // Like the real shell: the operation ends at the first listed file that is
    // not there, and the files after it stay.
    bool stopAtMissingFile = false;
    static constexpr int kShellFileNotFound = 2;
    // Files held open by another program: like the real shell, the operation
    // ends at the first of them, and it and the files after it stay.
    std::set<std::string> inUse;
    static constexpr int kShellSharingViolation = 32;

    int DeleteFiles(const std::string& doubleNulList, unsigned flags) override;
    bool QueryRecycleBin(const std::string& root, uint64_t& bytes) override;
    long EmptyRecycleBin(unsigned flags) override;
    std::optional<std::string> SpecialFolderPath(int csidl) override;
    std::optional<std::string> DisplayName(const std::string& path) override;
    void Execute(const std::string& verb, const std::string& target, int showCommand) override;
    void OpenSpecialFolder(int csidl) override { openedSpecialFolders.push_back(csidl); }
};

class FakePrompts : public IPrompts {
public:
    std::deque<int> answers;  // message box answers; OK when empty
    struct Question {
        std::string text, caption;
        unsigned flags;
    };
    std::vector<Question> questions;
    std::deque<std::optional<std::string>> folders;  // chooser answers; cancel when empty
    int waitDepth = 0, waitCount = 0;

    int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override;
    std::optional<std::string> ChooseFolder() override;
    void BeginWaitCursor() override { ++waitDepth, ++waitCount; }
    void EndWaitCursor() override { --waitDepth; }
};

class FakePump : public IMessagePump {
public:
    int drains = 0;
    std::function<void(int drain)> onDrain;
    void Drain() override {
        ++drains;
        if (onDrain) onDrain(drains);
    }
};

// Dates as "mm/dd/yy hh:mm:ss", times formatted in UTC the same way; the
// legacy code page is Windows-1252.
class FakeLocale : public ILocale {
public:
    bool utf8 = true;  // the process code page is UTF-8
    bool UsesUtf8() override { return utf8; }
    std::optional<double> ParseDate(const std::string& text) override;
    std::string FormatModified(uint64_t fileTime) override;
    std::string Lower(const std::string& text) override;
    std::string LegacyAnsiToUtf8(const std::string& text) override;
};

class FakeUrlCache : public IUrlCache {
public:
    std::vector<UrlCacheEntry> entries;
    std::vector<std::string> deletedEntries;
    bool failStart = false;
    uint32_t failError = 0;  // error for a failing start; ERROR_NO_MORE_ITEMS when empty
    int insufficientBufferReplies = 0;
    std::set<std::string> undeletable;  // entries in use: DeleteEntry fails and they stay

    Handle FindFirst(std::vector<uint8_t>& buffer, uint32_t& bufferSize, UrlCacheEntry& entry,
                     uint32_t& error) override;
    bool FindNext(Handle walk, std::vector<uint8_t>& buffer, uint32_t& bufferSize, UrlCacheEntry& entry,
                  uint32_t& error) override;
    void FindClose(Handle walk) override { ++closes; }
    bool DeleteEntry(const std::string& sourceUrlName) override;
    int closes = 0;

private:
    size_t next_ = 0;
    bool Give(std::vector<uint8_t>& buffer, uint32_t& bufferSize, UrlCacheEntry& entry, uint32_t& error);
};

class FakeUrlHistory : public IUrlHistory {
public:
    int clears = 0;
    long result = 0;
    long ClearHistory() override {
        ++clears;
        return result;
    }
};

class FakeHelp : public IHelp {
public:
    struct Request {
        std::string file;
        uint32_t context;
    };
    std::vector<Request> requests;
    void ShowContext(const std::string& helpFile, uint32_t context) override {
        requests.push_back({helpFile, context});
    }
};

// The programs that run: the program itself, unless the test says otherwise.
class FakeProcesses : public IProcesses {
public:
    std::vector<std::string> running = {"VelnorCleaner.exe"};
    int asked = 0;
    std::vector<std::string> RunningNames() override {
        ++asked;
        return running;
    }
};

// Every fake, wired together.
struct FakePlatform {
    FakeFileSystem files;
    FakeShell shell;
    FakePrompts prompts;
    FakePump pump;
    FakeLocale locale;
    FakeUrlCache urlCache;
    FakeUrlHistory urlHistory;
    FakeHelp help;
    FakeProcesses processes;

    FakePlatform();
    Platform Services();
};

// The main window's behaviour with the window-only hooks recorded.
class TestMainDialog : private MainWindowHooks, public MainDialogParts {
public:
    explicit TestMainDialog(FakePlatform& fakes) : MainDialogParts(fakes.Services(), this), fakes(fakes) {}
    // Runs the portable start-up as the dialog's initialisation does.
    void Start();

    FakePlatform& fakes;
    int endDialogCalls = 0;
    std::function<void(FilterDialogValues&)> filterDialog;  // what the user does in the add-filter dialog
    std::function<void(std::string&)> excludeDialog;

private:
    void EndMainDialog() override { ++endDialogCalls; }
    void RunAddFilterDialog(FilterDialogValues& values) override {
        if (filterDialog) filterDialog(values);
    }
    void RunAddExcludeDialog(std::string& value) override {
        if (excludeDialog) excludeDialog(value);
    }
};

}  // namespace velnor::testing
