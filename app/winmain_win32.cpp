#include <windows.h>

#include "app/cleaner_app_win32.h"
#include "app/command_line_win32.h"
#include "platform/win32/console_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // With arguments the program runs without its window.
    const std::vector<std::string> arguments = velnor::CommandLineArguments();
    if (!arguments.empty()) return velnor::RunWithoutWindow(arguments);
    velnor::CCleanerApp app;
    return app.Run(instance);
}
