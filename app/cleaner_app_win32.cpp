#include "app/cleaner_app_win32.h"

#include <commctrl.h>
#include <objbase.h>

#include "app/main_dialog_win32.h"
#include "platform/win32/help_win32.h"
#include "platform/win32/processes_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/url_cache_win32.h"
#include "platform/win32/win32_platform.h"

namespace velnor {

int CCleanerApp::Run(HINSTANCE) {
    ::InitCommonControls();
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    ::OleInitialize(nullptr);

    Win32FileSystem files;
    Win32Prompts prompts;
    Win32MessagePump pump;
    Win32Locale locale;
    Win32Shell shell;
    Win32UrlCache urlCache;
    Win32UrlHistory urlHistory;
    Win32Help help;
    Win32Processes processes;
    Platform platform;
    platform.files = &files;
    platform.prompts = &prompts;
    platform.pump = &pump;
    platform.locale = &locale;
    platform.shell = &shell;
    platform.urlCache = &urlCache;
    platform.urlHistory = &urlHistory;
    platform.help = &help;
    platform.processes = &processes;
    {
        CMainDialog dialog(platform);
        dialog.SetMessagePump(&pump);
        dialog.SetOnWindowCreated([&](HWND window) {
            prompts.SetOwner(window);
            shell.SetOwner(window);
        });
        dialog.DoModal(nullptr);
    }
    ::OleUninitialize();
    return 0;
}

}  // namespace velnor
