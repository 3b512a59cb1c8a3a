#pragma once
#include <string>
#include <vector>

#include "platform/shell.h"

namespace velnor {

// The shell's delete flags: no confirmation, one simple progress window, no
// error dialogs; undo (the Recycle Bin) unless the deletion is permanent.
unsigned ShellDeleteFlags(bool permanent);

// The one way files and folders reach the shell's delete operation. `list` is a
// double-NUL list: each path or pattern followed by a NUL, then one more NUL.
// Returns what the shell returned.
int ShellDelete(IShell& shell, const std::string& list, bool permanent);

// Builds a double-NUL list from the given entries, in their order.
std::string DoubleNulList(const std::vector<std::string>& entries);

// True when the shell would read the path as something other than the one file
// it names: a path that names no file (NamesNoFile: wildcards and stand-ins for
// characters the code page cannot carry), an empty entry (which would end the
// list early) or an embedded NUL.
bool UnsafeForShellList(const std::string& path);

}  // namespace velnor
