#include "ui/list_ctrl_win32.h"

#include "ui/dpi_win32.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "scan/utf8.h"

namespace velnor {

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

// Even taken without drawing, a new row count costs the list view some
// milliseconds under Wine, more than reading a folder, and the new rows and
// the bar are drawn after it. Rows appended one folder after another reach
// the count at most this often (milliseconds); before the list view handles
// anything else it is brought up to date, so it never paints, answers or
// hit-tests with a stale count.
constexpr DWORD kCountInterval = 1000;
constexpr UINT_PTR kCountTimer = 0x5601;

// Copies a cell's text into the list view's buffer, cut short at a character
// boundary when the buffer is too small.
void CopyText(const std::string& text, char* buffer, int size) {
    if (!buffer || size <= 0) return;
    const std::string shown = Utf8Prefix(text, static_cast<size_t>(size - 1));
    std::memcpy(buffer, shown.data(), shown.size());
    buffer[shown.size()] = '\0';
}

void CopyText(const std::string& text, wchar_t* buffer, int size) {
    if (!buffer || size <= 0) return;
    std::wstring wide(text.size(), L'\0');
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                             static_cast<int>(wide.size()));
    size_t n = std::min(static_cast<size_t>(std::max(length, 0)), static_cast<size_t>(size - 1));
    if (n > 0 && n < static_cast<size_t>(length) && wide[n - 1] >= 0xD800 && wide[n - 1] <= 0xDBFF) --n;
    std::wmemcpy(buffer, wide.data(), n);
    buffer[n] = L'\0';
}

}  // namespace

CMyListCtrlEx::~CMyListCtrlEx() {
    if (model_ && model_->Observer() == this) model_->SetObserver(nullptr);
    if (countTimer_ && hwnd_) ::KillTimer(hwnd_, kCountTimer);
}

void CMyListCtrlEx::PreSubclassControl() {
    // The image lists belong to this object, not to the list view.
    ::SetWindowLongPtrA(hwnd_, GWL_STYLE, ::GetWindowLongPtrA(hwnd_, GWL_STYLE) | LVS_SHAREIMAGELISTS);
    header_.SubclassControl(ListView_GetHeader(hwnd_));
    redraw_.Attach(hwnd_, header_.Hwnd());
}

void CMyListCtrlEx::Bind(CheckListModel* model) {
    if (model_ && model_->Observer() == this) model_->SetObserver(nullptr);
    model_ = model;
    countBehind_ = false;
    if (!model_) return;
    model_->SetObserver(this);
    OnColumnsChanged();
    OnRowsReset();
    SyncScope sync(syncing_);
    redraw_.MeasureRows();
}

void CMyListCtrlEx::OnColumnsChanged() {
    if (!hwnd_ || !model_) return;
    SyncScope sync(syncing_);
    DWORD styles = 0;
    if (model_->HasCheckBoxes()) styles |= LVS_EX_CHECKBOXES;
    if (model_->HasFullRowSelect()) styles |= LVS_EX_FULLROWSELECT;
    ListView_SetExtendedListViewStyleEx(hwnd_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT, styles);
    // The check boxes are the model's: the list view asks for them with the texts.
    ListView_SetCallbackMask(hwnd_, model_->HasCheckBoxes() ? LVIS_STATEIMAGEMASK : 0);

    const std::vector<ListColumn>& columns = model_->Columns();
    const int shown = header_.ItemCount();
    const DisplayScale scale = ScaleOfWindow(hwnd_);
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        column.fmt = columns[i].align == ColumnAlign::Right    ? LVCFMT_RIGHT
                     : columns[i].align == ColumnAlign::Center ? LVCFMT_CENTER
                                                                 : LVCFMT_LEFT;
        column.cx = scale.Px(columns[i].width);
        column.pszText = const_cast<char*>(columns[i].heading.c_str());
        column.iSubItem = i;
        if (i < shown)
            ListView_SetColumn(hwnd_, i, &column);
        else
            ListView_InsertColumn(hwnd_, i, &column);
    }

    const ImageStrip small = model_->SmallImages();
    if (small && (small.resourceId != rowImagesId_ || scale.Percent() != imagesPercent_)) {
        rowImages_ = LoadImageStrip(small.resourceId, small.size, 4, scale);
        rowImagesId_ = small.resourceId;
        ListView_SetImageList(hwnd_, rowImages_.Get(), LVSIL_SMALL);
    }
    const ImageStrip headerStrip = model_->HeaderImages();
    if (headerStrip && (headerStrip.resourceId != headerImagesId_ || scale.Percent() != imagesPercent_)) {
        headerImages_ = LoadImageStrip(headerStrip.resourceId, headerStrip.size, 3, scale);
        headerImagesId_ = headerStrip.resourceId;
        Header_SetImageList(header_.Hwnd(), headerImages_.Get());
    }
    imagesPercent_ = scale.Percent();
    // A column's new format is the whole of its heading's format: the check
    // image and the owner drawing of the sort arrow go back on.
    OnHeaderChanged();
}

