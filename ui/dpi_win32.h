#pragma once
#include <windows.h>

#include "ui/display_scale.h"

namespace velnor {

// The DPI of the display a window is on, as the system tells a program that
// declares itself aware of display scaling: the window's monitor where the
// system scales per monitor, else the system's DPI.
int WindowDpi(HWND window);

// The dialog manager re-lays out dialogs itself when the display scale
// changes; a dialog that places its controls in pixels does that itself.
void StopDialogRescaling(HWND dialog);

// A system metric (an icon's size, say) as the system gives it at a DPI.
int SystemMetricAtDpi(int metric, int dpi);

// The scale a window is shown at: its top-level dialog's, when the framework
// runs that dialog, else the one drawn for the window's display.
DisplayScale ScaleOfWindow(HWND window);

}  // namespace velnor
