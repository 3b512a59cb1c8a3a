#pragma once
#include <string>

#include "ui/control_model.h"

namespace velnor {

// How a picture control presents itself to a screen reader: "Start Scan,
// button" or "Include Hide Files, check box, checked".
struct PictureAccess {
    std::string name;
    PictureRole role = PictureRole::PushButton;
    bool checked = false;      // an option or radio picture that is on
    bool selected = false;     // the page tab of the current page
    bool unavailable = false;  // a push button that its command refuses now
};

// The words painted on the buttons that the small dialogs share.
inline constexpr const char* kOkLabel = "OK";
inline constexpr const char* kCancelLabel = "Cancel";

PictureAccess DescribePicture(const DialogModel& dialog, int id);

}  // namespace velnor
