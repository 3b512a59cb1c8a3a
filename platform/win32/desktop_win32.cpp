#include <windows.h>
#include <oleauto.h>
#include <shlobj.h>

#include <clocale>
#include <cstring>
#include <ctime>
#include <vector>

#include "platform/win32/shell_win32.h"
#include "platform/win32/win32_platform.h"

namespace velnor {

int Win32Prompts::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    return ::MessageBoxA(owner_, text.c_str(), caption.c_str(), flags);
}

std::optional<std::string> BrowseForFolder(HWND owner) {
    BROWSEINFOA info = {};
    char display[MAX_PATH] = {};
    info.hwndOwner = owner;
    info.pszDisplayName = display;
    info.lpszTitle = "";
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST chosen = ::SHBrowseForFolderA(&info);
    if (!chosen) return std::nullopt;
    const std::optional<std::string> path = PathOfIdList(chosen);
    ::CoTaskMemFree(chosen);
    return path.value_or(std::string());
}

std::optional<std::string> Win32Prompts::ChooseFolder() { return BrowseForFolder(owner_); }

// Only the outermost pair changes the cursor: setting it is a request to the
// window server each time (under Wine it costs more than deleting a file), and
// a removal asks for it around every file.
void Win32Prompts::BeginWaitCursor() {
    if (waitDepth_++ == 0) previous_ = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
}

void Win32Prompts::EndWaitCursor() {
    if (waitDepth_ == 0) return;
    if (--waitDepth_ == 0) ::SetCursor(previous_ ? previous_ : ::LoadCursor(nullptr, IDC_ARROW));
}

namespace {

ULONGLONG Ticks() {
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return static_cast<ULONGLONG>(now.QuadPart);
}

// Half a frame at 60 Hz, so that a message waits at most about one frame.
constexpr ULONGLONG kDrainEveryMs = 8;

}  // namespace

void Win32MessagePump::Drain() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (dialog_ && ::IsWindow(dialog_) && ::IsDialogMessageA(dialog_, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    drained_ = Ticks();
}

bool Win32MessagePump::DrainDue() const {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return Ticks() - drained_ >= static_cast<ULONGLONG>(frequency.QuadPart) * kDrainEveryMs / 1000;
}

std::optional<double> Win32Locale::ParseDate(const std::string& text) {
    const int wide = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (wide <= 0) return std::nullopt;
    std::vector<wchar_t> buffer(static_cast<size_t>(wide));
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, buffer.data(), wide);
    DATE date = 0;
    if (FAILED(::VarDateFromStr(buffer.data(), LOCALE_USER_DEFAULT, 0, &date))) return std::nullopt;
    return date;
}

std::string Win32Locale::FormatModified(uint64_t fileTime) {
    FILETIME utc, local;
    utc.dwLowDateTime = static_cast<DWORD>(fileTime);
    utc.dwHighDateTime = static_cast<DWORD>(fileTime >> 32);
    SYSTEMTIME st;
    if (!::FileTimeToLocalFileTime(&utc, &local) || !::FileTimeToSystemTime(&local, &st)) return std::string();
    std::tm tm = {};
    tm.tm_year = st.wYear - 1900;
    tm.tm_mon = st.wMonth - 1;
    tm.tm_mday = st.wDay;
    tm.tm_hour = st.wHour;
    tm.tm_min = st.wMinute;
    tm.tm_sec = st.wSecond;
    tm.tm_wday = st.wDayOfWeek;
    tm.tm_isdst = -1;
    char text[128];
    // The program never selects a locale, so "%c" is the C locale's form:
    // mm/dd/yy hh:mm:ss.
    if (std::strftime(text, sizeof text, "%c", &tm) == 0) return std::string();
    return text;
}

// Lowered in UTF-16 and brought back at whatever length it then takes: a few
// letters grow in UTF-8 when lowered (U+023A takes two bytes, its small form
// three), and the ANSI call, which lowers in place, would cut the path short.
std::string Win32Locale::Lower(const std::string& text) {
    const int length = static_cast<int>(std::strlen(text.c_str()));
    const int wideLength = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), length, nullptr, 0);
    if (wideLength <= 0) return text.substr(0, length);
    std::wstring wide(wideLength, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), length, &wide[0], wideLength);
    ::CharLowerBuffW(&wide[0], static_cast<DWORD>(wideLength));
    const int lowerLength = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string lower(lowerLength, '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, &lower[0], lowerLength, nullptr, nullptr);
    return lower;
}

namespace {

// The code page of the system locale ("language for non-Unicode programs"):
// what GetACP gave programs without a UTF-8 manifest. Under the manifest GetACP
// says UTF-8, so the locale is asked instead. A locale without an ANSI code
// page of its own (it reports none, or UTF-8) is read as Western.
UINT LegacyAnsiCodePage() {
    constexpr UINT kWestern = 1252;
    DWORD codePage = 0;
    const int got = ::GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                                     reinterpret_cast<LPWSTR>(&codePage), sizeof codePage / sizeof(WCHAR));
    if (got == 0 || codePage == CP_ACP || codePage == CP_UTF8 || !::IsValidCodePage(codePage)) return kWestern;
    return codePage;
}

}  // namespace

bool Win32Locale::UsesUtf8() { return ::GetACP() == CP_UTF8; }

std::string Win32Locale::LegacyAnsiToUtf8(const std::string& text) {
    if (text.empty()) return std::string();
    const UINT codePage = LegacyAnsiCodePage();
    const int length = static_cast<int>(text.size());
    const int wide = ::MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    if (wide <= 0) return std::string();
    std::wstring buffer(static_cast<size_t>(wide), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), length, &buffer[0], wide);
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, buffer.data(), wide, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return std::string();
    std::string utf8(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, buffer.data(), wide, &utf8[0], bytes, nullptr, nullptr);
    return utf8;
}

}  // namespace velnor
