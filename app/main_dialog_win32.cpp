#include "app/main_dialog_win32.h"

#include <commctrl.h>

#include "app/main_dialog_layout.h"
#include "res/resource.h"

namespace velnor {

const RuntimeClass CMainDialog::kRuntimeClass = {"CMainDialog", &CDialog::kRuntimeClass};

// clang-format off
const CMainDialog::Map CMainDialog::kMap[] = {
    Map::Message(WM_HELP,             &CMainDialog::OnHelp),
    Map::Message(WM_SETCURSOR,        &CMainDialog::OnSetCursor),

    Map::Command(IDC_START_SCAN,      STN_CLICKED, &CMainDialog::OnStartScanCommand),
    Map::Command(IDC_STOP_SCAN,       STN_CLICKED, &CMainDialog::Forward<&ScanPage::OnStopScan>),
    Map::Command(IDC_PAGE_PATH,       STN_CLICKED, &CMainDialog::ForwardWith<&PageFlow::ShowPage>, kPagePath),
    Map::Command(IDC_PAGE_FILTERS,    STN_CLICKED, &CMainDialog::ForwardWith<&PageFlow::ShowPage>, kPageFilters),
    Map::Command(IDC_PAGE_EXCEPTIONS, STN_CLICKED, &CMainDialog::ForwardWith<&PageFlow::ShowPage>, kPageExceptions),
    Map::Command(IDC_PAGE_OPTIONS,    STN_CLICKED, &CMainDialog::ForwardWith<&PageFlow::ShowPage>, kPageOptions),
    Map::Command(IDC_PAGE_SCAN,       STN_CLICKED, &CMainDialog::ForwardWith<&PageFlow::ShowPage>, kPageScan),
    Map::Command(IDC_PAGE_CLEAN,      STN_CLICKED, &CMainDialog::ForwardWith<&PageFlow::ShowPage>, kPageClean),
    Map::Command(IDC_ABOUT_BUTTON,    STN_CLICKED, &CMainDialog::Forward<&PageFlow::OnAbout>),
    Map::Command(IDC_BACK,            STN_CLICKED, &CMainDialog::Forward<&PageFlow::OnBack>),
    Map::Command(IDC_NEXT,            STN_CLICKED, &CMainDialog::Forward<&PageFlow::OnNext>),
    Map::Command(IDC_EXIT,            STN_CLICKED, &CMainDialog::Forward<&MainDialogParts::OnExitCommand>),
    Map::Command(IDC_CLOSE,           STN_CLICKED, &CMainDialog::Forward<&MainDialogParts::OnExitCommand>),
    Map::Command(IDC_TITLE_ICON,      STN_DBLCLK,  &CMainDialog::Forward<&MainDialogParts::OnExitCommand>),
    Map::Command(IDC_TITLE_ICON,      STN_CLICKED, &CMainDialog::ShowSystemMenu),
    Map::Command(IDC_HELP_BUTTON,     STN_CLICKED, &CMainDialog::ShowHelpMenu),
    Map::Command(IDM_USER_MANUAL,     0,           &CMainDialog::OnUserManual),
    Map::Command(IDM_EXIT,            0,           &CMainDialog::Forward<&MainDialogParts::OnExitCommand>),
    Map::Command(IDC_MINIMIZE,        STN_CLICKED, &CMainDialog::OnMinimizeCommand),
    Map::Command(IDM_MINIMIZE,        0,           &CMainDialog::OnMinimizeCommand),
    Map::Command(IDC_ADD,             STN_CLICKED, &CMainDialog::Forward<&ListPages::OnAddEntry>),
    Map::Command(IDC_REMOVE,          STN_CLICKED, &CMainDialog::Forward<&ListPages::OnRemoveEntry>),
    Map::Command(IDC_DEFAULT,         STN_CLICKED, &CMainDialog::Forward<&ListPages::OnRestoreDefaults>),
    Map::Command(IDC_OPT_READ,           STN_CLICKED, &CMainDialog::ForwardWith<&OptionSwitches::OnToggleOption>, IDC_OPT_READ),
    Map::Command(IDC_OPT_READ_CAPTION,   STN_CLICKED, &CMainDialog::ForwardWith<&OptionSwitches::OnToggleOption>, IDC_OPT_READ),
    Map::Command(IDC_OPT_SYSTEM,         STN_CLICKED, &CMainDialog::ForwardWith<&OptionSwitches::OnToggleOption>, IDC_OPT_SYSTEM),
    Map::Command(IDC_OPT_SYSTEM_CAPTION, STN_CLICKED, &CMainDialog::ForwardWith<&OptionSwitches::OnToggleOption>, IDC_OPT_SYSTEM),
    Map::Command(IDC_OPT_HIDE,           STN_CLICKED, &CMainDialog::ForwardWith<&OptionSwitches::OnToggleOption>, IDC_OPT_HIDE),
    Map::Command(IDC_OPT_HIDE_CAPTION,   STN_CLICKED, &CMainDialog::ForwardWith<&OptionSwitches::OnToggleOption>, IDC_OPT_HIDE),
    Map::Command(IDC_OPT_ZERO,           STN_CLICKED, &CMainDialog::ForwardWith<&OptionSwitches::OnToggleOption>, IDC_OPT_ZERO),
    Map::Command(IDC_OPT_ZERO_CAPTION,   STN_CLICKED, &CMainDialog::ForwardWith<&OptionSwitches::OnToggleOption>, IDC_OPT_ZERO),
    Map::Command(IDC_RECYCLE_MODE,      STN_CLICKED, &CMainDialog::Forward<&CleanPage::OnRecycleMode>),
    Map::Command(IDC_RECYCLE_CAPTION,   STN_CLICKED, &CMainDialog::Forward<&CleanPage::OnRecycleMode>),
    Map::Command(IDC_PERMANENT_MODE,    STN_CLICKED, &CMainDialog::Forward<&CleanPage::OnPermanentMode>),
    Map::Command(IDC_PERMANENT_CAPTION, STN_CLICKED, &CMainDialog::Forward<&CleanPage::OnPermanentMode>),
    Map::Command(IDC_CLEAN_JUNK,             STN_CLICKED, &CMainDialog::ForwardWith<&CleanPage::OnToggleCleanItem>, IDC_CLEAN_JUNK),
    Map::Command(IDC_CLEAN_RECYCLE,          STN_CLICKED, &CMainDialog::ForwardWith<&CleanPage::OnToggleCleanItem>, IDC_CLEAN_RECYCLE),
    Map::Command(IDC_CLEAN_RECYCLE_CAPTION,  STN_CLICKED, &CMainDialog::ForwardWith<&CleanPage::OnToggleCleanItem>, IDC_CLEAN_RECYCLE),
    Map::Command(IDC_CLEAN_TEMP,             STN_CLICKED, &CMainDialog::ForwardWith<&CleanPage::OnToggleCleanItem>, IDC_CLEAN_TEMP),
    Map::Command(IDC_CLEAN_TEMP_CAPTION,     STN_CLICKED, &CMainDialog::ForwardWith<&CleanPage::OnToggleCleanItem>, IDC_CLEAN_TEMP),
    Map::Command(IDC_CLEAN_INTERNET,         STN_CLICKED, &CMainDialog::ForwardWith<&CleanPage::OnToggleCleanItem>, IDC_CLEAN_INTERNET),
    Map::Command(IDC_CLEAN_INTERNET_CAPTION, STN_CLICKED, &CMainDialog::ForwardWith<&CleanPage::OnToggleCleanItem>, IDC_CLEAN_INTERNET),
    Map::Command(IDC_CLEAN_HISTORY,          STN_CLICKED, &CMainDialog::ForwardWith<&CleanPage::OnToggleCleanItem>, IDC_CLEAN_HISTORY),
    Map::Command(IDC_CLEAN_HISTORY_CAPTION,  STN_CLICKED, &CMainDialog::ForwardWith<&CleanPage::OnToggleCleanItem>, IDC_CLEAN_HISTORY),
    Map::Command(IDC_CLEAN_RECENT,           STN_CLICKED, &CMainDialog::ForwardWith<&CleanPage::OnToggleCleanItem>, IDC_CLEAN_RECENT),
    Map::Command(IDC_CLEAN_RECENT_CAPTION,   STN_CLICKED, &CMainDialog::ForwardWith<&CleanPage::OnToggleCleanItem>, IDC_CLEAN_RECENT),
    Map::Command(IDC_CLEAN_BROWSERS,         STN_CLICKED, &CMainDialog::ForwardWith<&CleanPage::OnToggleCleanItem>, IDC_CLEAN_BROWSERS),
    Map::Command(IDC_CLEAN_BROWSERS_CAPTION, STN_CLICKED, &CMainDialog::ForwardWith<&CleanPage::OnToggleCleanItem>, IDC_CLEAN_BROWSERS),
    Map::Command(IDC_OPEN_RECYCLE,   STN_CLICKED, &CMainDialog::ForwardWith<&CleanPage::OnOpenFolder>, IDC_OPEN_RECYCLE),
    Map::Command(IDC_OPEN_TEMP,      STN_CLICKED, &CMainDialog::ForwardWith<&CleanPage::OnOpenFolder>, IDC_OPEN_TEMP),
    Map::Command(IDC_OPEN_INTERNET,  STN_CLICKED, &CMainDialog::ForwardWith<&CleanPage::OnOpenFolder>, IDC_OPEN_INTERNET),
    Map::Command(IDC_OPEN_HISTORY,   STN_CLICKED, &CMainDialog::ForwardWith<&CleanPage::OnOpenFolder>, IDC_OPEN_HISTORY),
    Map::Command(IDC_OPEN_RECENT,    STN_CLICKED, &CMainDialog::ForwardWith<&CleanPage::OnOpenFolder>, IDC_OPEN_RECENT),
    Map::Command(IDC_OPEN_BROWSERS,  STN_CLICKED, &CMainDialog::ShowBrowserCacheMenu),
    Map::Command(IDC_START_CLEAN,    STN_CLICKED, &CMainDialog::Forward<&CleanPage::OnStartClean>),
    Map::Command(IDC_COOKIES_BUTTON, STN_CLICKED, &CMainDialog::OnCookiesCleaner),
};
// clang-format on

CMainDialog::CMainDialog(const Platform& platform)
    : CMainWindowFrame(IDD_MAIN), parts(platform, this), platform_(platform) {}

bool CMainDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return RouteMessage(*this, kMap, message, wParam, lParam, result) ||
           CMainWindowFrame::HandleMessage(message, wParam, lParam, result);
}

