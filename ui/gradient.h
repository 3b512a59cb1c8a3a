#pragma once
#include <cstdint>
#include <vector>

namespace velnor {

struct Rgb {
    int red = 0, green = 0, blue = 0;
    bool operator==(const Rgb& o) const { return red == o.red && green == o.green && blue == o.blue; }
};

struct GradientBand {
    int left, right;  // x from left up to (not including) right; may be empty
    Rgb color;
};

// The 255 bands of a horizontal gradient, worked out in single precision the
// way the status line of the Clean page has always been painted: the end colour
// itself is never reached, and a narrow rectangle has empty bands.
std::vector<GradientBand> GradientBands(int left, int right, Rgb start, Rgb end);

}  // namespace velnor
