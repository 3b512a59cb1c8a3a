#include "app/main_dialog_layout.h"

#include "res/resource.h"

namespace velnor {

namespace {

struct PlainPlacement {
    int id, x, y, width, height;
};

// Controls that the layout only moves: texts, frames, lists, pictures.
constexpr PlainPlacement kPlacements[] = {
    {IDC_TITLE_ICON, 6, 3, 25, 25},
    {IDC_ORNAMENT, 20, 420, 113, 10},
    {IDC_SEPARATOR, 480, 420, 7, 26},
    // Path, Filters, Exceptions
    {IDC_LOCATION_LIST, 142, 110, 385, 260},
    {IDC_FILTER_LIST, 142, 110, 385, 260},
    {IDC_EXCLUDE_LIST, 142, 110, 385, 260},
    // Options
    {IDC_SCAN_OPTIONS_FRAME, 200, 130, 300, 150},
    {IDC_OPT_READ_CAPTION, 240, 150, 200, 20},
    {IDC_OPT_SYSTEM_CAPTION, 240, 180, 200, 20},
    {IDC_OPT_HIDE_CAPTION, 240, 210, 200, 20},
    {IDC_OPT_ZERO_CAPTION, 240, 240, 200, 20},
    {IDC_REMOVAL_FRAME, 200, 300, 300, 80},
    {IDC_RECYCLE_CAPTION, 260, 320, 200, 20},
    {IDC_PERMANENT_CAPTION, 260, 350, 200, 20},
    {IDC_RECYCLE_PICTURE, 210, 130, 16, 16},
    {IDC_CROSS_PICTURE, 250, 130, 16, 16},
    // Scan
    {IDC_RESULT_LIST, 142, 97, 470, 210},
    {IDC_SCAN_STATUS_FRAME, 200, 310, 350, 85},
    {IDC_TOTAL_FILES, 210, 330, 150, 15},
    {IDC_TOTAL_SIZE, 210, 350, 150, 15},
    {IDC_SELECTED_FILES, 360, 330, 150, 15},
    {IDC_SELECTED_SIZE, 360, 350, 150, 15},
    {IDC_SCAN_STATUS, 210, 370, 300, 15},
    // Clean
    {IDC_CLEAN_FRAME, 160, 95, 430, 180},
    {IDC_JUNK_CAPTION, 200, 110, 200, 20},
    {IDC_JUNK_SIZE, 410, 110, 100, 20},
    {IDC_CLEAN_RECYCLE_CAPTION, 200, 150, 240, 20},
    {IDC_CLEAN_TEMP_CAPTION, 200, 170, 240, 20},
    {IDC_CLEAN_INTERNET_CAPTION, 200, 190, 240, 20},
    {IDC_CLEAN_HISTORY_CAPTION, 200, 210, 240, 20},
    {IDC_CLEAN_RECENT_CAPTION, 200, 230, 240, 20},
    {IDC_CLEAN_BROWSERS_CAPTION, 200, 250, 240, 20},
    {IDC_RULE_RECYCLE, 450, 150, 3, 12},
    {IDC_RULE_TEMP, 450, 170, 3, 12},
    {IDC_RULE_INTERNET, 450, 190, 3, 12},
    {IDC_RULE_HISTORY, 450, 210, 3, 12},
    {IDC_RULE_RECENT, 450, 230, 3, 12},
    {IDC_RULE_BROWSERS, 450, 250, 3, 12},
    {IDC_SIZE_RECYCLE, 480, 150, 60, 20},
    {IDC_SIZE_TEMP, 480, 170, 60, 20},
    {IDC_SIZE_INTERNET, 480, 190, 60, 20},
    {IDC_SIZE_HISTORY, 480, 210, 60, 20},
    {IDC_SIZE_RECENT, 480, 230, 60, 20},
    {IDC_SIZE_BROWSERS, 480, 250, 60, 20},
    {IDC_CLEAN_STATUS, 160, 290, 300, 20},
    {IDC_CLEAN_PROGRESS, 160, 318, 300, 7},
    {IDC_COOKIES_FRAME, 160, 345, 300, 45},
    // About
    {IDC_ABOUT_TITLE, 410, 100, 210, 30},
    {IDC_ABOUT_PICTURE, 143, 100, 230, 168},
    {IDC_DEVELOPER, 430, 150, 180, 20},
    {IDC_VERSION, 430, 180, 150, 20},
    {IDC_HOME_CAPTION, 430, 210, 80, 20},
    {IDC_SUPPORT_CAPTION, 430, 240, 80, 20},
    {IDC_HOME_LINK, 510, 210, 113, 20},
    {IDC_SUPPORT_LINK, 510, 240, 113, 20},
    {IDC_ABOUT_FOOTER, 240, 370, 291, 14},
    {IDC_HINT, 120, 370, 300, 30},
};

struct ButtonSetup {
    int id;
    PictureKind kind;
    bool hoverTracking;
    int state, x, y, width, height;
    int first, second, third;
    const char* tooltip;
    PictureRole role;
    // The words painted on the picture, or the caption beside it.
    const char* label;
    int caption;
};

constexpr PictureKind P = PictureKind::Pic;
constexpr PictureKind PX = PictureKind::PicEx;
constexpr PictureRole Button = PictureRole::PushButton;
constexpr PictureRole Tab = PictureRole::PageTab;
constexpr PictureRole Check = PictureRole::CheckBox;
constexpr PictureRole Radio = PictureRole::RadioButton;

constexpr ButtonSetup kButtons[] = {
    {IDC_PAGE_PATH, P, true, 0, 8, 170, 119, 27, 202, 203, 204, "Select paths you want to scan for junk files",
     Tab, "Path", 0},
    {IDC_PAGE_FILTERS, P, true, 0, 8, 200, 119, 27, 205, 206, 207,
     "Select type of files you want to scan for junk files",
     Tab, "Filters", 0},
    {IDC_PAGE_EXCEPTIONS, P, true, 0, 8, 230, 119, 27, 208, 209, 210,
     "Select folders to be exclude you want to scan for junk files",
     Tab, "Exceptions", 0},
    {IDC_PAGE_OPTIONS, P, true, 0, 8, 260, 119, 27, 211, 212, 213, "Set your preferences",
     Tab, "Options", 0},
    {IDC_PAGE_SCAN, P, true, 0, 8, 290, 119, 27, 214, 215, 216, "Scan for junk files on your drives",
     Tab, "Scan", 0},
    {IDC_PAGE_CLEAN, P, true, 0, 8, 320, 119, 27, 217, 219, 220, "Clean your junk files and more",
     Tab, "Clean", 0},
    {IDC_OPT_READ, P, false, 0, 220, 150, 16, 16, 157, 157, 158, "",
     Check, "", IDC_OPT_READ_CAPTION},
    {IDC_OPT_SYSTEM, P, false, 0, 220, 180, 16, 16, 157, 157, 158, "",
     Check, "", IDC_OPT_SYSTEM_CAPTION},
    {IDC_OPT_HIDE, P, false, 0, 220, 210, 16, 16, 157, 157, 158, "",
     Check, "", IDC_OPT_HIDE_CAPTION},
    {IDC_OPT_ZERO, P, false, 0, 220, 240, 16, 16, 157, 157, 158, "",
     Check, "", IDC_OPT_ZERO_CAPTION},
    {IDC_RECYCLE_MODE, P, false, 1, 220, 320, 16, 16, 155, 155, 156, "",
     Radio, "", IDC_RECYCLE_CAPTION},
    {IDC_PERMANENT_MODE, P, false, 0, 220, 350, 16, 16, 155, 155, 156, "",
     Radio, "", IDC_PERMANENT_CAPTION},
    {IDC_CLEAN_JUNK, P, false, 0, 170, 110, 16, 16, 157, 157, 158, "",
     Check, "", IDC_JUNK_CAPTION},
    {IDC_CLEAN_RECYCLE, P, false, 0, 170, 150, 16, 16, 157, 157, 158, "",
     Check, "", IDC_CLEAN_RECYCLE_CAPTION},
    {IDC_CLEAN_TEMP, P, false, 0, 170, 170, 16, 16, 157, 157, 158, "",
     Check, "", IDC_CLEAN_TEMP_CAPTION},
    {IDC_CLEAN_INTERNET, P, false, 0, 170, 190, 16, 16, 157, 157, 158, "",
     Check, "", IDC_CLEAN_INTERNET_CAPTION},
    {IDC_CLEAN_HISTORY, P, false, 0, 170, 210, 16, 16, 157, 157, 158, "",
     Check, "", IDC_CLEAN_HISTORY_CAPTION},
    {IDC_CLEAN_RECENT, P, false, 0, 170, 230, 16, 16, 157, 157, 158, "",
     Check, "", IDC_CLEAN_RECENT_CAPTION},
    {IDC_CLEAN_BROWSERS, P, false, 0, 170, 250, 16, 16, 157, 157, 158, "",
     Check, "", IDC_CLEAN_BROWSERS_CAPTION},
    {IDC_START_SCAN, PX, true, 1, 36, 410, 31, 31, 160, 161, 162, "Start Scan!",
     Button, "Start Scan", 0},
    {IDC_STOP_SCAN, PX, true, 0, 78, 415, 31, 31, 163, 164, 165, "Stop Scan!",
     Button, "Stop Scan", 0},
    {IDC_BACK, PX, true, 0, 310, 420, 76, 26, 185, 187, 188, "",
     Button, "Back", 0},
    {IDC_NEXT, PX, true, 1, 390, 420, 76, 26, 189, 190, 191, "Path",
     Button, "Next", 0},
    {IDC_EXIT, PX, true, 1, 500, 420, 76, 26, 192, 193, 194, "Exit Velnor Disk Cleaner",
     Button, "Exit", 0},
    {IDC_MINIMIZE, PX, true, 1, 594, 5, 18, 19, 195, 196, 197, "",
     Button, "Minimize", 0},
    {IDC_CLOSE, PX, true, 1, 615, 5, 18, 19, 198, 199, 200, "",
     Button, "Close", 0},
    {IDC_HELP_BUTTON, PX, true, 1, 529, 51, 48, 16, 182, 183, 184, "Open the Velnor Disk Cleaner user manual",
     Button, "Help", 0},
    {IDC_ABOUT_BUTTON, PX, true, 1, 576, 51, 48, 16, 179, 180, 181, "About Velnor Disk Cleaner",
     Button, "About", 0},
    {IDC_ADD, PX, true, 1, 535, 110, 81, 32, 169, 171, 172, "",
     Button, "Add", 0},
    {IDC_REMOVE, PX, true, 1, 535, 150, 81, 32, 176, 177, 178, "",
     Button, "Remove", 0},
    {IDC_DEFAULT, PX, true, 1, 535, 190, 81, 32, 173, 174, 175, "",
     Button, "Default", 0},
    {IDC_OPEN_RECYCLE, PX, true, 1, 550, 150, 16, 16, 225, 227, 226, "",
     Button, "Open Windows Recycle Bin", 0},
    {IDC_OPEN_TEMP, PX, true, 1, 550, 170, 16, 16, 225, 227, 226, "",
     Button, "Open Windows Temp Folder", 0},
    {IDC_OPEN_INTERNET, PX, true, 1, 550, 190, 16, 16, 225, 227, 226, "",
     Button, "Open Temporary Internet Files Folder", 0},
    {IDC_OPEN_HISTORY, PX, true, 1, 550, 210, 16, 16, 225, 227, 226, "",
     Button, "Open Windows History Folder", 0},
    {IDC_OPEN_RECENT, PX, true, 1, 550, 230, 16, 16, 225, 227, 226, "",
     Button, "Open Recent Documents Folder", 0},
    {IDC_OPEN_BROWSERS, PX, true, 1, 550, 250, 16, 16, 225, 227, 226, "",
     Button, "Open Browsers' Cache Folders", 0},
    {IDC_START_CLEAN, PX, true, 1, 495, 285, 92, 38, 246, 245, 246, "Start Clean",
     Button, "Start Clean", 0},
    {IDC_COOKIES_BUTTON, PX, true, 1, 165, 360, 150, 25, 254, 253, 254, "",
     Button, "Cookies Cleaner", 0},
};

}  // namespace

const std::vector<PictureButton>& PictureButtons() {
    static const std::vector<PictureButton> all = [] {
        std::vector<PictureButton> buttons;
        for (const ButtonSetup& b : kButtons) buttons.push_back(PictureButton{b.id, b.kind});
        return buttons;
    }();
    return all;
}

void PlaceControls(DialogModel& controls) {
    for (const PlainPlacement& p : kPlacements) controls[p.id].Place(p.x, p.y, p.width, p.height);
    for (const ButtonSetup& b : kButtons) {
        Control button = controls[b.id];
        button.SetHoverTracking(b.hoverTracking);
        button.Setup(b.kind, b.state, b.x, b.y, b.width, b.height, b.first, b.second, b.third, b.tooltip);
        button.SetRole(b.role, b.label, b.caption);
    }
}

}  // namespace velnor