void CMainDialog::OnStartScanCommand() {
    parts.scan.OnStartScan();
    // Texts are held back only while the walk runs, and the walk ends inside
    // Start Scan; what its last steps (or a scan with no location) set is
    // still held, with no later change to bring it out.
    mirror_.ShowScanTexts();
}

BOOL CMainDialog::OnInitDialog() {
    mirror_.BindControls();
    if (pump_) pump_->SetDialog(hwnd_);
    if (onWindowCreated_) onWindowCreated_(hwnd_);
    parts.InitializeState();
    SetUpFrame();
    DrawMenuToo(&browserCacheMenu_);

    parts.LayoutControls();
    ::SendMessageA(::GetDlgItem(hwnd_, IDC_CLEAN_PROGRESS), PBM_SETBKCOLOR, 0, kPanelGrey);
    parts.LoadProfileAndLists();

    // Centre on the work area.
    RECT work, window;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    ::GetWindowRect(hwnd_, &window);
    const int w = window.right - window.left, h = window.bottom - window.top;
    ::SetWindowPos(hwnd_, nullptr, work.left + (work.right - work.left - w) / 2,
                   work.top + (work.bottom - work.top - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

// The window moved to a display of another scale, or the user changed the
// scale: every control goes to its place in the layout at the new scale and
// shows the pictures drawn for it, the texts take the font made for it, and
// the window becomes the background's new size where the system suggests.
void CMainDialog::OnScaleChanged(const RECT& suggested) {
    ApplyScaledFont();
    FitFrameToScale(suggested);
    mirror_.OnScaleChanged();
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT CMainDialog::OnSetCursor(WPARAM, LPARAM) {
    // A clean runs under the wait cursor from start to end, also while the
    // shell's progress window lets the pointer's messages through.
    if (!parts.state.cleanBusy) return Default();
    ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    return TRUE;
}

}  // namespace velnor
