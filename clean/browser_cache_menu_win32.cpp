#include "clean/browser_cache_menu_win32.h"

namespace velnor {

namespace {

// Room beside the text: the icon column, the text's indent and a margin
// after it, at 96 DPI.
constexpr int kRoomBesideText = menu_layout::kIconColumnWidth + menu_layout::kTextIndent + 16;

// The width of a text in the font that menus are drawn with.
int MenuTextWidth(const std::string& text) {
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    UniqueFont menuFont;
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        menuFont.Reset(::CreateFontIndirectA(&metrics.lfMenuFont));
    UniqueDc dc(::CreateCompatibleDC(nullptr));
    if (!dc) return 0;
    const SelectedObject font(dc.Get(), menuFont ? menuFont.Get() : ::GetStockObject(DEFAULT_GUI_FONT));
    RECT bounds = {};
    ::DrawTextA(dc.Get(), text.c_str(), -1, &bounds, DT_SINGLELINE | DT_CALCRECT);
    return bounds.right - bounds.left;
}

}  // namespace

std::optional<size_t> CBrowserCacheMenu::Choose(HWND owner, HWND anchor, const std::vector<std::string>& texts,
                                                const DisplayScale& scale) {
    DestroyMenu();
    popup_.Reset(::CreatePopupMenu());
    if (!popup_ || texts.empty()) return std::nullopt;
    // Command ids from 1: TrackPopupMenu answers 0 for no choice.
    for (size_t i = 0; i < texts.size(); ++i)
        ::AppendMenuA(popup_.Get(), MF_STRING, static_cast<UINT_PTR>(i + 1), texts[i].c_str());
    scale_ = scale;
    SetScale(scale);
    MakeOwnerDrawn(popup_.Get(), false);

    RECT under = {};
    ::GetWindowRect(anchor, &under);
    const int chosen = ::TrackPopupMenu(popup_.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                        under.left, under.bottom, 0, owner, nullptr);
    DestroyMenu();
    popup_.Reset();
    if (chosen <= 0 || static_cast<size_t>(chosen) > texts.size()) return std::nullopt;
    return static_cast<size_t>(chosen - 1);
}

void CBrowserCacheMenu::MeasureItem(MEASUREITEMSTRUCT& item) {
    COwnerDrawMenu::MeasureItem(item);
    if (item.CtlType != ODT_MENU) return;
    const MenuItemRecord* record = RecordOf(item.itemData);
    if (!record) return;
    const int wide = MenuTextWidth(record->text) + scale_.Px(kRoomBesideText);
    if (wide > static_cast<int>(item.itemWidth)) item.itemWidth = static_cast<UINT>(wide);
}

}  // namespace velnor