void CMyListCtrlEx::OnScaleChanged() {
    if (!hwnd_ || !model_) return;
    const int from = imagesPercent_;
    std::vector<int> widths;
    for (int i = 0; i < header_.ItemCount(); ++i) widths.push_back(ListView_GetColumnWidth(hwnd_, i));
    OnColumnsChanged();
    // Widths the user dragged keep their share of the list. They go through
    // their 100 % length, so that a column comes back to its width when the
    // scale does.
    const DisplayScale scale = ScaleOfWindow(hwnd_);
    for (int i = 0; i < static_cast<int>(widths.size()); ++i)
        ListView_SetColumnWidth(hwnd_, i, scale.Px(::MulDiv(widths[i], 100, from)));
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void CMyListCtrlEx::OnRowsReset() {
    if (!hwnd_ || !model_) return;
    SyncScope sync(syncing_);
    countBehind_ = false;
    // A sort or a check-all keeps the count, and the scroll bars need no redraw.
    if (ListView_GetItemCount(hwnd_) != model_->RowCount())
        ListView_SetItemCountEx(hwnd_, model_->RowCount(), LVSICF_NOSCROLL);
    ShowSelection();
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

// Rows arrive while a scan walks; the list takes its new count on a timer,
// that is while the window answers its messages, and at most once in
// kCountInterval: a new count costs the list about a frame under Wine.
void CMyListCtrlEx::OnRowsAppended(int, int) {
    if (!hwnd_ || !model_) return;
    countBehind_ = true;
    if (countTimer_) return;
    const DWORD since = ::GetTickCount() - countShown_;
    const DWORD wait = since >= kCountInterval ? USER_TIMER_MINIMUM : kCountInterval - since;
    countTimer_ = ::SetTimer(hwnd_, kCountTimer, wait, nullptr) != 0;
    if (!countTimer_) ShowRowCount();
}

void CMyListCtrlEx::ShowRowCount() {
    if (countTimer_) {
        ::KillTimer(hwnd_, kCountTimer);
        countTimer_ = false;
    }
    if (!countBehind_ || !model_) return;
    countBehind_ = false;
    countShown_ = ::GetTickCount();
    SyncScope sync(syncing_);
    redraw_.TakeCount(model_->RowCount());
}

// The list view keeps the selection and the focus of an owner-data list by
// row number; after the rows moved they follow the model's selected row.
void CMyListCtrlEx::ShowSelection() {
    const int wanted = model_->FirstSelected();
    const int selected = ListView_GetNextItem(hwnd_, -1, LVNI_SELECTED);
    const int focused = ListView_GetNextItem(hwnd_, -1, LVNI_FOCUSED);
    if (selected >= 0 && selected != wanted) ListView_SetItemState(hwnd_, selected, 0, LVIS_SELECTED);
    if (focused >= 0 && focused != wanted) ListView_SetItemState(hwnd_, focused, 0, LVIS_FOCUSED);
    if (wanted >= 0)
        ListView_SetItemState(hwnd_, wanted, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void CMyListCtrlEx::OnRowChanged(int row) {
    if (!hwnd_ || !model_) return;
    if (countBehind_) ShowRowCount();
    if (!syncing_) {
        SyncScope sync(syncing_);
        const bool selected = model_->IsSelected(row);
        if (((ListView_GetItemState(hwnd_, row, LVIS_SELECTED) & LVIS_SELECTED) != 0) != selected)
            ListView_SetItemState(hwnd_, row, selected ? LVIS_SELECTED | LVIS_FOCUSED : 0,
                                  selected ? LVIS_SELECTED | LVIS_FOCUSED : LVIS_SELECTED);
    }
    ListView_RedrawItems(hwnd_, row, row);
}

void CMyListCtrlEx::OnHeaderChanged() {
    if (!hwnd_ || !model_) return;
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

// The list view asks for what it paints, and for what LVM_GETITEMTEXT and
// LVM_GETITEMSTATE read back.
template <typename Item>
void CMyListCtrlEx::FillItem(Item& item) {
    if (item.iItem < 0 || item.iItem >= model_->RowCount()) return;
    if (item.mask & LVIF_TEXT) CopyText(model_->CellText(item.iItem, item.iSubItem), item.pszText, item.cchTextMax);
    if (item.mask & LVIF_IMAGE) item.iImage = model_->RowImage(item.iItem);
    if ((item.mask & LVIF_STATE) && (item.stateMask & LVIS_STATEIMAGEMASK) && model_->HasCheckBoxes())
        item.state = (item.state & ~LVIS_STATEIMAGEMASK) | CheckState(model_->IsChecked(item.iItem));
}

// What the list view tells of the rows' states. It keeps the selection of an
// owner-data list itself and tells each change; a check box is told only when
// something set it through the view (a press and the space bar are handled
// below). Row -1 stands for every row at once, and then the old and new states
// need not say what each row was: the selection is taken from the view.
void CMyListCtrlEx::OnItemChanged(const NMLISTVIEW& change) {
    if (syncing_ || !(change.uChanged & LVIF_STATE) || change.iItem >= model_->RowCount()) return;
    SyncScope sync(syncing_);
    const UINT image = (change.uNewState & LVIS_STATEIMAGEMASK) >> 12;
    const bool setsCheckBoxes = image != 0 && model_->HasCheckBoxes();
    if (change.iItem < 0) {
        const int selected = ListView_GetNextItem(hwnd_, -1, LVNI_SELECTED);
        if (selected >= 0)
            model_->SetSelected(selected, true);
        else
            for (int row = model_->FirstSelected(); row >= 0; row = model_->FirstSelected())
                model_->SetSelected(row, false);
        if (setsCheckBoxes) model_->SetAllChecked(image == 2);
        return;
    }
    const UINT changed = change.uNewState ^ change.uOldState;
    if ((changed & LVIS_STATEIMAGEMASK) && setsCheckBoxes) model_->SetChecked(change.iItem, image == 2);
    if (changed & LVIS_SELECTED) model_->SetSelected(change.iItem, (change.uNewState & LVIS_SELECTED) != 0);
}

// The row whose check box lies under a point; -1 for none. LVHT_ONITEM holds
// the state-icon bit too, and a full-row-select list reports it for a click
// anywhere on the row outside the label (Wine does): only the check box alone
// is a click on the check box, or a click on a name would turn its check.
int CMyListCtrlEx::CheckBoxAt(int x, int y) {
    if (!model_ || !model_->HasCheckBoxes()) return -1;
    LVHITTESTINFO hit = {};
    hit.pt = POINT{x, y};
    const int row = ListView_HitTest(hwnd_, &hit);
    const bool onCheckBox = (hit.flags & LVHT_ONITEM) == LVHT_ONITEMSTATEICON;
    return row >= 0 && row < model_->RowCount() && onCheckBox ? row : -1;
}

// A check set through the list view's own interface (LVM_SETITEMSTATE or
// LVM_SETITEM with the state image), as screen readers and test automation
// set it. An owner-data list view keeps no check boxes and would drop it; it
// counts like a check turned with the space bar. Row -1 is every row.
void CMyListCtrlEx::TakeCheckFromView(int row, const LVITEMA* item) {
    if (!item || !model_->HasCheckBoxes() || !(item->stateMask & LVIS_STATEIMAGEMASK)) return;
    const UINT image = (item->state & LVIS_STATEIMAGEMASK) >> 12;
    if (image != 1 && image != 2) return;
    if (row < 0)
        model_->SetAllChecked(image == 2);
    else
        model_->SetChecked(row, image == 2);
}

// The check strip over the check box column as it is shown now: at the
// window's scale, and as far left as a sideways scroll has moved the column.
CheckStrip CMyListCtrlEx::CheckStripNow() {
    RECT column = {};
    if (header_.ItemCount() > 0 && Header_GetItemRect(header_.Hwnd(), 0, &column))
        ::MapWindowPoints(header_.Hwnd(), hwnd_, reinterpret_cast<POINT*>(&column), 2);
    return CheckStrip::Over(ScaleOfWindow(hwnd_), column.left, column.right);
}

// The list view of an owner-data list leaves its check boxes to the owner:
// a press on a check box and the space bar on the focused row turn it over
// where the list view itself would. The new state is taken before the list
// view runs, so that a list view which reports the change itself agrees.
void CMyListCtrlEx::ToggleAfterDefault(int row, LRESULT& result) {
    const bool checked = row >= 0 && !model_->IsChecked(row);
    result = Default();
    if (row >= 0) model_->SetChecked(row, checked);
}

bool CMyListCtrlEx::OnReflectedNotify(NMHDR* header, LRESULT& result) {
    if (!model_) return false;
    switch (header->code) {
    case LVN_GETDISPINFOA:
        FillItem(reinterpret_cast<NMLVDISPINFOA*>(header)->item);
        result = 0;
        return true;
    case LVN_GETDISPINFOW:
        FillItem(reinterpret_cast<NMLVDISPINFOW*>(header)->item);
        result = 0;
        return true;
    case LVN_COLUMNCLICK: {
        const NMLISTVIEW* nm = reinterpret_cast<NMLISTVIEW*>(header);
        model_->OnColumnClick(nm->iSubItem);
        result = 0;
        return true;
    }
    case LVN_ITEMCHANGED:
        OnItemChanged(*reinterpret_cast<NMLISTVIEW*>(header));
        result = 0;
        return true;
    default:
        return false;
    }
}

bool CMyListCtrlEx::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (countBehind_) ShowRowCount();
    if (redraw_.OnMessage(message)) {
        result = 0;
        return true;
    }
    switch (message) {
    case WM_TIMER:
        if (wParam != kCountTimer) return false;
        ShowRowCount();
        result = 0;
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: {
        // The check box turns over first; the totals follow from it.
        const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
        if (!model_) return false;
        ToggleAfterDefault(message == WM_LBUTTONDOWN ? CheckBoxAt(x, y) : -1, result);
        model_->SetCheckStrip(CheckStripNow());
        model_->OnMouseButton(x, y);
        return true;
    }
    case LVM_SETITEMSTATE:
        if (!model_) return false;
        TakeCheckFromView(static_cast<int>(wParam), reinterpret_cast<const LVITEMA*>(lParam));
        result = Default();
        return true;
    case LVM_SETITEMA:
    case LVM_SETITEMW: {
        // The two item records agree up to the text, past the fields read here.
        const LVITEMA* item = reinterpret_cast<const LVITEMA*>(lParam);
        if (!model_ || !item || !(item->mask & LVIF_STATE) || item->iSubItem != 0 || item->iItem < 0) return false;
        TakeCheckFromView(item->iItem, item);
        result = Default();
        return true;
    }
    case WM_KEYDOWN:
        if (wParam != VK_SPACE || !model_ || !model_->HasCheckBoxes()) return false;
        ToggleAfterDefault(ListView_GetNextItem(hwnd_, -1, LVNI_FOCUSED), result);
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
