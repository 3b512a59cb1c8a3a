#include "app/main_dialog_win32.h"

#include <algorithm>

#include <commctrl.h>
#include <windowsx.h>

#include <vector>

#include "app/main_dialog_layout.h"
#include "res/resource.h"
#include "ui/dpi_win32.h"
#include "ui/utf8.h"

namespace velnor {

const RuntimeClass CMainDialog::kRuntimeClass = {"CMainDialog", &CDialog::kRuntimeClass};

namespace {
constexpr COLORREF kPanelGrey = RGB(230, 230, 230);
constexpr DWORD kCaptionAndFrame = 0x00C00000;  // WS_BORDER | WS_DLGFRAME
}  // namespace

// clang-format off
const CMainDialog::Map CMainDialog::kMap[] = {
    Map::Message(WM_PAINT,            &CMainDialog::OnPaint),
    Map::Message(WM_QUERYDRAGICON,    &CMainDialog::OnQueryDragIcon),
    Map::Message(WM_ERASEBKGND,       &CMainDialog::OnEraseBackground),
    Map::Message(WM_LBUTTONDOWN,      &CMainDialog::OnLeftButtonDown),
    Map::Message(WM_CTLCOLORDLG,      &CMainDialog::OnControlColor),
    Map::Message(WM_CTLCOLORSTATIC,   &CMainDialog::OnControlColor),
    Map::Message(WM_DESTROY,          &CMainDialog::OnDestroy),
    Map::Message(WM_DRAWITEM,         &CMainDialog::OnDrawItem),
    Map::Message(WM_MEASUREITEM,      &CMainDialog::OnMeasureItem),
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

CMainDialog::CMainDialog(const Platform& platform) : CDialog(IDD_MAIN), parts(platform, this), platform_(platform) {}

CMainDialog::~CMainDialog() {
    CheckListModel* const lists[] = {&parts.profile.locations, &parts.profile.filters, &parts.profile.exclusions,
                                     &parts.results};
    for (CheckListModel* model : lists) model->SetObserver(nullptr);
    parts.controls.SetObserver(nullptr);
}

bool CMainDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return RouteMessage(*this, kMap, message, wParam, lParam, result);
}

CMyListCtrlEx& CMainDialog::ListControl(int id) {
    switch (id) {
    case IDC_LOCATION_LIST:
        return locationList_;
    case IDC_FILTER_LIST:
        return filterList_;
    case IDC_EXCLUDE_LIST:
        return exclusionList_;
    default:
        return resultList_;
    }
}

CBitmapPic* CMainDialog::Picture(int id) {
    auto it = pictures_.find(id);
    return it == pictures_.end() ? nullptr : it->second.get();
}

void CMainDialog::BindControls() {
    // The template's texts are what the model starts from.
    for (HWND child = ::GetWindow(hwnd_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char text[512] = {};
        ::GetWindowTextA(child, text, sizeof text);
        parts.controls.Seed(::GetDlgCtrlID(child), Utf8Prefix(text, sizeof text - 1));
    }
    for (const PictureButton& button : PictureButtons()) {
        const int id = button.id;
        std::unique_ptr<CBitmapPic> picture = button.kind == PictureKind::PicEx ? std::make_unique<CBitmapPicEx>()
                                                                                : std::make_unique<CBitmapPic>();
        if (picture->Attach(hwnd_, id, parts.controls)) pictures_.emplace(id, std::move(picture));
    }
    locationList_.SubclassDlgItem(IDC_LOCATION_LIST, hwnd_);
    filterList_.SubclassDlgItem(IDC_FILTER_LIST, hwnd_);
    exclusionList_.SubclassDlgItem(IDC_EXCLUDE_LIST, hwnd_);
    resultList_.SubclassDlgItem(IDC_RESULT_LIST, hwnd_);
    locationList_.Bind(&parts.profile.locations);
    filterList_.Bind(&parts.profile.filters);
    exclusionList_.Bind(&parts.profile.exclusions);
    resultList_.Bind(&parts.results);
    statusLine_.SubclassDlgItem(IDC_CLEAN_STATUS, hwnd_);
    parts.controls.SetObserver([this](int id, unsigned changes) { ApplyControl(id, changes); });
    BindAboutLinks();
}

void CMainDialog::ApplyControl(int id, unsigned changes) {
    if (ScanPage::IsScanText(id) && changes == kTextChanged && parts.state.scanState == kScanRunning) {
        // Setting a window's text costs more than scanning a small folder, and
        // nothing is painted inside a folder anyway.
        if (std::find(pendingScanTexts_.begin(), pendingScanTexts_.end(), id) == pendingScanTexts_.end())
            pendingScanTexts_.push_back(id);
        // The status line changes as a folder begins, when the totals of the
        // folders before it are complete, so the texts shown always agree.
        if (id == IDC_SCAN_STATUS && ::GetTickCount() - scanTextsShown_ >= kScanTextInterval) ShowScanTexts();
        return;
    }
    if (!pendingScanTexts_.empty()) ShowScanTexts();

    HWND control = ::GetDlgItem(hwnd_, id);
    if (!control) return;
    const ControlState& state = parts.controls.StateOf(id);
    if (changes & kPlacementChanged) {
        const Placement& p = state.placement;
        const DisplayScale& scale = Scale();
        ::SetWindowPos(control, nullptr, windowRect_.left + scale.Px(p.x), windowRect_.top + scale.Px(p.y),
                       scale.Px(p.width), scale.Px(p.height), SWP_NOZORDER | SWP_NOACTIVATE);
        ::InvalidateRect(control, nullptr, TRUE);
    }
    if (changes & kPictureChanged) {
        if (CBitmapPic* picture = Picture(id)) picture->ShowPicture(state.shownPicture);
    }
    if (changes & kTooltipChanged) {
        if (CBitmapPic* picture = Picture(id)) picture->SetTooltip(state.tooltip);
    }
    if (changes & kTextChanged) ApplyText(id, control);
    if (changes & kVisibilityChanged) {
        ::ShowWindow(control, state.visible ? SW_SHOWNA : SW_HIDE);
        // A hidden control keeps the focus, and the keyboard with it, unless
        // the focus moves on to a control that can still be seen.
        if (!state.visible && ::GetFocus() == control) ::SendMessageA(hwnd_, WM_NEXTDLGCTL, 0, FALSE);
    }
    if (changes & kProgressChanged) {
        ::SendMessageA(control, PBM_SETRANGE32, state.rangeMin, state.rangeMax);
        ::SendMessageA(control, PBM_SETPOS, state.position, 0);
    }
}

void CMainDialog::ApplyText(int id, HWND control) {
    const std::string& text = parts.controls.StateOf(id).text;
    if (id == IDC_CLEAN_STATUS)
        statusLine_.SetLabelText(text);
    else
        ::SetWindowTextA(control, text.c_str());
}

void CMainDialog::OnStartScanCommand() {
    parts.scan.OnStartScan();
    // Texts are held back only while the walk runs, and the walk ends inside
    // Start Scan; what its last steps (or a scan with no location) set is
    // still held, with no later change to bring it out.
    ShowScanTexts();
}

void CMainDialog::ShowScanTexts() {
    scanTextsShown_ = ::GetTickCount();
    if (pendingScanTexts_.empty()) return;
    std::vector<int> ids;
    ids.swap(pendingScanTexts_);
    for (int id : ids)
        if (HWND control = ::GetDlgItem(hwnd_, id)) ApplyText(id, control);
}

BOOL CMainDialog::OnInitDialog() {
    BindControls();
    if (pump_) pump_->SetDialog(hwnd_);
    if (onWindowCreated_) onWindowCreated_(hwnd_);

    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    bigIcon_.Reset(static_cast<HICON>(::LoadImageA(instance, MAKEINTRESOURCEA(IDI_MAIN), IMAGE_ICON,
                                                    ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), 0)));
    smallIcon_.Reset(static_cast<HICON>(::LoadImageA(instance, MAKEINTRESOURCEA(IDI_MAIN), IMAGE_ICON,
                                                      ::GetSystemMetrics(SM_CXSMICON),
                                                      ::GetSystemMetrics(SM_CYSMICON), 0)));
    ::SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
    ::SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));

    greyBrush_.Reset(::CreateSolidBrush(kPanelGrey));
    parts.InitializeState();

    // The layout below places every control in pixels for the display's scale.
    StopDialogRescaling(hwnd_);
    const LONG_PTR style = ::GetWindowLongPtrA(hwnd_, GWL_STYLE);
    ::SetWindowLongPtrA(hwnd_, GWL_STYLE, style & ~static_cast<LONG_PTR>(kCaptionAndFrame));
    ::SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    LoadBackground(IDB_BACKGROUND);
    if (background_)
        ::SetWindowPos(hwnd_, nullptr, 0, 0, backgroundWidth_, backgroundHeight_,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::GetWindowRect(hwnd_, &windowRect_);
    // Controls are placed in client co-ordinates; the window has no frame, so
    // the recorded origin is the client's.
    windowRect_.right -= windowRect_.left;
    windowRect_.bottom -= windowRect_.top;
    windowRect_.left = windowRect_.top = 0;

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

bool CMainDialog::LoadBackground(int resourceId) {
    backgroundId_ = resourceId;
    HBITMAP loaded = LoadScaledBitmap(resourceId, Scale());
    background_.Reset();
    backgroundWidth_ = backgroundHeight_ = 0;
    if (loaded) {
        BITMAP info;
        if (!::GetObjectA(loaded, sizeof info, &info)) {
            ::DeleteObject(loaded);
            return false;
        }
        background_.Reset(loaded);
        backgroundWidth_ = info.bmWidth;
        backgroundHeight_ = info.bmHeight;
    }
    if (hwnd_) ::InvalidateRect(hwnd_, nullptr, TRUE);
    return true;
}

void CMainDialog::OnMinimizeCommand() {
    WINDOWPLACEMENT placement = {sizeof placement};
    ::GetWindowPlacement(hwnd_, &placement);
    placement.showCmd = SW_SHOWMINIMIZED;
    ::SetWindowPlacement(hwnd_, &placement);
}


LRESULT CMainDialog::OnPaint(WPARAM, LPARAM) {
    if (!::IsIconic(hwnd_)) return Default();
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd_, &ps);
    ::SendMessageA(hwnd_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    ::GetClientRect(hwnd_, &client);
    const int cx = ::GetSystemMetrics(SM_CXICON), cy = ::GetSystemMetrics(SM_CYICON);
    ::DrawIcon(dc, (client.right - cx + 1) / 2, (client.bottom - cy + 1) / 2, bigIcon_.Get());
    ::EndPaint(hwnd_, &ps);
    return 0;
}

LRESULT CMainDialog::OnQueryDragIcon(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(bigIcon_.Get()); }

LRESULT CMainDialog::OnEraseBackground(WPARAM wParam, LPARAM) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    RECT client;
    ::GetClientRect(hwnd_, &client);
    ::FillRect(dc, &client, greyBrush_.Get());
    if (!background_ || !parts.state.backgroundPaint) return TRUE;
    UniqueDc memory(::CreateCompatibleDC(dc));
    SelectedObject picture(memory.Get(), background_.Get());
    ::BitBlt(dc, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
    return TRUE;
}

LRESULT CMainDialog::OnLeftButtonDown(WPARAM, LPARAM lParam) {
    // No caption to drag: a press on any free spot moves the window instead.
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ClientToScreen(hwnd_, &pt);
    ::PostMessageA(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(pt.x, pt.y));
    return Default();
}

LRESULT CMainDialog::OnControlColor(WPARAM wParam, LPARAM) {
    ::SetBkColor(reinterpret_cast<HDC>(wParam), kPanelGrey);
    return reinterpret_cast<LRESULT>(greyBrush_.Get());
}

LRESULT CMainDialog::OnSetCursor(WPARAM, LPARAM) {
    // A clean runs under the wait cursor from start to end, also while the
    // shell's progress window lets the pointer's messages through.
    if (!parts.state.cleanBusy) return Default();
    ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    return TRUE;
}

LRESULT CMainDialog::OnDestroy(WPARAM, LPARAM) {
    Default();
    greyBrush_.Reset();
    return 0;
}

}  // namespace velnor
