#include "app/command_line_win32.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include "app/command_run.h"
#include "platform/win32/console_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/url_cache_win32.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/processes_win32.h"

namespace velnor {

namespace {

// The shell's file operations without the progress box that the window's
// removal lets the shell show: a run without the window shows nothing.
class SilentShell : public Win32Shell {
public:
    int DeleteFiles(const std::string& doubleNulList, unsigned flags) override {
        return Win32Shell::DeleteFiles(doubleNulList, (flags & ~kFofSimpleProgress) | FOF_SILENT);
    }
};

}  // namespace

int RunWithoutWindow(const std::vector<std::string>& arguments) {
    // The shell's Recycle Bin and folder lookups want COM on this thread.
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

    Win32FileSystem files;
    Win32Locale locale;
    SilentShell shell;
    Win32UrlCache urlCache;
    Win32UrlHistory urlHistory;
    Win32Processes processes;
    Win32Console console;
    // No prompts, no message pump and no help: nobody is there to answer.
    Platform platform;
    platform.files = &files;
    platform.locale = &locale;
    platform.shell = &shell;
    platform.urlCache = &urlCache;
    platform.urlHistory = &urlHistory;
    platform.processes = &processes;

    const ExitCode exit = RunCommand(ParseCommandLine(arguments), platform, console);
    if (SUCCEEDED(com)) ::CoUninitialize();
    return static_cast<int>(exit);
}

}  // namespace velnor
