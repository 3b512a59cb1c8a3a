#pragma once
#include "profile/profile.h"
#include "ui/control_model.h"

namespace velnor {

// The profile's options and the pictures that show them: an option changes
// only here, so that its picture always shows it.
class OptionSwitches {
public:
    OptionSwitches(ScanOptions& options, DialogModel& controls) : options_(options), controls_(controls) {}

    bool OptionOn(ScanOptions::Flag flag) const { return options_[flag]; }
    void SetOption(ScanOptions::Flag flag, bool on);
    void SetOptions(const ScanOptions& options);
    const ScanOptions& Options() const { return options_; }
    static int OptionPicture(ScanOptions::Flag flag);

    // A click on one of the Options page's four scan options or its caption.
    void OnToggleOption(int pictureId);

private:
    ScanOptions& options_;
    DialogModel& controls_;
};

}  // namespace velnor
