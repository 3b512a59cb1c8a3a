#pragma once
// The real platform services of the Windows build.
#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/listed_file_win32.h"

namespace velnor {

class Win32FileSystem : public IFileSystem {
public:
    bool Enumerate(const std::string& pattern, const std::function<bool(const FindData&)>& onEntry) override;
    std::unique_ptr<IListingsInTurn> ListInTurn() override;
    bool DeleteFile(const std::string& path) override;
    std::unique_ptr<IDeletionsInTurn> DeleteInTurn(std::vector<std::string> paths) override;
    bool RemoveFolder(const std::string& path) override;
    bool LeadsElsewhere(const std::string& path) override;
    bool ListingsShowFileLinks() override;
    std::optional<uint32_t> Attributes(const std::string& path) override;
    bool SetAttributes(const std::string& path, uint32_t attributes) override;
    std::string TempPath() override;
    std::vector<std::string> LogicalDriveStrings(size_t bufferChars) override;
    int DriveType(const std::string& root) override;
    bool DiskSpace(const std::string& root, uint64_t& totalBytes, uint64_t& freeBytes) override;
    std::string ModulePath() override;
    bool CanOpenForUpdate(const std::string& path) override;
    std::optional<std::string> ReadTextFile(const std::string& path) override;
    bool ReplaceTextFile(const std::string& path, const std::string& text) override;

private:
    ListedFileCheck check_;
};

class Win32Prompts : public IPrompts {
public:
    explicit Win32Prompts(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }
    int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override;
    std::optional<std::string> ChooseFolder() override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;

private:
    HWND owner_;
    int waitDepth_ = 0;
    HCURSOR previous_ = nullptr;
};

// What a dialog asks through the prompts (a question, the folder chooser)
// belongs to that dialog while it is asked, so that the dialog cannot be used
// or closed under it; afterwards the prompts go back to the window that owns
// the dialog. Prompts of another kind (a test's fake) are left alone.
class PromptsOwnedBy {
public:
    PromptsOwnedBy(IPrompts* prompts, HWND dialog) : prompts_(dynamic_cast<Win32Prompts*>(prompts)), dialog_(dialog) {
        if (prompts_) prompts_->SetOwner(dialog_);
    }
    ~PromptsOwnedBy() {
        if (prompts_) prompts_->SetOwner(::GetWindow(dialog_, GW_OWNER));
    }
    PromptsOwnedBy(const PromptsOwnedBy&) = delete;
    PromptsOwnedBy& operator=(const PromptsOwnedBy&) = delete;

private:
    Win32Prompts* prompts_;
    HWND dialog_;
};

class Win32MessagePump : public IMessagePump {
public:
    void Drain() override;
    bool DrainDue() const override;
    // Keyboard messages for this dialog go through the dialog manager, so that
    // Escape and Alt+F4 still work while a long operation drains the queue.
    void SetDialog(HWND dialog) { dialog_ = dialog; }

private:
    HWND dialog_ = nullptr;
    ULONGLONG drained_ = 0;  // when the last drain ended, in performance-counter ticks
};

class Win32Locale : public ILocale {
public:
    std::optional<double> ParseDate(const std::string& text) override;
    std::string FormatModified(uint64_t fileTime) override;
    std::string Lower(const std::string& text) override;
    bool UsesUtf8() override;
    std::string LegacyAnsiToUtf8(const std::string& text) override;
};

// The shell's folder chooser, owned by a window; a path only for file-system folders.
std::optional<std::string> BrowseForFolder(HWND owner);

}  // namespace velnor
