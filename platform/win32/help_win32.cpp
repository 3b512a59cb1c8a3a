#include "platform/win32/help_win32.h"

#include <windows.h>
#include <htmlhelp.h>

namespace velnor {

void Win32Help::ShowContext(const std::string& helpFile, uint32_t context) {
    // No owner: the viewer is a window of its own that may stay open behind
    // the program or after it.
    ::HtmlHelpA(nullptr, helpFile.c_str(), HH_HELP_CONTEXT, context);
}

}  // namespace velnor
