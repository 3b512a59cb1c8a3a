#pragma once
#include <cstdint>
#include <string>

namespace velnor {

// What a link label shows and opens. The owner sets the target and the
// colours (0x00BBGGRR); the label keeps the pointer and visit states.
struct LinkLabelState {
    std::string target;
    uint32_t normalColor = 0;
    uint32_t hoverColor = 0;
    uint32_t visitedColor = 0;
    bool hovered = false;
    bool visited = false;  // never cleared while the window lives

    // A visited link keeps its visited colour under the pointer too.
    uint32_t TextColor() const { return visited ? visitedColor : hovered ? hoverColor : normalColor; }
};

}  // namespace velnor
