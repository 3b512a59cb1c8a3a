#pragma once
#include "app/command_line.h"
#include "platform/console.h"
#include "platform/platform.h"

namespace velnor {

// A run without the window: the command line's command carried out with the
// saved profile (read, never written) on the same scan and removal as the
// window's, the report written to the standard output or the report file.
// Nothing is ever asked of the user. Returns the exit code.
ExitCode RunCommand(const CommandLine& line, const Platform& platform, IConsole& console);

}  // namespace velnor
