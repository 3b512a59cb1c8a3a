#include "ui/bitmap_pic_win32.h"

#include <algorithm>

#include <commctrl.h>
#include <windowsx.h>

#include "ui/dpi_win32.h"
#include "ui/gdi_handles_win32.h"
#include "ui/picture_accessible_win32.h"

namespace velnor {

namespace {
bool IsPressKey(WPARAM key) { return key == VK_SPACE || key == VK_RETURN; }

bool IsDown(int key) { return (::GetKeyState(key) & 0x8000) != 0; }
}  // namespace

const RuntimeClass CBitmapPic::kRuntimeClass = {"CBitmapPic", &CWindow::kRuntimeClass};
const RuntimeClass CBitmapPicEx::kRuntimeClass = {"CBitmapPicEx", &CWindow::kRuntimeClass};

CBitmapPic::~CBitmapPic() {
    if (tooltip_ && ::IsWindow(tooltip_)) ::DestroyWindow(tooltip_);
}

CBitmapPic* CBitmapPic::FromPicture(HWND hwnd) {
    CWindow* window = CWindow::FromHandle(hwnd);
    // Both kinds name the static control as their base, not each other.
    if (!window || !(window->IsKindOf(&CBitmapPic::kRuntimeClass) || window->IsKindOf(&CBitmapPicEx::kRuntimeClass)))
        return nullptr;
    return static_cast<CBitmapPic*>(window);
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
    ShowTipWidth(ScaleOfWindow(hwnd_));
}

// Long tips wrap at this width of the 96-DPI layout, at the window's scale.
void CBitmapPic::ShowTipWidth(const DisplayScale& scale) {
    if (!tooltip_ || scale.Percent() == tipPercent_) return;
    ::SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, scale.Px(kTipWidth));
    tipPercent_ = scale.Percent();
}

void CBitmapPic::ShowPicture(int resourceId) {
    if (!hwnd_) return;
    // A new scale shows every picture afresh, and the tip follows it.
    const DisplayScale scale = ScaleOfWindow(hwnd_);
    ShowTipWidth(scale);
    HBITMAP bitmap = resourceId ? SharedBitmap(resourceId, scale) : nullptr;
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

bool CBitmapPic::Describe(PictureAccess& access) const {
    if (!model_ || !model_->Has(id_)) return false;
    access = DescribePicture(*model_, id_);
    return true;
}

LRESULT CBitmapPic::OnGetDialogCode(const MSG* key) const {
    if (key && key->message == WM_KEYDOWN) ShowFocusMarks(hwnd_);
    // Space and Enter press the picture, so Enter does not reach the dialog's
    // default button; arrows are the picture's own, so that they move only
    // between page tabs. Tab and Escape stay with the dialog.
    if (key && (key->message == WM_KEYDOWN || key->message == WM_CHAR) && IsPressKey(key->wParam))
        return DLGC_WANTMESSAGE;
    return DLGC_WANTARROWS;
}

void CBitmapPic::OnKeyDown(WPARAM key, LPARAM flags) {
    const bool repeated = (flags & (1 << 30)) != 0;
    if (IsPressKey(key)) {
        if (!repeated) Press();
        return;
    }
    if (!model_ || Button().State().role != PictureRole::PageTab) return;
    if (key == VK_DOWN || key == VK_RIGHT) FocusNeighbourTab(true);
    if (key == VK_UP || key == VK_LEFT) FocusNeighbourTab(false);
}

void CBitmapPic::Press() {
    // What a click reports: the command handlers apply their own guards.
    ::SendMessageA(::GetParent(hwnd_), WM_COMMAND, MAKEWPARAM(id_, STN_CLICKED), reinterpret_cast<LPARAM>(hwnd_));
}

void CBitmapPic::FocusNeighbourTab(bool forward) {
    const UINT step = forward ? GW_HWNDNEXT : GW_HWNDPREV;
    const HWND parent = ::GetParent(hwnd_);
    HWND at = hwnd_;
    for (;;) {
        at = ::GetWindow(at, step);
        if (!at) {
            const HWND first = ::GetWindow(parent, GW_CHILD);
            at = forward ? first : ::GetWindow(first, GW_HWNDLAST);
        }
        if (!at || at == hwnd_) return;
        const CBitmapPic* picture = FromPicture(at);
        if (!picture || !::IsWindowVisible(at)) continue;
        if (picture->model_ == model_ && picture->Button().State().role == PictureRole::PageTab) {
            ::SetFocus(at);
            return;
        }
    }
}

void CBitmapPic::PaintFocusMark() {
    if (::GetFocus() != hwnd_) return;
    if (!FocusMarksShown(hwnd_)) return;
    RECT area;
    ::GetClientRect(hwnd_, &area);
    BITMAP picture;
    const HGDIOBJ shown = reinterpret_cast<HGDIOBJ>(::SendMessageA(hwnd_, STM_GETIMAGE, IMAGE_BITMAP, 0));
    if (shown && ::GetObjectA(shown, sizeof picture, &picture)) {
        area.right = std::min<LONG>(area.right, picture.bmWidth);
        area.bottom = std::min<LONG>(area.bottom, picture.bmHeight);
    }
    HDC dc = ::GetDC(hwnd_);
    DrawFocusMark(dc, area);
    ::ReleaseDC(hwnd_, dc);
}

bool CBitmapPic::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_GETDLGCODE:
        result = OnGetDialogCode(reinterpret_cast<const MSG*>(lParam));
        return true;
    case WM_KEYDOWN:
        OnKeyDown(wParam, lParam);
        result = 0;
        return true;
    case WM_CHAR:
        if (!IsPressKey(wParam)) return false;
        result = 0;
        return true;
    case WM_SETFOCUS:
        // Tab or an arrow from a list or an edit box brought the focus here.
        if (IsDown(VK_TAB) || IsDown(VK_UP) || IsDown(VK_DOWN) || IsDown(VK_LEFT) || IsDown(VK_RIGHT))
            ShowFocusMarks(hwnd_);
        result = Default();
        ::InvalidateRect(hwnd_, nullptr, FALSE);
        return true;
    case WM_KILLFOCUS:
        result = Default();
        ::InvalidateRect(hwnd_, nullptr, FALSE);
        return true;
    case WM_PAINT:
        result = Default();
        PaintFocusMark();
        return true;
    case WM_GETOBJECT:
        result = AnswerPictureAccessibility(hwnd_, wParam, lParam);
        if (result == 0) result = Default();
        return true;
    default:
        break;
    }
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
