#include "app/main_window_frame_win32.h"

#include <windowsx.h>

#include "res/resource.h"
#include "ui/dpi_win32.h"

namespace velnor {

namespace {
constexpr DWORD kCaptionAndFrame = 0x00C00000;  // WS_BORDER | WS_DLGFRAME
}  // namespace

// clang-format off
const CMainWindowFrame::Map CMainWindowFrame::kMap[] = {
    Map::Message(WM_PAINT,          &CMainWindowFrame::OnPaint),
    Map::Message(WM_QUERYDRAGICON,  &CMainWindowFrame::OnQueryDragIcon),
    Map::Message(WM_ERASEBKGND,     &CMainWindowFrame::OnEraseBackground),
    Map::Message(WM_LBUTTONDOWN,    &CMainWindowFrame::OnLeftButtonDown),
    Map::Message(WM_CTLCOLORDLG,    &CMainWindowFrame::OnControlColor),
    Map::Message(WM_CTLCOLORSTATIC, &CMainWindowFrame::OnControlColor),
    Map::Message(WM_DESTROY,        &CMainWindowFrame::OnDestroy),
    Map::Message(WM_DRAWITEM,       &CMainWindowFrame::OnDrawItem),
    Map::Message(WM_MEASUREITEM,    &CMainWindowFrame::OnMeasureItem),
};
// clang-format on

bool CMainWindowFrame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return RouteMessage(*this, kMap, message, wParam, lParam, result);
}

// The icons drawn from the icon resource at the sizes of the window's scale.
void CMainWindowFrame::LoadIcons() {
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    const int dpi = Scale().Dpi();
    bigIcon_.Reset(static_cast<HICON>(::LoadImageA(instance, MAKEINTRESOURCEA(IDI_MAIN), IMAGE_ICON,
                                                    SystemMetricAtDpi(SM_CXICON, dpi),
                                                    SystemMetricAtDpi(SM_CYICON, dpi), 0)));
    smallIcon_.Reset(static_cast<HICON>(::LoadImageA(instance, MAKEINTRESOURCEA(IDI_MAIN), IMAGE_ICON,
                                                      SystemMetricAtDpi(SM_CXSMICON, dpi),
                                                      SystemMetricAtDpi(SM_CYSMICON, dpi), 0)));
    // The window lets go of the icons it showed before these are released.
    ::SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
    ::SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
}

void CMainWindowFrame::SetUpFrame() {
    LoadIcons();

    greyBrush_.Reset(::CreateSolidBrush(kPanelGrey));

    // The layout places every control in pixels for the display's scale.
    StopDialogRescaling(hwnd_);
    const LONG_PTR style = ::GetWindowLongPtrA(hwnd_, GWL_STYLE);
    ::SetWindowLongPtrA(hwnd_, GWL_STYLE, style & ~static_cast<LONG_PTR>(kCaptionAndFrame));
    ::SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    LoadBackground(IDB_BACKGROUND);
    if (background_)
        ::SetWindowPos(hwnd_, nullptr, 0, 0, backgroundWidth_, backgroundHeight_,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMainWindowFrame::FitFrameToScale(const RECT& suggested) {
    LoadIcons();
    LoadBackground(backgroundId_);
    const int width = background_ ? backgroundWidth_ : suggested.right - suggested.left;
    const int height = background_ ? backgroundHeight_ : suggested.bottom - suggested.top;
    ::SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CMainWindowFrame::LoadBackground(int resourceId) {
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

void CMainWindowFrame::OnMinimizeCommand() {
    WINDOWPLACEMENT placement = {sizeof placement};
    ::GetWindowPlacement(hwnd_, &placement);
    placement.showCmd = SW_SHOWMINIMIZED;
    ::SetWindowPlacement(hwnd_, &placement);
}

void CMainWindowFrame::PopUpMenuUnder(int controlId, int menuId) {
    RECT anchor = {};
    ::GetWindowRect(Item(controlId), &anchor);
    popupMenu_.SetScale(Scale());
    popupMenu_.LoadFromResource(menuId);
    HMENU popup = popupMenu_.Popup();
    if (!popup) return;
    // Returns when the menu has closed; a chosen item arrives as a command.
    ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, anchor.left, anchor.bottom, 0, hwnd_,
                     nullptr);
}

LRESULT CMainWindowFrame::OnPaint(WPARAM, LPARAM) {
    if (!::IsIconic(hwnd_)) return Default();
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd_, &ps);
    ::SendMessageA(hwnd_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    ::GetClientRect(hwnd_, &client);
    const int cx = SystemMetricAtDpi(SM_CXICON, Scale().Dpi()), cy = SystemMetricAtDpi(SM_CYICON, Scale().Dpi());
    ::DrawIcon(dc, (client.right - cx + 1) / 2, (client.bottom - cy + 1) / 2, bigIcon_.Get());
    ::EndPaint(hwnd_, &ps);
    return 0;
}

LRESULT CMainWindowFrame::OnQueryDragIcon(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(bigIcon_.Get()); }

LRESULT CMainWindowFrame::OnEraseBackground(WPARAM wParam, LPARAM) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    RECT client;
    ::GetClientRect(hwnd_, &client);
    ::FillRect(dc, &client, greyBrush_.Get());
    if (!background_ || !ShowsBackground()) return TRUE;
    UniqueDc memory(::CreateCompatibleDC(dc));
    SelectedObject picture(memory.Get(), background_.Get());
    ::BitBlt(dc, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
    return TRUE;
}

LRESULT CMainWindowFrame::OnLeftButtonDown(WPARAM, LPARAM lParam) {
    // No caption to drag: a press on any free spot moves the window instead.
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ClientToScreen(hwnd_, &pt);
    ::PostMessageA(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(pt.x, pt.y));
    return Default();
}

LRESULT CMainWindowFrame::OnControlColor(WPARAM wParam, LPARAM) {
    ::SetBkColor(reinterpret_cast<HDC>(wParam), kPanelGrey);
    return reinterpret_cast<LRESULT>(greyBrush_.Get());
}

LRESULT CMainWindowFrame::OnDestroy(WPARAM, LPARAM) {
    Default();
    greyBrush_.Reset();
    return 0;
}

LRESULT CMainWindowFrame::OnDrawItem(WPARAM, LPARAM lParam) {
    const DRAWITEMSTRUCT& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    popupMenu_.DrawItem(draw);
    if (otherMenu_) otherMenu_->DrawItem(draw);
    return Default();
}

LRESULT CMainWindowFrame::OnMeasureItem(WPARAM, LPARAM lParam) {
    MEASUREITEMSTRUCT& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    popupMenu_.MeasureItem(measure);
    if (otherMenu_) otherMenu_->MeasureItem(measure);
    return Default();
}

}  // namespace velnor
