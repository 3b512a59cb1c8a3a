// A small helper of tools/screenshots_menus.sh: puts cookies into the URL
// cache and drives the program's popup menus and the cookie dialog from
// outside.
//
//   dialog_shot_driver setcookie <url>...                a lasting cookie for each address
//   dialog_shot_driver key <title> <virtual key>         a key press for the window's thread
//   dialog_shot_driver winrect <title>                   "x y width height" of a top-level window
//   dialog_shot_driver ctrlrect <title> <id>             the same for one of its controls
//   dialog_shot_driver menurect                          the same for the popup menu on screen
//   dialog_shot_driver clickat <title> <id> <x> <y>      a left click at a control's client point
//   dialog_shot_driver close <title>                     asks the window to close
//
// Windows are waited for up to ten seconds. Exits 0 on success, 1 when a
// window did not show up.
#include <windows.h>
#include <wininet.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

HWND FindVisible(const char* cls, const char* title) {
    for (int i = 0; i < 100; ++i) {
        HWND window = nullptr;
        while ((window = ::FindWindowExA(nullptr, window, cls, title)) != nullptr)
            if (::IsWindowVisible(window)) return window;
        ::Sleep(100);
    }
    std::fprintf(stderr, "dialog_shot_driver: no window %s\n", title ? title : cls);
    return nullptr;
}

void PrintRect(const RECT& r) {
    std::printf("%ld %ld %ld %ld\n", static_cast<long>(r.left), static_cast<long>(r.top),
                static_cast<long>(r.right - r.left), static_cast<long>(r.bottom - r.top));
}

void Settle(HWND window) {
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
}

int Usage() {
    std::fprintf(stderr, "usage: dialog_shot_driver setcookie|key|winrect|ctrlrect|menurect|clickat|close ...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const char* command = argv[1];

    if (std::strcmp(command, "setcookie") == 0) {
        for (int i = 2; i < argc; ++i)
            if (!::InternetSetCookieA(argv[i], "id", "1; expires=Sat, 01-Jan-2050 00:00:00 GMT")) return 1;
        return 0;
    }
    if (std::strcmp(command, "menurect") == 0) {
        HWND menu = FindVisible("#32768", nullptr);
        if (!menu) return 1;
        RECT r;
        ::GetWindowRect(menu, &r);
        PrintRect(r);
        return 0;
    }
    if (argc < 3) return Usage();
    HWND window = FindVisible(nullptr, argv[2]);
    if (!window) return 1;

    if (std::strcmp(command, "key") == 0 && argc > 3) {
        const WPARAM key = static_cast<WPARAM>(std::atoi(argv[3]));
        // A menu's own loop reads the keys from the queue of the window's thread.
        ::PostMessageA(window, WM_KEYDOWN, key, 1);
        ::PostMessageA(window, WM_KEYUP, key, 0xC0000001);
        Settle(window);
        return 0;
    }
    if (std::strcmp(command, "winrect") == 0) {
        RECT r;
        ::GetWindowRect(window, &r);
        PrintRect(r);
        return 0;
    }
    if (std::strcmp(command, "ctrlrect") == 0 && argc > 3) {
        HWND control = ::GetDlgItem(window, std::atoi(argv[3]));
        if (!control) return 1;
        RECT r;
        ::GetWindowRect(control, &r);
        PrintRect(r);
        return 0;
    }
    if (std::strcmp(command, "clickat") == 0 && argc > 5) {
        HWND control = ::GetDlgItem(window, std::atoi(argv[3]));
        if (!control) return 1;
        const LPARAM at = MAKELPARAM(std::atoi(argv[4]), std::atoi(argv[5]));
        ::PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageA(control, WM_LBUTTONUP, 0, at);
        Settle(window);
        return 0;
    }
    if (std::strcmp(command, "close") == 0) {
        ::PostMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    }
    return Usage();
}
