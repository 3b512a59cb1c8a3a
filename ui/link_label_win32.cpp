#include "ui/link_label_win32.h"

#include <commctrl.h>
#include <oleacc.h>
#include <shellapi.h>
#include <windowsx.h>

#include "scan/utf8.h"
#include "ui/accessible_object_win32.h"

namespace velnor {

const RuntimeClass CLinkLabel::kRuntimeClass = {"CLinkLabel", &CWindow::kRuntimeClass};

namespace {
const char kOpenVerb[] = "open";
// What a screen reader offers to do with a link, as it says it for the
// system's own links.
const char kLinkAction[] = "Jump";

bool IsPressKey(WPARAM key) { return key == VK_SPACE || key == VK_RETURN; }

std::string TextOf(HWND hwnd) {
    char buffer[512] = {};
    ::GetWindowTextA(hwnd, buffer, sizeof buffer);
    return Utf8Prefix(buffer, sizeof buffer - 1);
}

bool DescribeLink(HWND hwnd, AccessibleFacts& facts) {
    CWindow* window = CWindow::FromHandle(hwnd);
    if (!window || !window->IsKindOf(&CLinkLabel::kRuntimeClass)) return false;
    const LinkLabelState* state = static_cast<CLinkLabel*>(window)->State();
    facts.name = TextOf(hwnd);
    facts.role = ROLE_SYSTEM_LINK;
    facts.state = STATE_SYSTEM_LINKED | (state && state->visited ? STATE_SYSTEM_TRAVERSED : 0);
    facts.defaultAction = kLinkAction;
    return true;
}
}  // namespace

CLinkLabel::~CLinkLabel() {
    if (hwnd_ && ::IsWindow(hwnd_)) {
        // The control must not keep drawing with a font that goes with us.
        ::SendMessageA(hwnd_, WM_SETFONT, 0, FALSE);
        UnsubclassControl();
    }
    if (tooltip_ && ::IsWindow(tooltip_)) ::DestroyWindow(tooltip_);
}

bool CLinkLabel::Attach(HWND parent, int id, LinkLabelState* state, IShell* shell) {
    state_ = state;
    shell_ = shell;
    return SubclassDlgItem(id, parent);
}

void CLinkLabel::SetTarget(const std::string& target) {
    if (state_) state_->target = target;
}

void CLinkLabel::SetColors(COLORREF normal, COLORREF hover, COLORREF visited) {
    if (!state_) return;
    state_->normalColor = normal;
    state_->hoverColor = hover;
    state_->visitedColor = visited;
    if (hwnd_) ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void CLinkLabel::PreSubclassControl() {
    // Clicks reach a static control only with the notify style.
    ::SetWindowLongPtrA(hwnd_, GWL_STYLE, ::GetWindowLongPtrA(hwnd_, GWL_STYLE) | SS_NOTIFY);

    HFONT font = reinterpret_cast<HFONT>(::SendMessageA(hwnd_, WM_GETFONT, 0, 0));
    if (!font) font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    UseUnderlinedFontOf(font, FALSE);

    tooltip_ = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0,
                                 0, 0, 0, hwnd_, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    TOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = hwnd_;
    tool.uId = kToolId;
    tool.lpszText = const_cast<char*>("");
    ::GetClientRect(hwnd_, &tool.rect);
    ::SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

bool CLinkLabel::Inside(POINT pt) const {
    RECT client;
    ::GetClientRect(hwnd_, &client);
    return ::PtInRect(&client, pt) != FALSE;
}

void CLinkLabel::UseUnderlinedFontOf(HFONT font, BOOL redraw) {
    LOGFONTA face = {};
    if (!font || !::GetObjectA(font, sizeof face, &face)) return;
    face.lfUnderline = TRUE;
    // The control lets go of the font it drew with before that font goes.
    UniqueFont previous(underlined_.Release());
    underlined_.Reset(::CreateFontIndirectA(&face));
    ::SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(underlined_.Get()), redraw);
}

bool CLinkLabel::HandleKeyboard(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_GETDLGCODE: {
        const MSG* key = reinterpret_cast<const MSG*>(lParam);
        if (key && key->message == WM_KEYDOWN) ShowFocusMarks(hwnd_);
        // Enter and Space open the link, so Enter does not reach the dialog.
        const bool press = key && (key->message == WM_KEYDOWN || key->message == WM_CHAR) && IsPressKey(key->wParam);
        result = press ? DLGC_WANTMESSAGE : 0;
        return true;
    }
    case WM_KEYDOWN:
        if (!IsPressKey(wParam)) return false;
        if (!(lParam & (1 << 30)) && state_) Open();  // once per press, not per repeat
        result = 0;
        return true;
    case WM_CHAR:
        if (!IsPressKey(wParam)) return false;
        result = 0;
        return true;
    case WM_SETFOCUS:
        if (::GetKeyState(VK_TAB) & 0x8000) ShowFocusMarks(hwnd_);
        [[fallthrough]];
    case WM_KILLFOCUS:
        result = Default();
        Redraw();
        return true;
    case WM_GETOBJECT:
        result = AnswerAccessibility(hwnd_, wParam, lParam, &DescribeLink);
        if (result == 0) result = Default();
        return true;
    default:
        return false;
    }
}

bool CLinkLabel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (HandleKeyboard(message, wParam, lParam, result)) return true;
    // The dialog gives its controls a new font when the display scale
    // changes; the link keeps its underline in that font's size.
    if (message == WM_SETFONT && wParam && reinterpret_cast<HFONT>(wParam) != underlined_.Get()) {
        UseUnderlinedFontOf(reinterpret_cast<HFONT>(wParam), static_cast<BOOL>(lParam));
        result = 0;
        return true;
    }
    if (tooltip_ && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        MSG relay = {hwnd_, message, wParam, lParam, ::GetMessageTime(), {}};
        const DWORD pos = ::GetMessagePos();
        relay.pt.x = GET_X_LPARAM(pos);
        relay.pt.y = GET_Y_LPARAM(pos);
        ::SendMessageA(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relay));
    }
    const POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd_, &ps);
        Paint(dc);
        ::EndPaint(hwnd_, &ps);
        result = 0;
        return true;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        result = 0;
        return true;
    case WM_ERASEBKGND:
        result = TRUE;  // painting puts the parent's background under the text
        return true;
    case WM_SIZE:
        if (tooltip_) {
            TOOLINFOA tool = {};
            tool.cbSize = sizeof tool;
            tool.hwnd = hwnd_;
            tool.uId = kToolId;
            ::GetClientRect(hwnd_, &tool.rect);
            ::SendMessageA(tooltip_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
        }
        return false;
    case WM_SETCURSOR:
        ::SetCursor(HandCursor());
        result = TRUE;
        return true;
    case WM_MOUSEMOVE:
        OnMouseMove(pt);
        result = 0;
        return true;
    case WM_LBUTTONDOWN:
        // While the link holds the capture, a press elsewhere arrives here
        // too; it must not open the link.
        if (!Inside(pt)) {
            OnMouseMove(pt);
            result = 0;
            return true;
        }
        return false;
    case WM_CAPTURECHANGED:
        // Another window took the mouse (a menu, a message box): the leaving
        // move will never arrive.
        if (state_ && state_->hovered && reinterpret_cast<HWND>(lParam) != hwnd_) {
            state_->hovered = false;
            Redraw();
        }
        return false;
    default:
        return false;
    }
}

