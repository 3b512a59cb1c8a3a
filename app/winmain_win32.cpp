#include <windows.h>

#include "app/cleaner_app_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    velnor::CCleanerApp app;
    return app.Run(instance);
}
