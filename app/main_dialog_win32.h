#pragma once
#include <functional>
#include <windows.h>

#include <map>
#include <vector>
#include <memory>

#include "app/main_dialog_parts.h"
#include "app/main_window_hooks.h"
#include "clean/browser_cache_menu_win32.h"
#include "platform/win32/win32_platform.h"
#include "profile/exclude_path_add_dialog_win32.h"
#include "profile/filter_add_dialog_win32.h"
#include "ui/bitmap_pic_win32.h"
#include "ui/gdi_handles_win32.h"
#include "ui/gradient_label_win32.h"
#include "ui/link_label_win32.h"
#include "ui/list_ctrl_win32.h"
#include "ui/owner_draw_menu_win32.h"
#include "ui/window_win32.h"

namespace velnor {

// The main window: the borderless, skinned dialog 102. Its behaviour is its
// parts'; this class binds the template's controls to their models, keeps them
// showing what the models say, and hands each command to the part it is for.
class CMainDialog : public CDialog, private MainWindowHooks {
public:
    static const RuntimeClass kRuntimeClass;
    explicit CMainDialog(const Platform& platform);
    ~CMainDialog() override;
    const RuntimeClass* GetRuntimeClass() const override { return &kRuntimeClass; }
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // The pump that drains the queue during a scan; told the window's handle.
    void SetMessagePump(Win32MessagePump* pump) { pump_ = pump; }
    // Told the window as soon as it exists, so that services that need an
    // owner (prompts, shell folder lookups) can be given it.
    void SetOnWindowCreated(std::function<void(HWND)> onCreated) { onWindowCreated_ = std::move(onCreated); }
    bool LoadBackground(int resourceId);
    void OnMinimizeCommand();

    // Cookie cleaner, menus and help (main_dialog_menus_win32.cpp).
    void OnCookiesCleaner();
    void ShowSystemMenu();
    void ShowHelpMenu();
    void OnUserManual();
    // The menu of the last ShowSystemMenu or ShowHelpMenu.
    const COwnerDrawMenu& PopupMenu() const { return popupMenu_; }
    // The browsers' caches' open-folder button: a menu of the folders found.
    void ShowBrowserCacheMenu();
    const CBrowserCacheMenu& BrowserCacheMenu() const { return browserCacheMenu_; }

    CMyListCtrlEx& ListControl(int id);
    CBitmapPic* Picture(int id);
    bool HasBackground() const { return static_cast<bool>(background_); }
    SIZE BackgroundSize() const { return SIZE{backgroundWidth_, backgroundHeight_}; }

    // What the window is made of: the models its controls show and the parts
    // that answer its commands.
    MainDialogParts parts;

protected:
    BOOL OnInitDialog() override;
    void OnScaleChanged(const RECT& suggested) override;

private:
    using Map = MessageMap<CMainDialog>;
    static const Map kMap[];
    // A command goes to the part whose handler the map names.
    template <auto handler>
    void Forward() {
        (PartOf(static_cast<typename MemberOf<decltype(handler)>::Class*>(nullptr)).*handler)();
    }
    template <auto handler>
    void ForwardWith(int arg) {
        (PartOf(static_cast<typename MemberOf<decltype(handler)>::Class*>(nullptr)).*handler)(arg);
    }
    MainDialogParts& PartOf(MainDialogParts*) { return parts; }
    ScanPage& PartOf(ScanPage*) { return parts.scan; }
    CleanPage& PartOf(CleanPage*) { return parts.clean; }
    PageFlow& PartOf(PageFlow*) { return parts.flow; }
    ListPages& PartOf(ListPages*) { return parts.listPages; }
    OptionSwitches& PartOf(OptionSwitches*) { return parts.options; }

    // What the parts ask of the window.
    void EndMainDialog() override { CDialog::EndDialog(IDCANCEL); }
    void RunAddFilterDialog(FilterDialogValues& values) override;
    void RunAddExcludeDialog(std::string& value) override;

    void BindControls();
    void ApplyControl(int id, unsigned changes);
    void ApplyText(int id, HWND control);
    void OnStartScanCommand();
    void ShowScanTexts();

    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnQueryDragIcon(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnLeftButtonDown(WPARAM, LPARAM);
    LRESULT OnControlColor(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnDrawItem(WPARAM, LPARAM);
    LRESULT OnMeasureItem(WPARAM, LPARAM);
    LRESULT OnHelp(WPARAM, LPARAM);
    LRESULT OnSetCursor(WPARAM, LPARAM);
    void BindAboutLinks();
    // Pops up the menu resource's popup under the bottom-left corner of a control.
    void PopUpMenuUnder(int controlId, int menuId);

    const Platform platform_;
    Win32MessagePump* pump_ = nullptr;
    std::function<void(HWND)> onWindowCreated_;
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
    UniqueBitmap background_;
    int backgroundId_ = 0;
    int backgroundWidth_ = 0;
    int backgroundHeight_ = 0;
    UniqueBrush greyBrush_;
    RECT windowRect_ = {};
    std::map<int, std::unique_ptr<CBitmapPic>> pictures_;
    CMyListCtrlEx locationList_, filterList_, exclusionList_, resultList_;
    CGradientLabel statusLine_;
    COwnerDrawMenu popupMenu_;
    CBrowserCacheMenu browserCacheMenu_;
    CLinkLabel homeLinkLabel_, supportLinkLabel_;
    // One of each for the life of the window, run modally on each Add.
    CFilterAddDialog filterAddDialog_;
    CExcludePathAddDialog excludePathAddDialog_;
    // The status line and the four totals change in every folder of a scan;
    // the window shows them at most every kScanTextInterval milliseconds.
    static constexpr DWORD kScanTextInterval = 250;
    std::vector<int> pendingScanTexts_;
    DWORD scanTextsShown_ = 0;
};

}  // namespace velnor
