#include "ui/owner_draw_menu_win32.h"

#include "scan/utf8.h"

namespace velnor {

namespace {

constexpr int kMaxItemText = 256;

RECT ToRect(const MenuRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

void FillSolid(HDC dc, int left, int top, int right, int bottom, COLORREF color) {
    const RECT r = {left, top, right, bottom};
    UniqueBrush brush(::CreateSolidBrush(color));
    ::FillRect(dc, &r, brush.Get());
}

// A three-dimensional frame: top and left edges in one colour, bottom and
// right edges in the other, the bottom-right ones drawn last.
void Draw3dRect(HDC dc, const MenuRect& r, COLORREF topLeft, COLORREF bottomRight) {
    FillSolid(dc, r.left, r.top, r.right - 1, r.top + 1, topLeft);
    FillSolid(dc, r.left, r.top, r.left + 1, r.bottom - 1, topLeft);
    FillSolid(dc, r.right - 1, r.top, r.right, r.bottom, bottomRight);
    FillSolid(dc, r.left, r.bottom - 1, r.right, r.bottom, bottomRight);
}

void DrawSelectedBar(HDC dc, const MenuRect& r) {
    {
        UniquePen frame(::CreatePen(PS_SOLID, 1, menu_colors::kSelectedFrame));
        SelectedObject pen(dc, frame.Get());
        SelectedObject noFill(dc, ::GetStockObject(NULL_BRUSH));
        ::Rectangle(dc, r.left, r.top, r.right, r.bottom);
    }
    UniquePen bar(::CreatePen(PS_SOLID, 1, menu_colors::kSelectedBar));
    SelectedObject pen(dc, bar.Get());
    for (int x = r.left + 1; x < r.right - 1; ++x) {
        ::MoveToEx(dc, x, r.top + 1, nullptr);
        ::LineTo(dc, x, r.bottom - 1);
    }
}

}  // namespace

bool COwnerDrawMenu::LoadFromResource(int resourceId) {
    DestroyMenu();
    menu_.Reset(::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId)));
    if (!menu_) return false;
    MakeOwnerDrawn(menu_.Get(), true);
    return true;
}

void COwnerDrawMenu::DestroyMenu() {
    menu_.Reset();
    records_.clear();
}

void COwnerDrawMenu::MakeOwnerDrawn(HMENU menu, bool topLevel) {
    for (int position = 0; position < ::GetMenuItemCount(menu); ++position) {
        auto record = std::make_unique<MenuItemRecord>();
        record->id = MenuRecordId(static_cast<int32_t>(::GetMenuItemID(menu, position)), topLevel);
        char text[kMaxItemText] = {};
        ::GetMenuStringA(menu, position, text, kMaxItemText, MF_BYPOSITION);
        record->text = Utf8Prefix(text, kMaxItemText - 1);

        const LPCSTR data = reinterpret_cast<LPCSTR>(record.get());
        HMENU submenu = ::GetSubMenu(menu, position);
        if (submenu) {
            // Replaced without its handle the item would lose its submenu.
            ::ModifyMenuA(menu, position, MF_BYPOSITION | MF_OWNERDRAW | MF_POPUP,
                          reinterpret_cast<UINT_PTR>(submenu), data);
        } else {
            // A separator stays one, so that it can be neither chosen nor
            // reached with the arrow keys; it is still drawn here.
            const UINT separator = record->id == kMenuSeparatorId ? MF_SEPARATOR : 0;
            ::ModifyMenuA(menu, position, MF_BYPOSITION | MF_OWNERDRAW | separator,
                          static_cast<UINT_PTR>(static_cast<UINT>(record->id)), data);
        }
        MenuItemRecord* converted = record.get();
        records_.push_back(std::move(record));
        if (submenu) {
            if (converted->id != kMenuTopLevelSubmenuId && !topLevel) converted->id = kMenuSubmenuId;
            MakeOwnerDrawn(submenu, false);
        }
    }
}

const MenuItemRecord* COwnerDrawMenu::RecordOf(ULONG_PTR itemData) const {
    for (const auto& record : records_)
        if (reinterpret_cast<ULONG_PTR>(record.get()) == itemData) return record.get();
    return nullptr;
}

void COwnerDrawMenu::MeasureItem(MEASUREITEMSTRUCT& item) {
    if (item.CtlType != ODT_MENU) return;
    const MenuItemRecord* record = RecordOf(item.itemData);
    if (!record) return;
    const MenuItemSize size = MeasureMenuItem(*record, scale_);
    item.itemWidth = static_cast<UINT>(size.width);
    item.itemHeight = static_cast<UINT>(size.height);
}

void COwnerDrawMenu::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_MENU) return;
    HDC dc = item.hDC;
    ::SetBkMode(dc, TRANSPARENT);
    const MenuItemRecord* record = RecordOf(item.itemData);
    if (!record) return;
    const MenuRect rect{item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom};

    if (record->id == kMenuSeparatorId) {
        Draw3dRect(dc, menu_layout::SeparatorLine(rect, scale_), menu_colors::kSeparatorDark,
                   menu_colors::kSeparatorLight);
        return;
    }
    if (item.itemState & ODS_SELECTED) {
        DrawSelectedBar(dc, rect);
    } else {
        const MenuRect icons = menu_layout::IconColumn(rect, scale_);
        const MenuRect area = menu_layout::ItemArea(rect, scale_);
        FillSolid(dc, icons.left, icons.top, icons.right, icons.bottom, menu_colors::kIconColumn);
        FillSolid(dc, area.left, area.top, area.right, area.bottom, menu_colors::kItemArea);
    }
    RECT text = ToRect(menu_layout::TextArea(rect, scale_));
    ::DrawTextA(dc, record->text.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER);
}

}  // namespace velnor
