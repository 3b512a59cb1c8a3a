#include "app/main_dialog_win32.h"

namespace velnor {

// The window moved to a display of another scale, or the user changed the
// scale: every control goes to its place in the layout at the new scale and
// shows the pictures drawn for it, the texts take the font made for it, and
// the window becomes the background's new size where the system suggests.
void CMainDialog::OnScaleChanged(const RECT& suggested) {
    ApplyScaledFont();
    LoadBackground(backgroundId_);
    const int width = background_ ? backgroundWidth_ : suggested.right - suggested.left;
    const int height = background_ ? backgroundHeight_ : suggested.bottom - suggested.top;
    ::SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    for (const auto& control : parts.controls.All())
        ApplyControl(control.first, (control.second.placed ? kPlacementChanged : 0u) | kPictureChanged);
    for (CMyListCtrlEx* list : {&locationList_, &filterList_, &exclusionList_, &resultList_}) list->OnScaleChanged();
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

}  // namespace velnor
