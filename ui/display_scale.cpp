#include "ui/display_scale.h"

#include <cstdlib>

namespace velnor {

DisplayScale DisplayScale::ForDpi(int dpi) {
    DisplayScale chosen;
    int step = 0;
    for (int percent : kDrawnScales) {
        if (percent * kBaseDpi <= dpi * 100) chosen = DisplayScale(percent, step);
        ++step;
    }
    return chosen;
}

int DisplayScale::Px(int length) const {
    // Half up for both signs, so that a negative offset mirrors a positive one.
    const long long scaled = static_cast<long long>(std::llabs(length)) * percent_ + 50;
    const int magnitude = static_cast<int>(scaled / 100);
    return length < 0 ? -magnitude : magnitude;
}

int DisplayScale::PictureId(int baseId) const { return baseId + step_ * kScaledPictureIdStep; }

int DisplayScale::FontHeight(int points) const {
    // As MulDiv(points, dpi, 72) rounds: an 8-point font is 11 pixels at 96 DPI.
    return -((points * Dpi() * 2 + 72) / 144);
}

}  // namespace velnor
