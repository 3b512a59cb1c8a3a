#include <gtest/gtest.h>

#include <string>

#include "ui/owner_draw_menu.h"

namespace velnor {
namespace {

TEST(MenuRecordId, MarksSubmenusOfTheTopLevel) {
    const struct {
        int32_t platformId;
        bool topLevel;
        int32_t record;
    } cases[] = {
        {143, true, 143}, {143, false, 143}, {0, true, 0},   {0, false, 0},
        {-1, true, -2},   {-1, false, -1},   {257, true, 257},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MenuRecordId(c.platformId, c.topLevel), c.record) << c.platformId << " " << c.topLevel;
}

TEST(MeasureMenuItem, CommandsSeparatorsAndSubmenus) {
    const struct {
        int32_t id;
        const char* text;
        int width, height;
    } cases[] = {
        {143, "Minimize", 90, 20},
        {145, "Exit", 90, 20},
        {257, "User Manual", 90, 20},
        {0, "", 90, 10},
        {-2, "Menu", 20, 20},      // 5 pixels per character
        {-2, "", 0, 20},
        {-1, "Recent", 60, 20},    // 10 pixels per character
        {-1, "Ayuda \xE6\x97\xA5\xE6\x9C\xAC", 80, 20},  // characters, not UTF-8 bytes
    };
    for (const auto& c : cases) {
        const MenuItemSize size = MeasureMenuItem(MenuItemRecord{c.id, c.text});
        EXPECT_EQ(size.width, c.width) << c.id << " " << c.text;
        EXPECT_EQ(size.height, c.height) << c.id << " " << c.text;
        // At 150 % every item is half as large again, rounded half up.
        const MenuItemSize scaled = MeasureMenuItem(MenuItemRecord{c.id, c.text}, DisplayScale::ForDpi(144));
        EXPECT_EQ(scaled.width, (c.width * 3 + 1) / 2) << c.id << " " << c.text;
        EXPECT_EQ(scaled.height, (c.height * 3 + 1) / 2) << c.id << " " << c.text;
    }
}

TEST(MenuLayout, SeparatorLineSitsInTheMiddleOfItsSlot) {
    const struct {
        MenuRect item;
        MenuRect line;
    } cases[] = {
        {{0, 20, 120, 30}, {22, 25, 118, 27}},
        {{3, 41, 93, 52}, {25, 46, 91, 48}},  // odd height: the middle rounds down
    };
    for (const auto& c : cases) {
        const MenuRect line = menu_layout::SeparatorLine(c.item);
        EXPECT_EQ(line.left, c.line.left);
        EXPECT_EQ(line.top, c.line.top);
        EXPECT_EQ(line.right, c.line.right);
        EXPECT_EQ(line.bottom, c.line.bottom);
    }
}

TEST(MenuLayout, IconColumnItemAreaAndText) {
    const MenuRect item{4, 40, 110, 60};
    const MenuRect icons = menu_layout::IconColumn(item);
    const MenuRect area = menu_layout::ItemArea(item);
    const MenuRect text = menu_layout::TextArea(item);
    EXPECT_EQ(icons.left, 4);
    EXPECT_EQ(icons.right, 24);
    EXPECT_EQ(area.left, 24);
    EXPECT_EQ(area.right, 110);
    EXPECT_EQ(text.left, 32);  // 28 pixels right of the item's edge
    EXPECT_EQ(text.right, 110);
    for (const MenuRect& r : {icons, area, text}) {
        EXPECT_EQ(r.top, 40);
        EXPECT_EQ(r.bottom, 60);
    }
    // At 200 % the column, the indent and the separator's inset double.
    const DisplayScale twice = DisplayScale::ForDpi(192);
    EXPECT_EQ(menu_layout::IconColumn(item, twice).right, 44);
    EXPECT_EQ(menu_layout::ItemArea(item, twice).left, 44);
    EXPECT_EQ(menu_layout::TextArea(item, twice).left, 60);
    const MenuRect line = menu_layout::SeparatorLine(MenuRect{0, 20, 120, 40}, twice);
    EXPECT_EQ(line.left, 44);
    EXPECT_EQ(line.right, 116);
    EXPECT_EQ(line.bottom - line.top, 4);
}

}  // namespace
}  // namespace velnor
