#pragma once
// Whether the texts of a window fit their controls when drawn in a given face
// at a given display scale, as the texts of a dialog whose "MS Shell Dlg" is
// drawn with that face would be.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/display_scale.h"

namespace velnor::testing {

// The faces "MS Shell Dlg" is drawn with: Tahoma (Wine under a UTF-8 code
// page; Windows' "MS Shell Dlg 2") and Microsoft Sans Serif (Windows). Wine
// has no Microsoft Sans Serif, nor has Debian a face with its metrics; it
// ships MS Sans Serif, the face whose widths Microsoft Sans Serif was drawn to
// keep (so that the dialogs of the one look as they did in the other), and
// that stands for it here.
inline constexpr const char* kDialogFaces[] = {"Tahoma", "MS Sans Serif"};
inline constexpr int kDialogFacePoints = 8;
inline constexpr int kFitDpis[] = {96, 120, 144, 192};

// How a control draws its text, which says how much of it the text may use.
enum class TextKind {
    Wrapped,  // a static text: word-wrapped within the control
    OneLine,  // a static text that never wraps (ellipsis styles), or a painted line
    Frame,    // a group box's caption over its frame line
    Choice,   // a check box or radio button: a mark, a gap, then the text
};

struct ShownText {
    int id;
    std::string text;
    TextKind kind;
    int width, height;  // the room, in pixels at the scale measured
    int margin = 0;     // pixels kept free at the left of the text
    bool prefixes = true;  // "&" marks the next letter, as a static draws it
};

// The texts of the window's shown children (those of a hidden page are not) that draw one, with their rooms
// as they are now.
std::vector<ShownText> ShownTexts(HWND window);

// The dialog font of `face` at `scale`, as a dialog made for that scale asks for it.
HFONT CreateDialogFont(const char* face, const DisplayScale& scale);

// Why `shown` does not fit when drawn with the font selected into `dc` at
// `scale`; empty when it fits.
std::string Misfit(HDC dc, const ShownText& shown, const DisplayScale& scale);

// The dialog base units of the font selected into `dc`, as the dialog manager
// works them out to size a template's controls.
SIZE DialogBaseUnits(HDC dc);

}  // namespace velnor::testing
