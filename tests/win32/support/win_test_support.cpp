#include "tests/win32/support/win_test_support.h"

#include <commctrl.h>

#include <cstdio>
#include <vector>

#include "platform/win32/url_cache_win32.h"
#include "ui/window_win32.h"

namespace velnor::testing {

TempDir::TempDir() {
    char base[MAX_PATH];
    ::GetTempPathA(MAX_PATH, base);
    static int counter = 0;
    for (;;) {
        char name[MAX_PATH];
        std::snprintf(name, sizeof name, "%svelnor-test-%lu-%d", base, ::GetCurrentProcessId(), ++counter);
        if (::CreateDirectoryA(name, nullptr)) {
            path_ = name;
            break;
        }
    }
}

TempDir::~TempDir() { RemoveTree(path_); }

void WriteBytes(const std::string& path, const std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::string ReadBytes(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return std::string();
    std::string bytes;
    char chunk[4096];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
    std::fclose(f);
    return bytes;
}

bool FileExists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void MakeFolder(const std::string& path) { ::CreateDirectoryA(path.c_str(), nullptr); }

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((path + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            const std::string full = path + "\\" + name;
            ::SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                RemoveTree(full);
            else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                ::RemoveDirectoryA(full.c_str());
            else
                ::DeleteFileA(full.c_str());
        } while (::FindNextFileA(find, &data));
        ::FindClose(find);
    }
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryA(path.c_str());
}

void PressKey(HWND dialog, WPARAM key) {
    for (UINT message : {WM_KEYDOWN, WM_KEYUP}) {
        MSG msg = {::GetFocus(), message, key, message == WM_KEYDOWN ? 1 : static_cast<LPARAM>(0xC0000001), 0, {}};
        if (::IsDialogMessageA(dialog, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    PumpMessages();
}

void PumpMessages() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

namespace {

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        if (CWindow* child = CWindow::FromHandle(header->hwndFrom)) {
            LRESULT result = 0;
            if (child->OnReflectedNotify(header, result)) return result;
        }
    }
    if (message == WM_COMMAND && lParam) {
        if (CWindow* child = CWindow::FromHandle(reinterpret_cast<HWND>(lParam))) {
            LRESULT result = 0;
            if (child->OnReflectedCommand(HIWORD(wParam), result)) return result;
        }
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

const char* HostClass() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "VelnorTestHost";
        ::RegisterClassA(&wc);
        registered = true;
    }
    return "VelnorTestHost";
}

}  // namespace

HostWindow::HostWindow(int width, int height) {
    hwnd_ = ::CreateWindowExA(0, HostClass(), "Velnor test host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, width,
                              height, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    PumpMessages();
}

HostWindow::~HostWindow() {
    ::DestroyWindow(hwnd_);
    PumpMessages();
}

HWND HostWindow::CreateListView(int id, int x, int y, int width, int height) {
    HWND list = ::CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                                  x, y, width, height, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  ::GetModuleHandleA(nullptr), nullptr);
    PumpMessages();
    return list;
}

DWORD GdiObjects() { return ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS); }
DWORD UserObjects() { return ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS); }

std::string CleanEndWithHistory() {
    return SUCCEEDED(Win32UrlHistory().ClearHistory()) ? "Clean Completed!" : "Clean Completed! Left: History.";
}

bool MakeLink(const std::string& link, const std::string& target) {
    HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    using UnixName = char*(CDECL*)(LPCWSTR);
    using UnixSpawn = LONG(CDECL*)(char* const argv[], int wait);
    auto unixName = reinterpret_cast<UnixName>(::GetProcAddress(kernel, "wine_get_unix_file_name"));
    auto spawn = reinterpret_cast<UnixSpawn>(::GetProcAddress(ntdll, "__wine_unix_spawnvp"));
    const DWORD targetAttributes = ::GetFileAttributesA(target.c_str());
    if (!unixName || !spawn)
        return ::CreateSymbolicLinkA(link.c_str(), target.c_str(),
                                     (targetAttributes & FILE_ATTRIBUTE_DIRECTORY) ? SYMBOLIC_LINK_FLAG_DIRECTORY
                                                                                    : 0) != FALSE;
    auto toUnix = [&](const std::string& path) {
        wchar_t wide[MAX_PATH];
        ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
        char* name = unixName(wide);
        std::string result = name ? name : "";
        ::HeapFree(::GetProcessHeap(), 0, name);
        return result;
    };
    const size_t slash = link.find_last_of('\\');
    std::string unixTarget = toUnix(target);
    std::string unixLink = toUnix(link.substr(0, slash)) + "/" + link.substr(slash + 1);
    char ln[] = "/bin/ln";
    char symbolic[] = "-s";
    char* argv[] = {ln, symbolic, &unixTarget[0], &unixLink[0], nullptr};
    if (spawn(argv, 1) != 0) return false;
    const DWORD attributes = ::GetFileAttributesA(link.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           ((attributes ^ targetAttributes) & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace velnor::testing
