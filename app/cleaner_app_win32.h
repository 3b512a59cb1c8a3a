#pragma once
#include <windows.h>

namespace velnor {

// The application object: sets up the common controls and the help system,
// runs the main window modally and ends when it closes.
class CCleanerApp {
public:
    int Run(HINSTANCE instance);
};

}  // namespace velnor
