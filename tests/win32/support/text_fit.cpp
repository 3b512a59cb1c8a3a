#include "tests/win32/support/text_fit.h"

#include <algorithm>

namespace velnor::testing {

namespace {

// A check box's or radio button's mark and the gap after it, at 100 %.
constexpr int kChoiceMark = 13 + 6;
// A group box's caption starts a little in from the frame's corner and keeps
// as much free at its end.
constexpr int kFrameIndent = 8;

std::string ClassOf(HWND control) {
    char name[32] = {};
    ::GetClassNameA(control, name, sizeof name);
    return name;
}

std::string TextOf(HWND control) {
    char text[1024] = {};
    ::GetWindowTextA(control, text, sizeof text);
    return text;
}

}  // namespace

std::vector<ShownText> ShownTexts(HWND window) {
    std::vector<ShownText> texts;
    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const std::string text = TextOf(child);
        const LONG_PTR style = ::GetWindowLongPtrA(child, GWL_STYLE);
        if (text.empty() || !(style & WS_VISIBLE)) continue;
        const std::string kind = ClassOf(child);
        RECT client;
        ::GetClientRect(child, &client);
        ShownText shown{::GetDlgCtrlID(child), text, TextKind::Wrapped, client.right, client.bottom};
        if (::lstrcmpiA(kind.c_str(), "Static") == 0) {
            const LONG_PTR type = style & SS_TYPEMASK;
            if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP &&
                type != SS_SIMPLE)
                continue;  // pictures, rules, frames
            if (type == SS_LEFTNOWORDWRAP || type == SS_SIMPLE || (style & SS_ELLIPSISMASK))
                shown.kind = TextKind::OneLine;
            shown.prefixes = (style & SS_NOPREFIX) == 0;
        } else if (::lstrcmpiA(kind.c_str(), "Button") == 0) {
            switch (style & BS_TYPEMASK) {
            case BS_GROUPBOX:
                shown.kind = TextKind::Frame;
                break;
            case BS_CHECKBOX:
            case BS_AUTOCHECKBOX:
            case BS_3STATE:
            case BS_AUTO3STATE:
            case BS_RADIOBUTTON:
            case BS_AUTORADIOBUTTON:
                shown.kind = TextKind::Choice;
                break;
            default:
                shown.kind = TextKind::OneLine;
                break;
            }
        } else {
            continue;  // lists, edit boxes and progress bars show the user's data
        }
        texts.push_back(shown);
    }
    return texts;
}

HFONT CreateDialogFont(const char* face, const DisplayScale& scale) {
    LOGFONTA look = {};
    look.lfHeight = scale.FontHeight(kDialogFacePoints);
    look.lfWeight = FW_NORMAL;
    look.lfCharSet = DEFAULT_CHARSET;
    ::lstrcpynA(look.lfFaceName, face, LF_FACESIZE);
    return ::CreateFontIndirectA(&look);
}

SIZE DialogBaseUnits(HDC dc) {
    // The average width of the Latin letters, rounded, and the font's height.
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE letters = {};
    ::GetTextExtentPoint32A(dc, kLetters, 52, &letters);
    TEXTMETRICA metrics = {};
    ::GetTextMetricsA(dc, &metrics);
    return SIZE{(letters.cx / 26 + 1) / 2, metrics.tmHeight};
}

std::string Misfit(HDC dc, const ShownText& shown, const DisplayScale& scale) {
    int room = shown.width - shown.margin;
    if (shown.kind == TextKind::Choice) room -= scale.Px(kChoiceMark);
    if (shown.kind == TextKind::Frame) room -= 2 * scale.Px(kFrameIndent);
    SIZE needed = {};
    if (shown.kind == TextKind::Wrapped) {
        RECT drawn = {0, 0, std::max(room, 1), 0x7FFF};
        ::DrawTextA(dc, shown.text.c_str(), -1, &drawn,
                    DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | (shown.prefixes ? 0 : DT_NOPREFIX));
        needed = {drawn.right, drawn.bottom};
    } else {
        ::GetTextExtentPoint32A(dc, shown.text.c_str(), static_cast<int>(shown.text.size()), &needed);
    }
    if (needed.cx <= room && needed.cy <= shown.height) return std::string();
    return "\"" + shown.text + "\" (" + std::to_string(shown.id) + ") needs " + std::to_string(needed.cx) + " x " +
           std::to_string(needed.cy) + " of " + std::to_string(room) + " x " + std::to_string(shown.height);
}

}  // namespace velnor::testing
