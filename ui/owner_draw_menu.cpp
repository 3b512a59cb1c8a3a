#include "ui/owner_draw_menu.h"

#include "ui/utf8.h"

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

MenuItemSize MeasureMenuItem(const MenuItemRecord& record) {
    MenuItemSize size{kItemWidth, kItemHeight};
    // Characters, not bytes: a letter outside ASCII is no wider for taking
    // two or three bytes of UTF-8.
    const int chars = static_cast<int>(Utf8CharCount(record.text));
    if (record.id == kMenuSeparatorId) size.height = kSeparatorHeight;
    if (record.id == kMenuTopLevelSubmenuId) size.width = kTopLevelCharWidth * chars;
    if (record.id == kMenuSubmenuId) size.width = kSubmenuCharWidth * chars;
    return size;
}

namespace menu_layout {

MenuRect SeparatorLine(const MenuRect& item) {
    const int middle = item.top + (item.bottom - item.top) / 2;
    return MenuRect{item.left + 22, middle, item.right - 2, middle + 2};
}

MenuRect IconColumn(const MenuRect& item) {
    return MenuRect{item.left, item.top, item.left + kIconColumnWidth, item.bottom};
}

MenuRect ItemArea(const MenuRect& item) {
    return MenuRect{item.left + kIconColumnWidth, item.top, item.right, item.bottom};
}

MenuRect TextArea(const MenuRect& item) {
    return MenuRect{item.left + kIconColumnWidth + kTextIndent, item.top, item.right, item.bottom};
}

}  // namespace menu_layout

}  // namespace velnor
