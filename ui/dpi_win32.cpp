#include "ui/dpi_win32.h"

#include "ui/window_win32.h"

namespace velnor {

namespace {
// Windows 10 calls, looked up so that the program still starts where they
// are missing.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using SetDialogDpiChangeBehaviorFn = BOOL(WINAPI*)(HWND, int, int);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
constexpr int kDialogDisableAll = 0x0001;  // DDC_DISABLE_ALL

template <typename Fn>
Fn User32Function(const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), name)));
}
}  // namespace

int WindowDpi(HWND window) {
    static const GetDpiForWindowFn forWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (forWindow && window) {
        if (const UINT dpi = forWindow(window)) return static_cast<int>(dpi);
    }
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : kBaseDpi;
    if (screen) ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kBaseDpi;
}

void StopDialogRescaling(HWND dialog) {
    static const SetDialogDpiChangeBehaviorFn set =
        User32Function<SetDialogDpiChangeBehaviorFn>("SetDialogDpiChangeBehavior");
    if (set && dialog) set(dialog, kDialogDisableAll, kDialogDisableAll);
}

int SystemMetricAtDpi(int metric, int dpi) {
    static const GetSystemMetricsForDpiFn forDpi = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    if (forDpi) {
        if (const int value = forDpi(metric, static_cast<UINT>(dpi))) return value;
    }
    // Older systems give the metrics of the system's DPI only.
    return ::MulDiv(::GetSystemMetrics(metric), dpi, WindowDpi(nullptr));
}

DisplayScale ScaleOfWindow(HWND window) {
    const HWND root = window ? ::GetAncestor(window, GA_ROOT) : nullptr;
    if (const CWindow* owner = CWindow::FromHandle(root)) {
        if (owner->IsKindOf(&CDialog::kRuntimeClass)) return static_cast<const CDialog*>(owner)->Scale();
    }
    return DisplayScale::ForDpi(WindowDpi(root ? root : window));
}

}  // namespace velnor
