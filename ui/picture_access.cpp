#include "ui/picture_access.h"

namespace velnor {

PictureAccess DescribePicture(const DialogModel& dialog, int id) {
    const ControlState& s = dialog.StateOf(id);
    PictureAccess access;
    access.role = s.role;
    if (s.captionId != 0 && dialog.Has(s.captionId))
        access.name = dialog.StateOf(s.captionId).text;
    else if (!s.label.empty())
        access.name = s.label;
    else
        access.name = s.tooltip;
    const bool on = s.state == 1;
    switch (s.role) {
    case PictureRole::PushButton:
        // Disabled (0) and busy (3) buttons keep taking clicks, which their
        // commands then ignore; to the user they are unavailable.
        access.unavailable = s.state == 0 || s.state == 3;
        break;
    case PictureRole::PageTab:
        access.selected = on;
        break;
    case PictureRole::CheckBox:
    case PictureRole::RadioButton:
        access.checked = on;
        break;
    }
    return access;
}

}  // namespace velnor
