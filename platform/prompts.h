#pragma once
#include <optional>
#include <string>

namespace velnor {

constexpr unsigned kMbOk = 0x00;
constexpr unsigned kMbOkCancel = 0x01;
constexpr unsigned kMbIconWarning = 0x30;
constexpr unsigned kMbIconQuestion = 0x20;
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

// Everything that asks the user or changes the pointer.
class IPrompts {
public:
    virtual ~IPrompts() = default;
    virtual int MessageBox(const std::string& text, const std::string& caption, unsigned flags) = 0;
    // The shell's folder chooser (only file-system folders); empty when cancelled.
    virtual std::optional<std::string> ChooseFolder() = 0;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
};

// The wait cursor for the life of a scope; nothing without prompts.
class WaitCursor {
public:
    explicit WaitCursor(IPrompts* prompts) : prompts_(prompts) {
        if (prompts_) prompts_->BeginWaitCursor();
    }
    ~WaitCursor() {
        if (prompts_) prompts_->EndWaitCursor();
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    IPrompts* prompts_;
};

// Lets the window handle what is waiting while a long operation runs.
class IMessagePump {
public:
    virtual ~IMessagePump() = default;
    virtual void Drain() = 0;
    // Whether a drain now would be worth its cost. A window's pump drains when
    // a frame's time has passed since the last drain: a look at the queue
    // costs more than walking a small folder, and nobody sees more often.
    virtual bool DrainDue() const { return true; }
};

class ILocale {
public:
    virtual ~ILocale() = default;
    // VarDateFromStr with the user's default locale.
    virtual std::optional<double> ParseDate(const std::string& text) = 0;
    // The last-write time in local time, formatted with strftime's "%c"; empty
    // when it cannot be converted.
    virtual std::string FormatModified(uint64_t fileTime) = 0;
    // The platform's multibyte-aware lower-casing.
    virtual std::string Lower(const std::string& text) = 0;
    // True when the process code page, the one every ANSI call speaks, is
    // UTF-8 (Windows honours the manifest's request for it from version 1903).
    virtual bool UsesUtf8() = 0;
    // Text in the system's legacy ANSI code page, the one that programs
    // without a UTF-8 manifest use, turned into UTF-8.
    virtual std::string LegacyAnsiToUtf8(const std::string& text) = 0;
};

}  // namespace velnor
