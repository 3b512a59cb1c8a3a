#include "ui/list_ctrl_win32.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "ui/utf8.h"

namespace velnor {

const RuntimeClass CMyHeaderCtrlEx::kRuntimeClass = {"CMyHeaderCtrlEx", &CWindow::kRuntimeClass};
const RuntimeClass CMyListCtrlEx::kRuntimeClass = {"CMyListCtrlEx", &CWindow::kRuntimeClass};

namespace {

// Changes of the control that come from the model must not travel back into it.
class SyncScope {
public:
    explicit SyncScope(int& depth) : depth_(depth) { ++depth_; }
    ~SyncScope() { --depth_; }
    SyncScope(const SyncScope&) = delete;
    SyncScope& operator=(const SyncScope&) = delete;

private:
    int& depth_;
};

UINT CheckState(bool checked) { return INDEXTOSTATEIMAGEMASK(checked ? 2 : 1); }

// Appended rows reach the list view at most this often (milliseconds). Each
// time it brings its scroll bar up to date, which costs far more than adding a
// row, so a scan that adds rows in every folder would otherwise spend most of
// its time there.
constexpr DWORD kShowInterval = 500;
constexpr UINT_PTR kShowTimer = 0x5601;

// The longest heading text that a header item is drawn with.
constexpr int kHeadingChars = 254;

}  // namespace

// ---------------------------------------------------------------- header

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

// ---------------------------------------------------------------- list

CMyListCtrlEx::~CMyListCtrlEx() {
    if (model_ && model_->Observer() == this) model_->SetObserver(nullptr);
    if (showTimer_ && hwnd_) ::KillTimer(hwnd_, kShowTimer);
}

void CMyListCtrlEx::PreSubclassControl() {
    // The image lists belong to this object, not to the list view.
    ::SetWindowLongPtrA(hwnd_, GWL_STYLE, ::GetWindowLongPtrA(hwnd_, GWL_STYLE) | LVS_SHAREIMAGELISTS);
    header_.SubclassControl(ListView_GetHeader(hwnd_));
}

void CMyListCtrlEx::Bind(ListModel* model) {
    if (model_ && model_->Observer() == this) model_->SetObserver(nullptr);
    model_ = model;
    pendingFrom_ = -1;
    if (!model_) return;
    model_->SetObserver(this);
    OnColumnsChanged();
    OnRowsReset();
    OnHeaderChanged();
}

void CMyListCtrlEx::BeginUpdate() {
    if (updateDepth_++ == 0) ::SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
}

void CMyListCtrlEx::EndUpdate() {
    if (updateDepth_ == 0 || --updateDepth_ != 0) return;
    ::SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void CMyListCtrlEx::OnColumnsChanged() {
    if (!hwnd_ || !model_) return;
    SyncScope sync(syncing_);
    DWORD styles = 0;
    if (model_->HasCheckBoxes()) styles |= LVS_EX_CHECKBOXES;
    if (model_->HasFullRowSelect()) styles |= LVS_EX_FULLROWSELECT;
    ListView_SetExtendedListViewStyleEx(hwnd_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT, styles);

    const std::vector<ListColumn>& columns = model_->Columns();
    const int shown = header_.ItemCount();
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        column.fmt = columns[i].align == ColumnAlign::Right    ? LVCFMT_RIGHT
                     : columns[i].align == ColumnAlign::Center ? LVCFMT_CENTER
                                                                 : LVCFMT_LEFT;
        column.cx = columns[i].width;
        column.pszText = const_cast<char*>(columns[i].heading.c_str());
        column.iSubItem = i;
        if (i < shown)
            ListView_SetColumn(hwnd_, i, &column);
        else
            ListView_InsertColumn(hwnd_, i, &column);
    }

    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    const ImageStrip small = model_->SmallImages();
    if (small && small.resourceId != rowImagesId_) {
        rowImages_ = LoadImageStrip(instance, small.resourceId, small.size, 4);
        rowImagesId_ = small.resourceId;
        ListView_SetImageList(hwnd_, rowImages_.Get(), LVSIL_SMALL);
    }
    const ImageStrip headerStrip = model_->HeaderImages();
    if (headerStrip && headerStrip.resourceId != headerImagesId_) {
        headerImages_ = LoadImageStrip(instance, headerStrip.resourceId, headerStrip.size, 3);
        headerImagesId_ = headerStrip.resourceId;
        Header_SetImageList(header_.Hwnd(), headerImages_.Get());
    }
}

void CMyListCtrlEx::WriteRow(int index, bool insert) {
    const ListRow& row = model_->Row(index);
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = index;
    item.pszText = const_cast<char*>(row.cells.empty() ? "" : row.cells[0].c_str());
    item.iImage = row.image;
    item.lParam = static_cast<LPARAM>(row.itemData);
    if (insert)
        ListView_InsertItem(hwnd_, &item);
    else
        ListView_SetItem(hwnd_, &item);
    for (size_t column = 1; column < row.cells.size(); ++column)
        ListView_SetItemText(hwnd_, index, static_cast<int>(column), const_cast<char*>(row.cells[column].c_str()));
    UINT state = row.selected ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    UINT mask = LVIS_SELECTED | LVIS_FOCUSED;
    if (model_->HasCheckBoxes()) {
        state |= CheckState(row.checked);
        mask |= LVIS_STATEIMAGEMASK;
    }
    ListView_SetItemState(hwnd_, index, state, mask);
}

void CMyListCtrlEx::OnRowsReset() {
    if (!hwnd_ || !model_) return;
    pendingFrom_ = -1;
    SyncScope sync(syncing_);
    BeginUpdate();
    ListView_DeleteAllItems(hwnd_);
    ListView_SetItemCount(hwnd_, model_->RowCount());
    for (int i = 0; i < model_->RowCount(); ++i) WriteRow(i, true);
    EndUpdate();
}

void CMyListCtrlEx::OnRowInserted(int row) {
    if (!hwnd_) return;
    if (pendingFrom_ >= 0) {
        // Inside the rows still to be shown, or before them.
        if (row < pendingFrom_) {
            SyncScope sync(syncing_);
            WriteRow(row, true);
            ++pendingFrom_;
        }
        ShowAppendedRows();
        return;
    }
    SyncScope sync(syncing_);
    WriteRow(row, true);
}

void CMyListCtrlEx::OnRowsAppended(int first, int count) {
    if (!hwnd_ || !model_ || count <= 0) return;
    if (pendingFrom_ < 0) pendingFrom_ = first;
    if (::GetTickCount() - lastShown_ >= kShowInterval) {
        ShowAppendedRows();
    } else if (!showTimer_) {
        showTimer_ = ::SetTimer(hwnd_, kShowTimer, kShowInterval, nullptr) != 0;
        if (!showTimer_) ShowAppendedRows();
    }
}

void CMyListCtrlEx::OnAppendsFinished() { ShowAppendedRows(); }

void CMyListCtrlEx::ShowAppendedRows() {
    if (showTimer_) {
        ::KillTimer(hwnd_, kShowTimer);
        showTimer_ = false;
    }
    if (pendingFrom_ < 0 || !hwnd_ || !model_) return;
    const int first = pendingFrom_;
    pendingFrom_ = -1;
    lastShown_ = ::GetTickCount();
    if (first >= model_->RowCount()) return;
    SyncScope sync(syncing_);
    ListView_SetItemCount(hwnd_, model_->RowCount());
    BeginUpdate();
    for (int row = first; row < model_->RowCount(); ++row) WriteRow(row, true);
    EndUpdate();
}

void CMyListCtrlEx::OnRowDeleted(int row) {
    if (!hwnd_) return;
    if (pendingFrom_ >= 0) {
        // A row not shown yet needs nothing more than the rest being shown.
        if (row < pendingFrom_) {
            SyncScope sync(syncing_);
            ListView_DeleteItem(hwnd_, row);
            --pendingFrom_;
        }
        ShowAppendedRows();
        return;
    }
    SyncScope sync(syncing_);
    ListView_DeleteItem(hwnd_, row);
}

void CMyListCtrlEx::OnRowChanged(int row) {
    if (!hwnd_ || syncing_) return;
    ShowAppendedRows();
    SyncScope sync(syncing_);
    WriteRow(row, false);
}

void CMyListCtrlEx::OnHeaderChanged() {
    if (!hwnd_ || !model_) return;
    ShowAppendedRows();
    const HeaderState& state = model_->Header();
    header_.sortColumn = state.sortColumn;
    header_.sortAscending = state.sortAscending ? 1 : 0;
    header_.hideArrow = state.hideArrow ? 1 : 0;
    const int count = header_.ItemCount();
    for (int i = 0; i < count; ++i) {
        HDITEMA item = {};
        item.mask = HDI_FORMAT | HDI_IMAGE;
        Header_GetItem(header_.Hwnd(), i, &item);
        if (state.IsOwnerDrawn(i)) item.fmt |= HDF_OWNERDRAW;
        if (i == 0 && state.checkImage >= 0) {
            item.fmt |= HDF_IMAGE;
            item.iImage = state.checkImage;
        }
        Header_SetItem(header_.Hwnd(), i, &item);
    }
    ::InvalidateRect(header_.Hwnd(), nullptr, TRUE);
}

bool CMyListCtrlEx::OnReflectedNotify(NMHDR* header, LRESULT& result) {
    if (!model_) return false;
    switch (header->code) {
    case LVN_COLUMNCLICK: {
        const NMLISTVIEW* nm = reinterpret_cast<NMLISTVIEW*>(header);
        model_->OnColumnClick(nm->iSubItem);
        result = 0;
        return true;
    }
    case LVN_ITEMCHANGED: {
        const NMLISTVIEW* nm = reinterpret_cast<NMLISTVIEW*>(header);
        if (syncing_ || !(nm->uChanged & LVIF_STATE)) return false;
        if (nm->iItem == -1) {
            // One change for every row at once (all deselected, all checked);
            // its state fields need not say what each row was before.
            TakeRowStatesFromView();
            result = 0;
            return true;
        }
        if (nm->iItem < 0 || nm->iItem >= model_->RowCount()) return false;
        SyncScope sync(syncing_);
        const UINT changed = nm->uNewState ^ nm->uOldState;
        if ((changed & LVIS_STATEIMAGEMASK) && model_->HasCheckBoxes()) {
            const UINT image = (nm->uNewState & LVIS_STATEIMAGEMASK) >> 12;
            if (image != 0) model_->SetChecked(nm->iItem, image == 2);
        }
        if (changed & LVIS_SELECTED) model_->SetSelected(nm->iItem, (nm->uNewState & LVIS_SELECTED) != 0);
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

void CMyListCtrlEx::TakeRowStatesFromView() {
    SyncScope sync(syncing_);
    // Rows still waiting to be shown are not in the view and keep their state.
    const int shown = std::min(ListView_GetItemCount(hwnd_), model_->RowCount());
    for (int row = 0; row < shown; ++row) {
        const UINT state = ListView_GetItemState(hwnd_, row, LVIS_SELECTED | LVIS_STATEIMAGEMASK);
        const UINT image = (state & LVIS_STATEIMAGEMASK) >> 12;
        if (model_->HasCheckBoxes() && image != 0) model_->SetChecked(row, image == 2);
        model_->SetSelected(row, (state & LVIS_SELECTED) != 0);
    }
}

bool CMyListCtrlEx::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_TIMER:
        if (wParam != kShowTimer) return false;
        ShowAppendedRows();
        result = 0;
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        // The list view toggles the check box first; the totals follow from it.
        result = Default();
        if (model_) model_->OnMouseButton(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return true;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        result = 0;
        return true;
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (draw->CtlType != ODT_HEADER || draw->hwndItem != header_.Hwnd()) return false;
        header_.DrawItem(*draw);
        result = TRUE;
        return true;
    }
    default:
        return false;
    }
}

}  // namespace velnor
