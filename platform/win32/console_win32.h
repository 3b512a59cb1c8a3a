#pragma once
// The console service of the Windows build.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/console.h"

namespace velnor {

// The program's arguments after its own name, as UTF-8, split as Windows
// splits a command line (quotes group, backslashes before a quote escape it).
std::vector<std::string> CommandLineArguments();

// A handle written in UTF-8 bytes (a file, a pipe) or, when it is a console,
// in UTF-16 through WriteConsoleW, so that every script shows in any code
// page. The text is gathered and written in large pieces, each ending where a
// Write ended, so that no character is ever cut.
class Win32HandleSink : public ITextSink {
public:
    // The sink closes the handle when `owned`.
    Win32HandleSink(HANDLE handle, bool owned);
    ~Win32HandleSink() override;
    Win32HandleSink(const Win32HandleSink&) = delete;
    Win32HandleSink& operator=(const Win32HandleSink&) = delete;
    bool Write(std::string_view utf8) override;
    bool Flush() override;

private:
    bool WriteOut(const std::string& text);

    HANDLE handle_;
    bool owned_;
    bool console_ = false;
    bool failed_ = false;
    std::string pending_;
};

// The standard handles that the program inherited (redirected to a file or a
// pipe), else the console of the process that started it (cmd, PowerShell),
// which it attaches to: the program is built for the window subsystem, so it
// has no console of its own and opens none.
class Win32Console : public IConsole {
public:
    ~Win32Console() override;
    ITextSink& StandardOutput() override;
    ITextSink& StandardError() override;
    std::unique_ptr<ITextSink> CreateTextFile(const std::string& path) override;
    std::optional<std::string> ReadFileBytes(const std::string& path) override;

private:
    std::unique_ptr<ITextSink> OpenStandard(DWORD which);

    bool attachTried_ = false;
    bool attached_ = false;
    std::unique_ptr<ITextSink> output_, error_;
};

}  // namespace velnor
