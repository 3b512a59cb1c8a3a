#pragma once
#include "ui/display_scale.h"
#include "ui/list_layout.h"
#include "ui/list_rows.h"
#include "ui/list_selection.h"
#include "ui/list_sort.h"

namespace velnor {

// The band of a list's client area where a press may have turned a check box,
// inclusive at every edge: at 100 % x 0 to 24 and y 15 to 399.
struct CheckStrip {
    int left = 0;
    int top = 15;
    int right = 24;
    int bottom = 399;
    bool Holds(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    // The strip at a display scale over the check box column, which spans x
    // columnLeft up to columnRight (exclusive) in client co-ordinates: it
    // moves with the column when the list is scrolled sideways and never
    // reaches past it.
    static CheckStrip Over(const DisplayScale& scale, int columnLeft, int columnRight);
};

// The one list control of the program, whatever keeps its rows: its layout
// and order (ListSort), its single selection (ListSelection), and here the
// check boxes, the check-all image in column 0's heading and what a click on
// a heading or in the check strip does. A derived class stores the rows and
// gives their texts when the list view paints them.
class CheckListModel : public ListSort, public ListSelection {
public:
    void SetChecked(int row, bool checked);
    void SetAllChecked(bool checked);
    bool AllChecked() const;
    // The heading's check image as the rows' checks are now.
    void ShowHeaderCheckOfRows() { SetHeaderCheckImage(AllChecked() ? kHeaderAllChecked : kHeaderSomeUnchecked); }

    // Behaviour of the list control
    void OnColumnClick(int column);
    void OnMouseButton(int x, int y);
    // Brings linked totals up to date with the check boxes; only the result
    // list has totals.
    virtual void RecountSelection() {}

    // The check strip: presses there may have toggled a check box. The list
    // view sets it where its check boxes are now.
    const CheckStrip& Strip() const { return strip_; }
    void SetCheckStrip(const CheckStrip& strip) { strip_ = strip; }

private:
    CheckStrip strip_;
};

}  // namespace velnor
