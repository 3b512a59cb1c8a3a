#pragma once
#include <functional>
#include <windows.h>

#include <string>
#include <type_traits>

#include "app/main_dialog_mirror_win32.h"
#include "app/main_dialog_parts.h"
#include "app/main_window_frame_win32.h"
#include "app/main_window_hooks.h"
#include "clean/browser_cache_menu_win32.h"
#include "platform/win32/win32_platform.h"
#include "profile/exclude_path_add_dialog_win32.h"
#include "profile/filter_add_dialog_win32.h"
#include "ui/window_win32.h"

namespace velnor {

// The main window: the borderless, skinned dialog 102. Its behaviour is its
// parts'; this class binds the template's controls to their models (through
// its mirror, which keeps them showing what the models say), and hands each
// command to the part it is for.
class CMainDialog : public CMainWindowFrame, private MainWindowHooks {
public:
    static const RuntimeClass kRuntimeClass;
    explicit CMainDialog(const Platform& platform);
    const RuntimeClass* GetRuntimeClass() const override { return &kRuntimeClass; }
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // The pump that drains the queue during a scan; told the window's handle.
    void SetMessagePump(Win32MessagePump* pump) { pump_ = pump; }
    // Told the window as soon as it exists, so that services that need an
    // owner (prompts, shell folder lookups) can be given it.
    void SetOnWindowCreated(std::function<void(HWND)> onCreated) { onWindowCreated_ = std::move(onCreated); }

    // Cookie cleaner, menus and help (main_dialog_menus_win32.cpp).
    void OnCookiesCleaner();
    void ShowSystemMenu();
    void ShowHelpMenu();
    void OnUserManual();
    // The browsers' caches' open-folder button: a menu of the folders found.
    void ShowBrowserCacheMenu();
    const CBrowserCacheMenu& BrowserCacheMenu() const { return browserCacheMenu_; }

    CMyListCtrlEx& ListControl(int id) { return mirror_.ListControl(id); }
    CBitmapPic* Picture(int id) { return mirror_.Picture(id); }

    // What the window is made of: the models its controls show and the parts
    // that answer its commands.
    MainDialogParts parts;

protected:
    BOOL OnInitDialog() override;
    void OnScaleChanged(const RECT& suggested) override;
    bool ShowsBackground() const override { return parts.state.backgroundPaint; }

private:
    using Map = MessageMap<CMainDialog>;
    static const Map kMap[];
    // A command goes to the part whose handler the map names.
    template <auto handler>
    void Forward() {
        (PartOf<typename MemberOf<decltype(handler)>::Class>().*handler)();
    }
    template <auto handler>
    void ForwardWith(int arg) {
        (PartOf<typename MemberOf<decltype(handler)>::Class>().*handler)(arg);
    }
    template <typename Part>
    Part& PartOf() {
        if constexpr (std::is_same_v<Part, MainDialogParts>) return parts;
        else if constexpr (std::is_same_v<Part, ScanPage>) return parts.scan;
        else if constexpr (std::is_same_v<Part, CleanPage>) return parts.clean;
        else if constexpr (std::is_same_v<Part, PageFlow>) return parts.flow;
        else if constexpr (std::is_same_v<Part, ListPages>) return parts.listPages;
        else return parts.options;
    }

    // What the parts ask of the window.
    void EndMainDialog() override { CDialog::EndDialog(IDCANCEL); }
    void RunAddFilterDialog(FilterDialogValues& values) override;
    void RunAddExcludeDialog(std::string& value) override;

    void OnStartScanCommand();
    LRESULT OnHelp(WPARAM, LPARAM);
    LRESULT OnSetCursor(WPARAM, LPARAM);

    const Platform platform_;
    MainDialogMirror mirror_{*this, parts, platform_};
    Win32MessagePump* pump_ = nullptr;
    std::function<void(HWND)> onWindowCreated_;
    CBrowserCacheMenu browserCacheMenu_;
    // One of each for the life of the window, run modally on each Add.
    CFilterAddDialog filterAddDialog_;
    CExcludePathAddDialog excludePathAddDialog_;
};

}  // namespace velnor
