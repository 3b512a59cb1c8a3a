#pragma once
#include <vector>

#include "ui/control_model.h"

namespace velnor {

// The main window's layout at 100 %: where every control sits, and how each
// picture button looks, what it says and what it does.
void PlaceControls(DialogModel& controls);

struct PictureButton {
    int id;
    PictureKind kind;  // Pic: a CBitmapPic; PicEx: a CBitmapPicEx
};
const std::vector<PictureButton>& PictureButtons();

}  // namespace velnor
