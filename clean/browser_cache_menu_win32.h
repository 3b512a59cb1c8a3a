#pragma once
// The menu of the browsers' cache folders under the Clean page's open-folder
// button: drawn like the program's other menus, but made from the folders
// found rather than from a resource, and as wide as its longest text.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "ui/gdi_handles_win32.h"
#include "ui/owner_draw_menu_win32.h"

namespace velnor {

class CBrowserCacheMenu : public COwnerDrawMenu {
public:
    // Pops the texts up under the bottom-left corner of a control, for the
    // owner window, which passes the menu's drawing messages on to this
    // object. Returns the index of the text chosen, nothing when the menu was
    // closed without a choice.
    std::optional<size_t> Choose(HWND owner, HWND anchor, const std::vector<std::string>& texts,
                                 const DisplayScale& scale);
    void MeasureItem(MEASUREITEMSTRUCT& item) override;

    // The popup while it is shown, for the tests.
    HMENU Popup() const { return popup_.Get(); }

private:
    UniqueMenu popup_;
    DisplayScale scale_;
};

}  // namespace velnor
