// A small helper of tools/screenshots.sh: finds the program's main window and
// drives it from outside, the way clicks on its controls would.
//
//   screenshot_driver wait [seconds]               waits until the window is up
//   screenshot_driver click <id>...                posts the click command of each control
//   screenshot_driver waittext <id> <text> [sec]   waits until a control's text holds <text>
//   screenshot_driver rect                         prints "x y width height" of the client area
//   screenshot_driver park                         moves the pointer off the window
//   screenshot_driver sort <list id> <column>      clicks that heading of the list with the mouse
//
// Exits 0 on success, 1 when the window or the text did not show up in time.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr char kTitle[] = "Velnor Disk Cleaner";

HWND FindMainWindow() {
    HWND window = ::FindWindowA(nullptr, kTitle);
    return window && ::IsWindowVisible(window) ? window : nullptr;
}

HWND WaitForWindow(int seconds) {
    for (int i = 0; i < seconds * 10; ++i) {
        if (HWND window = FindMainWindow()) return window;
        ::Sleep(100);
    }
    return nullptr;
}

// Returns once the window's thread has handled everything posted before.
void Settle(HWND window) {
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
}

int Usage() {
    std::fprintf(stderr, "usage: screenshot_driver wait|click|waittext|rect|park|sort ...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const char* command = argv[1];

    if (std::strcmp(command, "wait") == 0) return WaitForWindow(argc > 2 ? std::atoi(argv[2]) : 60) ? 0 : 1;

    HWND window = WaitForWindow(10);
    if (!window) {
        std::fprintf(stderr, "screenshot_driver: no window titled \"%s\"\n", kTitle);
        return 1;
    }

    if (std::strcmp(command, "click") == 0) {
        for (int i = 2; i < argc; ++i) {
            const int id = std::atoi(argv[i]);
            HWND control = ::GetDlgItem(window, id);
            ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, STN_CLICKED), reinterpret_cast<LPARAM>(control));
            Settle(window);
        }
        return 0;
    }
    if (std::strcmp(command, "waittext") == 0) {
        if (argc < 4) return Usage();
        HWND control = ::GetDlgItem(window, std::atoi(argv[2]));
        const int seconds = argc > 4 ? std::atoi(argv[4]) : 60;
        for (int i = 0; i < seconds * 10; ++i) {
            char text[512] = {};
            ::GetWindowTextA(control, text, sizeof text);
            if (std::strstr(text, argv[3])) return 0;
            ::Sleep(100);
        }
        std::fprintf(stderr, "screenshot_driver: control %s never showed \"%s\"\n", argv[2], argv[3]);
        return 1;
    }
    if (std::strcmp(command, "rect") == 0) {
        RECT client;
        ::GetClientRect(window, &client);
        POINT origin = {0, 0};
        ::ClientToScreen(window, &origin);
        std::printf("%ld %ld %ld %ld\n", static_cast<long>(origin.x), static_cast<long>(origin.y),
                    static_cast<long>(client.right), static_cast<long>(client.bottom));
        return 0;
    }
    if (std::strcmp(command, "sort") == 0 && argc > 3) {
        HWND list = ::GetDlgItem(window, std::atoi(argv[2]));
        HWND header = list ? reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0)) : nullptr;
        if (!header) return 1;
        RECT heading;
        ::GetWindowRect(header, &heading);
        const int column = std::atoi(argv[3]);
        int x = heading.left;
        for (int i = 0; i < column; ++i) x += static_cast<int>(::SendMessageA(list, LVM_GETCOLUMNWIDTH, i, 0));
        x += static_cast<int>(::SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0)) / 2;
        ::SetCursorPos(x, (heading.top + heading.bottom) / 2);
        INPUT press[2] = {};
        press[0].type = press[1].type = INPUT_MOUSE;
        press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ::SendInput(2, press, sizeof(INPUT));
        ::Sleep(300);
        Settle(window);
        return 0;
    }
    if (std::strcmp(command, "park") == 0) {
        // Far from every control, so that nothing shows its hover look or tooltip.
        ::SetCursorPos(0, 0);
        Settle(window);
        return 0;
    }
    return Usage();
}
