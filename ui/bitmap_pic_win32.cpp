#include "ui/bitmap_pic_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include "ui/gdi_handles_win32.h"

namespace velnor {

const RuntimeClass CBitmapPic::kRuntimeClass = {"CBitmapPic", &CWindow::kRuntimeClass};
const RuntimeClass CBitmapPicEx::kRuntimeClass = {"CBitmapPicEx", &CWindow::kRuntimeClass};

CBitmapPic::~CBitmapPic() {
    if (tooltip_ && ::IsWindow(tooltip_)) ::DestroyWindow(tooltip_);
}

bool CBitmapPic::Attach(HWND parent, int id, DialogModel& model) {
    model_ = &model;
    id_ = id;
    return SubclassDlgItem(id, parent);
}

void CBitmapPic::PreSubclassControl() {
    // The always-tip style shows the tips even while the window is inactive.
    tooltip_ = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0,
                                 0, 0, 0, ::GetParent(hwnd_), nullptr, ::GetModuleHandleA(nullptr), nullptr);
    TOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = ::GetParent(hwnd_);
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd_);
    tool.lpszText = const_cast<char*>("");
    ::SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
}

void CBitmapPic::ShowPicture(int resourceId) {
    if (!hwnd_) return;
    HBITMAP bitmap = resourceId ? SharedBitmap(resourceId) : nullptr;
    if (reinterpret_cast<HBITMAP>(::SendMessageA(hwnd_, STM_GETIMAGE, IMAGE_BITMAP, 0)) == bitmap) return;
    ::SendMessageA(hwnd_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
}

void CBitmapPic::SetTooltip(const std::string& text) {
    if (!tooltip_) return;
    TOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = ::GetParent(hwnd_);
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd_);
    tool.lpszText = const_cast<char*>(text.c_str());
    ::SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    // An empty tip must never pop up.
    ::SendMessageA(tooltip_, TTM_ACTIVATE, text.empty() ? FALSE : TRUE, 0);
}

bool CBitmapPic::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (tooltip_ && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        MSG relay = {hwnd_, message, wParam, lParam, ::GetMessageTime(), {}};
        DWORD pos = ::GetMessagePos();
        relay.pt.x = GET_X_LPARAM(pos);
        relay.pt.y = GET_Y_LPARAM(pos);
        ::SendMessageA(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relay));
    }
    if (message != WM_MOUSEMOVE || !model_) return false;
    result = Default();
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ClientToScreen(hwnd_, &pt);
    const bool over = ::WindowFromPoint(pt) == hwnd_;
    const PointerOutcome outcome = OnPicturePointerMove(Button(), over);
    if (outcome.handCursor) ::SetCursor(HandCursor());
    if (outcome.capture) ::SetCapture(hwnd_);
    if (outcome.trackLeave) {
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, hwnd_, 0};
        ::TrackMouseEvent(&track);
    }
    if (outcome.release && ::GetCapture() == hwnd_) ::ReleaseCapture();
    return true;
}

}  // namespace velnor
