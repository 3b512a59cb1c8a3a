#pragma once
#include <windows.h>
#include <commctrl.h>

#include "ui/window_win32.h"

namespace velnor {

// The list view's header: draws the headings that have been the sort column,
// with the sort arrow, and keeps the column widths in an archive.
class CMyHeaderCtrlEx : public CWindow {
public:
    static const RuntimeClass kRuntimeClass;
    const RuntimeClass* GetRuntimeClass() const override { return &kRuntimeClass; }
    void Serialize(CArchive& archive) override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void DrawItem(const DRAWITEMSTRUCT& item);

    void SetSortImage(int column, bool ascending, bool hideArrow);
    int ItemCount() const { return hwnd_ ? Header_GetItemCount(hwnd_) : 0; }

    int hideArrow = 0;
    int sortColumn = -1;
    int sortAscending = 1;
};

}  // namespace velnor
