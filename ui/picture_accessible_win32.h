#pragma once
#include <windows.h>

namespace velnor {

// Answers WM_GETOBJECT for a picture control: "Start Scan, button" or
// "Include Hide Files, check box, checked", and whether it is unavailable.
// Returns 0 for objects other than the client, which the caller hands to the
// default.
LRESULT AnswerPictureAccessibility(HWND picture, WPARAM wParam, LPARAM lParam);

}  // namespace velnor
