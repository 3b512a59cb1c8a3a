#include "platform/win32/wide_text_win32.h"

#include <windows.h>

#include "platform/exact_path.h"

namespace velnor {

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty()) return std::wstring();
    const int length = static_cast<int>(utf8.size());
    const int wide = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring out(static_cast<size_t>(wide > 0 ? wide : 0), L'\0');
    if (wide > 0) ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, &out[0], wide);
    return out;
}

std::string Narrow(const wchar_t* wide) {
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) return std::string();
    std::string out(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, &out[0], bytes, nullptr, nullptr);
    out.pop_back();
    return out;
}

void NarrowInto(const wchar_t* wide, std::string& out) {
    // Most names are ASCII, which UTF-8 keeps as it is.
    out.clear();
    const wchar_t* c = wide;
    for (; *c != L'\0' && *c < 0x80; ++c) out.push_back(static_cast<char>(*c));
    if (*c != L'\0') out = Narrow(wide);
}

std::wstring SystemPath(const std::string& path) {
    const std::string exact = ExactPathForm(path);
    return Widen(exact.empty() ? path : exact);
}

}  // namespace velnor
