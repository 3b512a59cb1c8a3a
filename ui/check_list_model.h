#pragma once
#include "ui/list_layout.h"
#include "ui/list_rows.h"
#include "ui/list_selection.h"
#include "ui/list_sort.h"

namespace velnor {

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

    // The check strip: clicks there may have toggled a check box.
    static bool InCheckStrip(int x, int y) { return x >= 0 && x <= 24 && y >= 15 && y <= 399; }
};

}  // namespace velnor
