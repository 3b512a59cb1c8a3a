#pragma once
#include <windows.h>

#include <string>

namespace velnor {

// What a screen reader is told about one control, in the platform's terms.
struct AccessibleFacts {
    std::string name;
    LONG role = 0;   // ROLE_SYSTEM_...
    LONG state = 0;  // STATE_SYSTEM_... beyond focusable, focused and invisible
    std::string defaultAction;
};

// Tells what the control is now; false when its object is gone.
using DescribeControl = bool (*)(HWND control, AccessibleFacts& facts);

// Answers WM_GETOBJECT for a control that draws itself: a screen reader asking
// for the client object gets one that names the control, says what kind of
// control it is and how it stands, from `describe`; where it is, its parent
// and hit-testing come from the system's standard object. Its default action
// is what a click on the control does, and only while the control is shown:
// a control of a hidden page does nothing. Returns 0 for objects other than
// the client, which the caller hands to the default.
LRESULT AnswerAccessibility(HWND control, WPARAM wParam, LPARAM lParam, DescribeControl describe);

}  // namespace velnor
