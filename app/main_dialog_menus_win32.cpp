#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/main_dialog_win32.h"
#include "clean/browser_cookie_store.h"
#include "clean/cookie_dialog_win32.h"
#include "platform/win32/help_win32.h"
#include "platform/win32/url_cache_win32.h"
#include "res/resource.h"

namespace velnor {

namespace {

// The services the program falls back on when the platform it was given has
// none of its own.
IUrlCache& SystemUrlCache() {
    static Win32UrlCache cache;
    return cache;
}

IHelp& SystemHelp() {
    static Win32Help help;
    return help;
}

}  // namespace

void CMainDialog::OnCookiesCleaner() {
    if (parts.state.cleanBusy) return;
    {
        IUrlCache* cache = platform_.urlCache ? platform_.urlCache : &SystemUrlCache();
        SqliteCookieStores stores;
        CCookieDialog dialog(cache, platform_.prompts, {platform_.files, platform_.shell, &stores});
        // The main window is the owner, so that it does not respond while
        // the cookie dialog is open.
        dialog.DoModal(hwnd_);
    }
    parts.controls[IDC_COOKIES_BUTTON].SetStateAndPicture(picture_state::kNormal);
}

void CMainDialog::ShowBrowserCacheMenu() {
    const std::vector<std::string> choices = parts.clean.BrowserCacheChoices();
    if (choices.empty()) return;
    const std::optional<size_t> chosen = browserCacheMenu_.Choose(hwnd_, Item(IDC_OPEN_BROWSERS), choices, Scale());
    if (chosen) parts.clean.OpenBrowserCache(*chosen);
}

void CMainDialog::ShowSystemMenu() { PopUpMenuUnder(IDC_TITLE_ICON, IDR_ICON_MENU); }

void CMainDialog::ShowHelpMenu() {
    if (!parts.state.Idle()) return;
    parts.controls[IDC_HELP_BUTTON].SetStateAndPicture(picture_state::kNormal);
    PopUpMenuUnder(IDC_HELP_BUTTON, IDR_HELP_MENU);
}

// Choosing the item is pressing F1: the key goes to the window with the focus
// and comes back here as a help request.
void CMainDialog::OnUserManual() {
    ::keybd_event(VK_F1, 0, 0, 0);
    ::keybd_event(VK_F1, 0, KEYEVENTF_KEYUP, 0);
}

LRESULT CMainDialog::OnHelp(WPARAM, LPARAM) {
    IHelp& help = platform_.help ? *platform_.help : SystemHelp();
    help.ShowContext(parts.about.HelpFilePath(), AboutPage::kHelpContext);
    return TRUE;
}

}  // namespace velnor
