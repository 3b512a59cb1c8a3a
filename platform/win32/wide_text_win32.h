#pragma once
// The program speaks UTF-8; the system's wide functions speak UTF-16.
#include <string>
#include <string_view>

namespace velnor {

std::wstring Widen(std::string_view utf8);
// An unpaired surrogate comes out as U+FFFD, which names no file.
std::string Narrow(const wchar_t* wide);
// The same into `out`, whose memory is kept: for many names one after another.
void NarrowInto(const wchar_t* wide, std::string& out);
// What the file system is handed: the exact form wherever the path is a full
// one, so that no name is trimmed or taken for a device and no length limit
// applies; a relative path as it stands.
std::wstring SystemPath(const std::string& path);

}  // namespace velnor
