#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "ui/gdi_handles_win32.h"
#include "ui/owner_draw_menu.h"

namespace velnor {

// A popup menu painted by the program in the skin's flat look: a light icon
// column, a light item area, a framed grey bar under the selected item and an
// etched separator. It owns the menu it loads and one record per item, which
// is the item's owner-draw data; records and menu go together.
class COwnerDrawMenu {
public:
    COwnerDrawMenu() = default;
    virtual ~COwnerDrawMenu() = default;
    COwnerDrawMenu(const COwnerDrawMenu&) = delete;
    COwnerDrawMenu& operator=(const COwnerDrawMenu&) = delete;

    // In the order of the framework menu's virtual slots.
    virtual void DrawItem(const DRAWITEMSTRUCT& item);
    virtual void MeasureItem(MEASUREITEMSTRUCT& item);

    // Loads a menu resource of the program in place of the menu held now and
    // converts every item. False when the resource cannot be loaded; the
    // object then holds no menu.
    bool LoadFromResource(int resourceId);
    // Converts the items of `menu`, at any depth, to owner-drawn items.
    void MakeOwnerDrawn(HMENU menu, bool topLevel);
    void DestroyMenu();
    // The display scale that the items are measured and drawn for.
    void SetScale(const DisplayScale& scale) { scale_ = scale; }

    HMENU Handle() const { return menu_.Get(); }
    // The popup under the first top-level item: the one that is shown.
    HMENU Popup() const { return menu_ ? ::GetSubMenu(menu_.Get(), 0) : nullptr; }
    // The record behind an item's owner-draw data, or null when the data is
    // not one of this menu's records.
    const MenuItemRecord* RecordOf(ULONG_PTR itemData) const;
    size_t RecordCount() const { return records_.size(); }

private:
    UniqueMenu menu_;
    std::vector<std::unique_ptr<MenuItemRecord>> records_;
    DisplayScale scale_;
};

}  // namespace velnor
