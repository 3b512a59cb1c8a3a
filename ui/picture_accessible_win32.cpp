#include "ui/picture_accessible_win32.h"

#include <oleacc.h>

#include "ui/accessible_object_win32.h"
#include "ui/bitmap_pic_win32.h"
#include "ui/picture_access.h"

namespace velnor {

namespace {

LONG RoleConstant(PictureRole role) {
    switch (role) {
    case PictureRole::PageTab:
        return ROLE_SYSTEM_PAGETAB;
    case PictureRole::CheckBox:
        return ROLE_SYSTEM_CHECKBUTTON;
    case PictureRole::RadioButton:
        return ROLE_SYSTEM_RADIOBUTTON;
    case PictureRole::PushButton:
        break;
    }
    return ROLE_SYSTEM_PUSHBUTTON;
}

const char* DefaultAction(const PictureAccess& access) {
    switch (access.role) {
    case PictureRole::PageTab:
        return "Switch";
    case PictureRole::CheckBox:
        return access.checked ? "Uncheck" : "Check";
    case PictureRole::RadioButton:
        return "Check";
    case PictureRole::PushButton:
        break;
    }
    return "Press";
}

bool DescribePictureControl(HWND hwnd, AccessibleFacts& facts) {
    const CBitmapPic* picture = CBitmapPic::FromPicture(hwnd);
    PictureAccess access;
    if (!picture || !picture->Describe(access)) return false;
    facts.name = access.name;
    facts.role = RoleConstant(access.role);
    facts.defaultAction = DefaultAction(access);
    facts.state = 0;
    if (access.checked) facts.state |= STATE_SYSTEM_CHECKED;
    if (access.selected) facts.state |= STATE_SYSTEM_SELECTED | STATE_SYSTEM_SELECTABLE;
    if (access.role == PictureRole::PageTab) facts.state |= STATE_SYSTEM_SELECTABLE;
    if (access.unavailable) facts.state |= STATE_SYSTEM_UNAVAILABLE;
    return true;
}

}  // namespace

LRESULT AnswerPictureAccessibility(HWND picture, WPARAM wParam, LPARAM lParam) {
    return AnswerAccessibility(picture, wParam, lParam, &DescribePictureControl);
}

}  // namespace velnor