void CLinkLabel::OnMouseMove(POINT pt) {
    if (!state_) return;
    const bool inside = Inside(pt);
    if (inside) ::SetCursor(HandCursor());
    if (!state_->hovered) {
        if (!inside) return;
        state_->hovered = true;
        Redraw();
        ::SetCapture(hwnd_);
    } else if (!inside) {
        state_->hovered = false;
        if (::GetCapture() == hwnd_) ::ReleaseCapture();
        Redraw();
    }
}

bool CLinkLabel::OnReflectedCommand(UINT code, LRESULT& result) {
    if (code != STN_CLICKED || !state_) return false;
    Open();
    result = 0;
    return true;
}

void CLinkLabel::Open() {
    if (shell_)
        shell_->Execute(kOpenVerb, state_->target, SW_SHOWMINIMIZED);
    else
        ::ShellExecuteA(nullptr, kOpenVerb, state_->target.c_str(), nullptr, nullptr, SW_SHOWMINIMIZED);
    state_->visited = true;
    Redraw();
}

void CLinkLabel::Redraw() {
    if (hwnd_) ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CLinkLabel::PaintParentBackground(HDC dc) {
    HWND parent = ::GetParent(hwnd_);
    if (!parent) return;
    POINT origin = {0, 0};
    ::MapWindowPoints(hwnd_, parent, &origin, 1);
    POINT previous;
    ::OffsetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
    ::SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ::SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

void CLinkLabel::Paint(HDC dc) {
    SavedDc saved(dc);
    PaintParentBackground(dc);
    RECT client;
    ::GetClientRect(hwnd_, &client);
    const std::string text = TextOf(hwnd_);

    const LONG_PTR style = ::GetWindowLongPtrA(hwnd_, GWL_STYLE);
    UINT format = DT_WORDBREAK | DT_EXPANDTABS;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        format |= DT_CENTER;
        break;
    case SS_RIGHT:
        format |= DT_RIGHT;
        break;
    default:
        break;
    }
    if (style & SS_NOPREFIX) format |= DT_NOPREFIX;

    HFONT font = reinterpret_cast<HFONT>(::SendMessageA(hwnd_, WM_GETFONT, 0, 0));
    SelectedObject selected(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, state_ ? state_->TextColor() : ::GetSysColor(COLOR_WINDOWTEXT));
    ::DrawTextA(dc, text.c_str(), -1, &client, format);
    if (::GetFocus() == hwnd_ && FocusMarksShown(hwnd_)) {
        // Around the words, as the system marks a focused link.
        RECT words = client;
        ::DrawTextA(dc, text.c_str(), -1, &words, format | DT_CALCRECT);
        ::InflateRect(&words, 2, 2);
        ::IntersectRect(&words, &words, &client);
        DrawFocusMark(dc, words);
    }
}

}  // namespace velnor
