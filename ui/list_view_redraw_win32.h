#pragma once
#include <windows.h>

namespace velnor {

// How a report list view takes a new row count and draws it while a scan
// runs. Under Wine the list view draws its scroll bars twice for every count,
// and a whole redraw (frame, heading, rows) takes two frames; here the count
// is taken without drawing, and a whole redraw comes in parts, each in a
// message of its own, so that the window answers between them.
class ListViewRedraw {
public:
    // The list view and its heading; the redraw's parts are posted to the list.
    void Attach(HWND list, HWND heading);
    // The list view works out the size of its rows, and puts its scroll bars
    // in order, the first time it paints with a row: under Wine that takes a
    // frame. An empty list does it here, on a bitmap nobody sees, so that the
    // first rows of a scan do not wait for it.
    void MeasureRows();
    // The list view takes `count` rows; the rows above did not change.
    void TakeCount(int count);
    // One of the redraw's own messages: draws its next part. False for any
    // other message.
    bool OnMessage(UINT message);

private:
    enum class Part { None, Frame, Heading, TopRows, BottomRows };
    static UINT PartMessage();
    void Draw(Part part);
    void DrawRows(Part part);

    HWND list_ = nullptr;
    HWND heading_ = nullptr;
    Part next_ = Part::None;  // the part that comes next, in the enum's order
};

}  // namespace velnor
