#include "app/cleaner_app_win32.h"

#include <commctrl.h>
#include <objbase.h>

#include "app/main_dialog_win32.h"
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
    Platform platform;
    platform.files = &files;
    platform.prompts = &prompts;
    platform.pump = &pump;
    platform.locale = &locale;
    {
        CMainDialog dialog(platform);
        dialog.SetMessagePump(&pump);
        dialog.DoModal(nullptr);
    }
    ::OleUninitialize();
    return 0;
}

}  // namespace velnor
