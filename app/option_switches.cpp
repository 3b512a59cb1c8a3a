#include "app/option_switches.h"

#include "res/resource.h"

namespace velnor {

namespace {

constexpr int kOptionPictures[ScanOptions::kCount] = {
    IDC_OPT_READ,   IDC_OPT_SYSTEM,  IDC_OPT_HIDE,     IDC_OPT_ZERO,    IDC_RECYCLE_MODE, IDC_CLEAN_JUNK,
    IDC_CLEAN_RECYCLE, IDC_CLEAN_TEMP, IDC_CLEAN_INTERNET, IDC_CLEAN_HISTORY, IDC_CLEAN_RECENT, IDC_CLEAN_BROWSERS,
};

// The Options page's four pictures that a click flips; the others have
// handlers of their own (the removal pair, the Clean page's items).
constexpr ScanOptions::Flag kToggledByClick[] = {ScanOptions::kRead, ScanOptions::kSystem, ScanOptions::kHide,
                                                 ScanOptions::kZero};

}  // namespace

int OptionSwitches::OptionPicture(ScanOptions::Flag flag) { return kOptionPictures[flag]; }

void OptionSwitches::SetOption(ScanOptions::Flag flag, bool on) {
    options_[flag] = on;
    controls_[kOptionPictures[flag]].SetStateAndPicture(on ? picture_state::kOn : picture_state::kOff);
    if (flag == ScanOptions::kRemove)
        controls_[IDC_PERMANENT_MODE].SetStateAndPicture(on ? picture_state::kOff : picture_state::kOn);
}

void OptionSwitches::SetOptions(const ScanOptions& options) {
    for (int i = 0; i < ScanOptions::kCount; ++i) {
        const auto flag = static_cast<ScanOptions::Flag>(i);
        SetOption(flag, options[flag]);
    }
}

void OptionSwitches::OnToggleOption(int pictureId) {
    for (ScanOptions::Flag flag : kToggledByClick) {
        if (kOptionPictures[flag] != pictureId) continue;
        SetOption(flag, !OptionOn(flag));
        return;
    }
}

}  // namespace velnor
