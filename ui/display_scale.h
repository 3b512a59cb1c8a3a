#pragma once

// The window is laid out in the pixels of a 96-DPI display. At a higher
// display scale every length is multiplied by the scale and rounded half up,
// one length at a time: a control at (x, y) of w x h lands at (Px(x), Px(y))
// with the size Px(w) x Px(h), and the picture generator draws each picture
// at exactly that size, so that nothing is stretched.
//
// The pictures are drawn for a few scales only; a display between them uses
// the largest drawn scale that does not exceed it.

namespace velnor {

// The display scales that the pictures are drawn for, in per cent of 96 DPI.
constexpr int kDrawnScales[] = {100, 125, 150, 175, 200};
constexpr int kBaseDpi = 96;

// A picture drawn for the n-th scale of kDrawnScales (n from 1) has the
// resource id of its 100 % picture plus n times this step.
constexpr int kScaledPictureIdStep = 1000;

class DisplayScale {
public:
    // The scale drawn for a display of the given DPI.
    static DisplayScale ForDpi(int dpi);
    constexpr DisplayScale() = default;

    int Percent() const { return percent_; }
    int Dpi() const { return percent_ * kBaseDpi / 100; }
    bool IsBase() const { return percent_ == 100; }

    // A length of the 96-DPI layout at this scale, rounded half up.
    int Px(int length) const;
    // The resource id of the picture drawn for this scale.
    int PictureId(int baseId) const;
    // The character height (a negative lfHeight) of a font of this many points.
    int FontHeight(int points) const;

private:
    constexpr explicit DisplayScale(int percent, int step) : percent_(percent), step_(step) {}
    int percent_ = 100;
    int step_ = 0;
};

}  // namespace velnor
