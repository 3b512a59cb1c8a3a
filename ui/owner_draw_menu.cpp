#include "ui/owner_draw_menu.h"

#include "scan/utf8.h"

namespace velnor {

namespace {
constexpr int kItemWidth = 90;
constexpr int kItemHeight = 20;
constexpr int kSeparatorHeight = 10;
constexpr int kTopLevelCharWidth = 5;
constexpr int kSubmenuCharWidth = 10;
}  // namespace

int32_t MenuRecordId(int32_t platformId, bool topLevel) {
    if (topLevel && platformId < 0) return kMenuTopLevelSubmenuId;
    return platformId;
}

MenuItemSize MeasureMenuItem(const MenuItemRecord& record, const DisplayScale& scale) {
    MenuItemSize size{kItemWidth, kItemHeight};
    // Characters, not bytes: a letter outside ASCII is no wider for taking
    // two or three bytes of UTF-8.
    const int chars = static_cast<int>(Utf8CharCount(record.text));
    if (record.id == kMenuSeparatorId) size.height = kSeparatorHeight;
    if (record.id == kMenuTopLevelSubmenuId) size.width = kTopLevelCharWidth * chars;
    if (record.id == kMenuSubmenuId) size.width = kSubmenuCharWidth * chars;
    return MenuItemSize{scale.Px(size.width), scale.Px(size.height)};
}

namespace menu_layout {

MenuRect SeparatorLine(const MenuRect& item, const DisplayScale& scale) {
    const int middle = item.top + (item.bottom - item.top) / 2;
    return MenuRect{item.left + scale.Px(22), middle, item.right - scale.Px(2), middle + scale.Px(2)};
}

MenuRect IconColumn(const MenuRect& item, const DisplayScale& scale) {
    return MenuRect{item.left, item.top, item.left + scale.Px(kIconColumnWidth), item.bottom};
}

MenuRect ItemArea(const MenuRect& item, const DisplayScale& scale) {
    return MenuRect{item.left + scale.Px(kIconColumnWidth), item.top, item.right, item.bottom};
}

MenuRect TextArea(const MenuRect& item, const DisplayScale& scale) {
    return MenuRect{item.left + scale.Px(kIconColumnWidth + kTextIndent), item.top, item.right, item.bottom};
}

}  // namespace menu_layout

}  // namespace velnor
