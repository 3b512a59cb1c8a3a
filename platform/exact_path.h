#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace velnor {

// Length of a UTF-8 text in UTF-16 units, the units in which Windows counts
// its path limit: a character beyond the Basic Multilingual Plane takes two.
size_t Utf16Length(std::string_view utf8);

// The form of a full path that reaches exactly the file it names, however long
// it is and whatever its names end in: "\\?\" before a drive path, "\\?\UNC\"
// before a share, backslashes only, "." and ".." worked out. Windows takes
// such a path as it stands; the plain form would drop a trailing space or dot
// from a name, take "CON" or "nul.txt" for a device, and stop at 260
// characters. Empty when the path is no full path (relative, or "c:name").
std::string ExactPathForm(const std::string& path);

// True when the plain path reaches exactly the file it names, so that an
// operation that takes only plain paths (the shell's) may be given it: shorter
// than the platform's path limit, and no name in it ends in a space or a dot
// or names a device.
bool PlainPathIsExact(std::string_view path);

// True when a name, with or without an extension, is one that Windows takes
// for a device in a plain path (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to
// LPT9 and the like, in any letter case).
bool IsDeviceName(std::string_view name);

}  // namespace velnor
