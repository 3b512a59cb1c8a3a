#include "platform/win32/console_win32.h"

#include <shellapi.h>

#include <algorithm>

#include "platform/exact_path.h"
#include "platform/win32/wide_text_win32.h"

namespace velnor {

namespace {

// Text is handed on in pieces of about this size.
constexpr size_t kPieceBytes = 64 * 1024;

bool Usable(HANDLE handle) {
    return handle && handle != INVALID_HANDLE_VALUE && ::GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

class DroppingSink : public ITextSink {
public:
    bool Write(std::string_view) override { return true; }
    bool Flush() override { return true; }
};

}  // namespace

std::vector<std::string> CommandLineArguments() {
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* list = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!list) return arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(Narrow(list[i]));
    ::LocalFree(list);
    return arguments;
}

Win32HandleSink::Win32HandleSink(HANDLE handle, bool owned) : handle_(handle), owned_(owned) {
    DWORD mode = 0;
    console_ = ::GetConsoleMode(handle_, &mode) != 0;
}

Win32HandleSink::~Win32HandleSink() {
    Flush();
    if (owned_) ::CloseHandle(handle_);
}

bool Win32HandleSink::Write(std::string_view utf8) {
    if (failed_) return false;
    pending_.append(utf8.data(), utf8.size());
    if (pending_.size() >= kPieceBytes) return Flush();
    return true;
}

bool Win32HandleSink::Flush() {
    if (failed_) return false;
    if (pending_.empty()) return true;
    const bool written = WriteOut(pending_);
    pending_.clear();
    if (!written) failed_ = true;
    return written;
}

bool Win32HandleSink::WriteOut(const std::string& text) {
    if (console_) {
        const std::wstring wide = Widen(text);
        size_t done = 0;
        while (done < wide.size()) {
            DWORD written = 0;
            const DWORD piece = static_cast<DWORD>(std::min<size_t>(wide.size() - done, 8192));
            if (!::WriteConsoleW(handle_, wide.data() + done, piece, &written, nullptr) || written == 0) return false;
            done += written;
        }
        return true;
    }
    size_t done = 0;
    while (done < text.size()) {
        DWORD written = 0;
        const DWORD piece = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1 << 20));
        if (!::WriteFile(handle_, text.data() + done, piece, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

Win32Console::~Win32Console() {
    output_.reset();
    error_.reset();
    if (attached_) ::FreeConsole();
}

ITextSink& Win32Console::StandardOutput() {
    if (!output_) output_ = OpenStandard(STD_OUTPUT_HANDLE);
    return *output_;
}

ITextSink& Win32Console::StandardError() {
    if (!error_) error_ = OpenStandard(STD_ERROR_HANDLE);
    return *error_;
}

std::unique_ptr<ITextSink> Win32Console::OpenStandard(DWORD which) {
    // A handle that was handed down (redirected to a file or a pipe, or the
    // console of a console program that started this one) is used as it is.
    HANDLE inherited = ::GetStdHandle(which);
    if (Usable(inherited)) return std::make_unique<Win32HandleSink>(inherited, false);
    if (!attachTried_) {
        attachTried_ = true;
        attached_ = ::AttachConsole(ATTACH_PARENT_PROCESS) != 0;
    }
    if (attached_) {
        HANDLE console = ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
        if (console != INVALID_HANDLE_VALUE) return std::make_unique<Win32HandleSink>(console, true);
    }
    return std::make_unique<DroppingSink>();
}

std::unique_ptr<ITextSink> Win32Console::CreateTextFile(const std::string& path) {
    HANDLE file = ::CreateFileW(SystemPath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32HandleSink>(file, true);
}

std::optional<std::string> Win32Console::ReadFileBytes(const std::string& path) {
    HANDLE file = ::CreateFileW(SystemPath(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char chunk[16384];
    DWORD read = 0;
    bool ok = true;
    while ((ok = ::ReadFile(file, chunk, sizeof chunk, &read, nullptr) != 0) && read > 0) bytes.append(chunk, read);
    ::CloseHandle(file);
    if (!ok) return std::nullopt;
    return bytes;
}

}  // namespace velnor
