#pragma once
#include "ui/control_model.h"

namespace velnor {

// What a picture button asks of the window manager after a pointer move.
struct PointerOutcome {
    bool capture = false;     // keep receiving moves after the pointer has left
    bool release = false;     // give the mouse capture back
    bool handCursor = false;  // show the hand
    bool trackLeave = false;  // ask to be told when the pointer leaves
};

// The hover rules of the two kinds of picture button. A CBitmapPic (page button)
// lights up over states 0 and 2 and keeps its selected look; a CBitmapPicEx
// (push button) lights up only from its normal state. The button's state and
// picture in the model change as the rules say.
PointerOutcome OnPicturePointerMove(Control button, bool pointerOverSelf);

}  // namespace velnor
