#include "ui/bitmap_pic.h"

namespace velnor {

PointerOutcome OnPicturePointerMove(Control button, bool pointerOverSelf) {
    PointerOutcome outcome;
    const ControlState& s = button.State();
    if (!s.hoverTracking || (s.kind == PictureKind::PicEx && s.state == 0)) {
        outcome.release = true;
        return outcome;
    }
    if (pointerOverSelf) {
        outcome.trackLeave = true;
        if (s.kind == PictureKind::Pic) {
            if (s.state != 1) {
                button.SetButtonState(2);
                button.ShowPicture(s.pictures[1]);
                outcome.handCursor = true;
                outcome.capture = true;
            }
        } else if (s.state == 1) {
            button.SetButtonState(2);
            button.ShowPicture(s.pictures[1]);
            outcome.handCursor = true;
            outcome.capture = true;
        }
        return outcome;
    }
    if (s.state == 2) {
        if (s.kind == PictureKind::Pic) {
            button.SetButtonState(0);
            button.ShowPicture(s.pictures[0]);
        } else {
            button.SetButtonState(1);
            button.ShowPicture(s.pictures[2]);
        }
    }
    outcome.release = true;
    return outcome;
}

}  // namespace velnor
