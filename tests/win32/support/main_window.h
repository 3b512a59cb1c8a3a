#pragma once
// The program's main window for a test of the Windows suite.
#include <windows.h>

#include <memory>

#include "app/main_dialog_win32.h"
#include "platform/platform.h"
#include "tests/win32/support/win_test_support.h"

namespace velnor::testing {

// Creates the main window over the services and shows it; empty when it
// could not be created.
inline std::unique_ptr<CMainDialog> OpenMainWindow(Platform& platform) {
    auto dialog = std::make_unique<CMainDialog>(platform);
    if (!dialog->Create(nullptr)) return nullptr;
    ::ShowWindow(dialog->Hwnd(), SW_SHOW);
    PumpMessages();
    return dialog;
}

// Destroys the window if it is still there and handles what that leaves queued.
inline void CloseMainWindow(std::unique_ptr<CMainDialog>& dialog) {
    if (dialog && dialog->Hwnd() && ::IsWindow(dialog->Hwnd())) dialog->DestroyWindow();
    PumpMessages();
}

}  // namespace velnor::testing
