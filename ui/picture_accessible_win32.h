#pragma once
#include <windows.h>

namespace velnor {

// Answers WM_GETOBJECT for a picture control: a screen reader asking for the
// client object gets one that names the picture, says what kind of control it
// is and whether it is on or unavailable; everything else (where it is, its
// parent, hit-testing) comes from the system's standard object. Returns 0 for
// objects other than the client, which the caller hands to the default.
LRESULT AnswerPictureAccessibility(HWND picture, WPARAM wParam, LPARAM lParam);

}  // namespace velnor
