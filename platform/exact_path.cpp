#include "platform/exact_path.h"

#include <vector>

#include "platform/file_system.h"

namespace velnor {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualsAsciiNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
    return true;
}

// The names of a path after its root, split at either separator; empty names
// (doubled separators) dropped, as Windows drops them.
std::vector<std::string_view> Names(std::string_view rest) {
    std::vector<std::string_view> names;
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = start;
        while (end < rest.size() && !IsSeparator(rest[end])) ++end;
        if (end > start) names.push_back(rest.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

}  // namespace

size_t Utf16Length(std::string_view utf8) {
    size_t units = 0;
    for (unsigned char c : utf8) {
        if ((c & 0xC0) == 0x80) continue;  // a continuation byte: counted with its lead byte
        units += c >= 0xF0 ? 2 : 1;
    }
    return units;
}

std::string ExactPathForm(const std::string& path) {
    std::string root;
    std::string_view rest;
    const std::string_view view(path);
    if (view.size() >= 4 && IsSeparator(view[0]) && IsSeparator(view[1]) && (view[2] == '?' || view[2] == '.') &&
        IsSeparator(view[3])) {
        return path;  // already a device or exact path: Windows takes it as it stands
    }
    if (view.size() >= 3 && IsAsciiLetter(view[0]) && view[1] == ':' && IsSeparator(view[2])) {
        root = std::string("\\\\?\\") + view[0] + ":";
        rest = view.substr(3);
    } else if (view.size() >= 3 && IsSeparator(view[0]) && IsSeparator(view[1]) && !IsSeparator(view[2])) {
        // \\server\share: the server and the share are the root, never left by "..".
        std::vector<std::string_view> names = Names(view.substr(2));
        if (names.size() < 2) return std::string();
        root = "\\\\?\\UNC\\" + std::string(names[0]) + "\\" + std::string(names[1]);
        const size_t shareEnd = view.find(names[1], 2 + names[0].size()) + names[1].size();
        rest = view.substr(shareEnd);
    } else {
        return std::string();
    }

    std::vector<std::string_view> kept;
    for (std::string_view name : Names(rest)) {
        if (name == ".") continue;
        if (name == "..") {
            if (!kept.empty()) kept.pop_back();
            continue;
        }
        kept.push_back(name);
    }
    std::string exact = root;
    for (std::string_view name : kept) {
        exact += '\\';
        exact += name;
    }
    // "c:\temp\" stays a folder path and "c:\" the drive's root.
    if (kept.empty() || (!rest.empty() && IsSeparator(rest.back()))) exact += '\\';
    return exact;
}

bool IsDeviceName(std::string_view name) {
    // Windows takes the part before the first dot, trailing blanks dropped.
    std::string_view base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
    static constexpr std::string_view kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (std::string_view device : kDevices)
        if (EqualsAsciiNoCase(base, device)) return true;
    if (base.size() < 4) return false;
    const std::string_view port = base.substr(0, 3);
    if (!EqualsAsciiNoCase(port, "COM") && !EqualsAsciiNoCase(port, "LPT")) return false;
    const std::string_view digit = base.substr(3);
    // The superscript digits count as well: "COM¹" is a device too.
    return (digit.size() == 1 && digit[0] >= '0' && digit[0] <= '9') || digit == "\xC2\xB9" ||
           digit == "\xC2\xB2" || digit == "\xC2\xB3";
}

bool PlainPathIsExact(std::string_view path) {
    if (Utf16Length(path) + 1 > kMaxPath) return false;
    size_t start = 0;
    // A drive ("c:") or a share's leading separators are no names.
    if (path.size() >= 2 && path[1] == ':') start = 2;
    for (std::string_view name : Names(path.substr(start))) {
        if (name == "." || name == "..") continue;
        if (name.back() == ' ' || name.back() == '.' || IsDeviceName(name)) return false;
    }
    return true;
}

}  // namespace velnor
