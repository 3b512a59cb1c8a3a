#include "ui/gradient.h"

namespace velnor {

std::vector<GradientBand> GradientBands(int left, int right, Rgb start, Rgb end) {
    constexpr float kOneIn255 = 0.003921569f;
    const int width = right - left;
    const float step = static_cast<float>(width) * kOneIn255;
    std::vector<GradientBand> bands;
    bands.reserve(255);
    auto channel = [&](int from, int to, int i) {
        return static_cast<int>(static_cast<float>(from) +
                                static_cast<float>(to - from) * static_cast<float>(i) * kOneIn255);
    };
    for (int i = 0; i < 255; ++i) {
        GradientBand band;
        band.left = left + static_cast<int>(static_cast<float>(i) * step);
        band.right = left + static_cast<int>(static_cast<float>(i + 1) * step);
        band.color = Rgb{channel(start.red, end.red, i), channel(start.green, end.green, i),
                         channel(start.blue, end.blue, i)};
        bands.push_back(band);
    }
    return bands;
}

}  // namespace velnor
