#include "ui/header_ctrl_win32.h"

#include <string>

#include "scan/utf8.h"
#include "ui/gdi_handles_win32.h"

namespace velnor {

const RuntimeClass CMyHeaderCtrlEx::kRuntimeClass = {"CMyHeaderCtrlEx", &CWindow::kRuntimeClass};

namespace {
// The longest heading text that a header item is drawn with.
constexpr int kHeadingChars = 254;
}  // namespace

void CMyHeaderCtrlEx::Serialize(CArchive& archive) {
    const int count = ItemCount();
    if (archive.IsStoring()) {
        archive.WriteInt32(count);
        for (int i = 0; i < count; ++i) {
            HDITEMA item = {};
            item.mask = HDI_WIDTH;
            Header_GetItem(hwnd_, i, &item);
            archive.WriteInt32(item.cxy);
        }
        return;
    }
    int32_t stored = 0;
    if (!archive.ReadInt32(stored) || stored != count) return;
    for (int i = 0; i < count; ++i) {
        int32_t width = 0;
        if (!archive.ReadInt32(width)) return;
        HDITEMA item = {};
        item.mask = HDI_WIDTH;
        item.cxy = width;
        Header_SetItem(hwnd_, i, &item);
    }
}

bool CMyHeaderCtrlEx::HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

void CMyHeaderCtrlEx::SetSortImage(int column, bool ascending, bool hide) {
    sortColumn = column;
    sortAscending = ascending ? 1 : 0;
    hideArrow = hide ? 1 : 0;
    if (!hwnd_) return;
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    if (Header_GetItem(hwnd_, column, &item)) {
        item.fmt |= HDF_OWNERDRAW;
        Header_SetItem(hwnd_, column, &item);
    }
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void CMyHeaderCtrlEx::DrawItem(const DRAWITEMSTRUCT& draw) {
    HDC dc = draw.hDC;
    SavedDc saved(dc);
    RECT r = draw.rcItem;
    ::IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));

    char buffer[kHeadingChars + 1] = {};
    HDITEMA item = {};
    item.mask = HDI_TEXT | HDI_FORMAT;
    item.pszText = buffer;
    item.cchTextMax = kHeadingChars;
    Header_GetItem(hwnd_, draw.itemID, &item);
    // A heading longer than the buffer comes back cut wherever the buffer ends.
    const std::string text = Utf8Prefix(buffer, kHeadingChars);

    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    if ((item.fmt & HDF_JUSTIFYMASK) == HDF_CENTER)
        format |= DT_CENTER;
    else if ((item.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT)
        format |= DT_RIGHT;
    else
        format |= DT_LEFT;

    const int q = (r.bottom - r.top) / 4;
    const bool isSortColumn = static_cast<int>(draw.itemID) == sortColumn;
    RECT textRect = r;
    textRect.left += q;
    textRect.right -= q;
    if (isSortColumn) textRect.right -= q;
    if (draw.itemState & ODS_SELECTED) ::OffsetRect(&textRect, 1, 2);
    if (textRect.right > textRect.left) {
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
        ::DrawTextA(dc, text.c_str(), -1, &textRect, format);
    }

    if (isSortColumn && !hideArrow) {
        const int R = r.right;
        const int B = r.bottom;
        UniquePen light(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_3DHILIGHT)));
        UniquePen shadow(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_3DSHADOW)));
        if (sortAscending) {
            SelectedObject pen(dc, light.Get());
            ::MoveToEx(dc, R - 2 * q, q, nullptr);
            ::LineTo(dc, R - q, B - q - 1);
            ::LineTo(dc, R - 3 * q - 2, B - q - 1);
            SelectedObject pen2(dc, shadow.Get());
            ::MoveToEx(dc, R - 3 * q - 1, B - q - 1, nullptr);
            ::LineTo(dc, R - 2 * q, q - 1);
        } else {
            SelectedObject pen(dc, light.Get());
            ::MoveToEx(dc, R - q - 1, q, nullptr);
            ::LineTo(dc, R - 2 * q - 1, B - q);
            SelectedObject pen2(dc, shadow.Get());
            ::MoveToEx(dc, R - 2 * q - 2, B - q, nullptr);
            ::LineTo(dc, R - 3 * q - 1, q);
            ::LineTo(dc, R - q - 1, q);
        }
    }
}

}  // namespace velnor
