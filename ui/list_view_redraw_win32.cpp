#include "ui/list_view_redraw_win32.h"

#include <commctrl.h>

#include <algorithm>

namespace velnor {

namespace {

// The rows above the new ones did not change and whoever reads them keeps
// their place.
constexpr DWORD kCountFlags = LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL;

LONG_PTR Bars(HWND list) { return ::GetWindowLongPtrA(list, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL); }

// The parts of two windows that are still to be drawn, kept to be asked for
// again.
class PendingDrawing {
public:
    PendingDrawing(HWND first, HWND second) : windows_{first, second} {
        for (int i = 0; i < 2; ++i) {
            if (!windows_[i] || !::GetUpdateRect(windows_[i], nullptr, FALSE)) continue;
            regions_[i] = ::CreateRectRgn(0, 0, 0, 0);
            if (regions_[i]) ::GetUpdateRgn(windows_[i], regions_[i], FALSE);
        }
    }
    ~PendingDrawing() {
        for (HRGN region : regions_)
            if (region) ::DeleteObject(region);
    }
    PendingDrawing(const PendingDrawing&) = delete;
    PendingDrawing& operator=(const PendingDrawing&) = delete;

    void AskAgain() const {
        for (int i = 0; i < 2; ++i)
            if (regions_[i]) ::InvalidateRgn(windows_[i], regions_[i], TRUE);
    }

private:
    HWND windows_[2];
    HRGN regions_[2] = {};
};

}  // namespace

void ListViewRedraw::Attach(HWND list, HWND heading) {
    list_ = list;
    heading_ = heading;
}

void ListViewRedraw::MeasureRows() {
    if (!list_ || ListView_GetItemCount(list_) != 0) return;
    HDC dc = ::CreateCompatibleDC(nullptr);
    if (!dc) return;
    ::IntersectClipRect(dc, 0, 0, 0, 0);
    ListView_SetItemCountEx(list_, 1, kCountFlags);
    ::SendMessageA(list_, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    ListView_SetItemCountEx(list_, 0, kCountFlags);
    ::DeleteDC(dc);
}

void ListViewRedraw::TakeCount(int count) {
    if (!::IsWindowVisible(list_)) {
        ListView_SetItemCountEx(list_, count, kCountFlags);
        return;
    }
    // The count is taken while the window is marked as not drawn (the list
    // view's own redraw state stays as it is).
    const int before = ListView_GetItemCount(list_);
    const LONG_PTR barsBefore = Bars(list_);
    // Marking it so drops what the list and its heading were still to draw
    // (a list just shown has all of it to draw): that is asked for again.
    const PendingDrawing pending(list_, heading_);
    ::DefWindowProcA(list_, WM_SETREDRAW, FALSE, 0);
    ListView_SetItemCountEx(list_, count, kCountFlags);
    ::DefWindowProcA(list_, WM_SETREDRAW, TRUE, 0);
    pending.AskAgain();
    if (Bars(list_) != barsBefore) {
        // A bar came or went: the frame, the heading and every row moved.
        const bool drawing = next_ != Part::None;
        next_ = Part::Frame;
        if (!drawing) ::PostMessageA(list_, PartMessage(), 0, 0);
        return;
    }
    // The vertical bar alone, then the new rows where they are in view.
    SCROLLINFO bar = {sizeof bar, SIF_ALL, 0, 0, 0, 0, 0};
    if (::GetScrollInfo(list_, SB_VERT, &bar)) ::SetScrollInfo(list_, SB_VERT, &bar, TRUE);
    RECT client, fresh;
    ::GetClientRect(list_, &client);
    if (ListView_GetItemRect(list_, before, &fresh, LVIR_BOUNDS)) {
        fresh.left = client.left;
        fresh.right = client.right;
        fresh.bottom = client.bottom;
        if (::IntersectRect(&fresh, &fresh, &client)) ::InvalidateRect(list_, &fresh, TRUE);
    }
}

UINT ListViewRedraw::PartMessage() {
    static const UINT message = ::RegisterWindowMessageA("VelnorCleaner.ListRedrawPart");
    return message;
}

// A part, then the next one is asked for, behind whatever came in meanwhile.
bool ListViewRedraw::OnMessage(UINT message) {
    if (message != PartMessage()) return false;
    const Part part = next_;
    if (part == Part::None) return true;
    next_ = part == Part::BottomRows ? Part::None : static_cast<Part>(static_cast<int>(part) + 1);
    if (::IsWindowVisible(list_)) Draw(part);
    if (next_ != Part::None) ::PostMessageA(list_, PartMessage(), 0, 0);
    return true;
}

void ListViewRedraw::Draw(Part part) {
    switch (part) {
    case Part::Frame:
        // The border and both scroll bars, and nothing of the rows.
        ::RedrawWindow(list_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
        ::ValidateRect(list_, nullptr);
        ::RedrawWindow(list_, nullptr, nullptr, RDW_UPDATENOW | RDW_NOCHILDREN);
        break;
    case Part::Heading:
        if (heading_) ::RedrawWindow(heading_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        break;
    case Part::TopRows:
    case Part::BottomRows:
        DrawRows(part);
        break;
    case Part::None:
        break;
    }
}

// The rows' area below the heading, in two halves.
void ListViewRedraw::DrawRows(Part part) {
    RECT rows;
    ::GetClientRect(list_, &rows);
    RECT heading = {};
    if (heading_ && ::IsWindowVisible(heading_) && ::GetWindowRect(heading_, &heading)) {
        ::MapWindowPoints(nullptr, list_, reinterpret_cast<POINT*>(&heading), 2);
        rows.top = std::max(rows.top, heading.bottom);
    }
    const LONG middle = rows.top + (rows.bottom - rows.top) / 2;
    if (part == Part::TopRows)
        rows.bottom = middle;
    else
        rows.top = middle;
    if (rows.bottom <= rows.top) return;
    ::InvalidateRect(list_, &rows, TRUE);
    ::UpdateWindow(list_);
}

}  // namespace velnor
