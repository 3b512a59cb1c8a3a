#pragma once
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace velnor {

// Where text of a run without the window goes: a stream that takes UTF-8.
class ITextSink {
public:
    virtual ~ITextSink() = default;
    // False once a write has failed (a full disk, a closed pipe); later
    // writes are dropped.
    virtual bool Write(std::string_view utf8) = 0;
    // Everything written so far reaches its target; false when it failed.
    virtual bool Flush() = 0;
};

// What a run from the command line reads and writes besides the file system:
// the console or the redirected standard handles that it inherits from what
// started it, the report file and the profile, which it only reads.
class IConsole {
public:
    virtual ~IConsole() = default;
    // The standard output and error: the parent's console (attached on first
    // use), or the file or pipe they were redirected to; a sink that drops
    // the text when there is neither.
    virtual ITextSink& StandardOutput() = 0;
    virtual ITextSink& StandardError() = 0;
    // A new file (an old one is replaced) that takes the text as UTF-8
    // bytes; null when it cannot be created.
    virtual std::unique_ptr<ITextSink> CreateTextFile(const std::string& path) = 0;
    // The file's bytes, opened for reading only and shared with other
    // readers and writers; nothing when it cannot be read.
    virtual std::optional<std::string> ReadFileBytes(const std::string& path) = 0;
};

}  // namespace velnor
