#pragma once
#include <cstdint>
#include <string>

#include "ui/display_scale.h"

namespace velnor {

// Ids that a menu item record carries besides command ids.
constexpr int32_t kMenuSeparatorId = 0;
constexpr int32_t kMenuSubmenuId = -1;          // opens a submenu, below the top level
constexpr int32_t kMenuTopLevelSubmenuId = -2;  // opens a submenu, in the top level

// What the owner-drawn menu keeps of one item: its owner-draw data.
struct MenuItemRecord {
    int32_t id = 0;
    std::string text;
};

// The record id for an item whose platform id (GetMenuItemID) is given: the
// command id, 0 for a separator, -1 for an item that opens a submenu, which
// becomes -2 in the top level.
int32_t MenuRecordId(int32_t platformId, bool topLevel);

struct MenuItemSize {
    int width = 0;
    int height = 0;
};
MenuItemSize MeasureMenuItem(const MenuItemRecord& record, const DisplayScale& scale = DisplayScale());

struct MenuRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Where the parts of an item are drawn, from the item's rectangle; the
// lengths are those of a 96-DPI display, multiplied by the display scale.
namespace menu_layout {
constexpr int kIconColumnWidth = 20;
constexpr int kTextIndent = 8;  // from the icon column's edge
// The separator's etched line: two pixels high in the middle of its slot.
MenuRect SeparatorLine(const MenuRect& item, const DisplayScale& scale = DisplayScale());
MenuRect IconColumn(const MenuRect& item, const DisplayScale& scale = DisplayScale());
MenuRect ItemArea(const MenuRect& item, const DisplayScale& scale = DisplayScale());
MenuRect TextArea(const MenuRect& item, const DisplayScale& scale = DisplayScale());
}  // namespace menu_layout

// Colours as 0x00BBGGRR.
namespace menu_colors {
constexpr uint32_t Rgb(int r, int g, int b) {
    return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) | (static_cast<uint32_t>(b) << 16);
}
constexpr uint32_t kSeparatorDark = Rgb(64, 0, 128);
constexpr uint32_t kSeparatorLight = Rgb(255, 255, 255);
constexpr uint32_t kIconColumn = Rgb(219, 216, 209);
constexpr uint32_t kItemArea = Rgb(249, 248, 247);
constexpr uint32_t kSelectedFrame = Rgb(0, 0, 0);
constexpr uint32_t kSelectedBar = Rgb(220, 220, 220);
}  // namespace menu_colors

}  // namespace velnor
