#include "profile/exclude_path_add_dialog.h"

#include "profile/filter_add_dialog.h"
#include "res/resource.h"
#include "ui/picture_access.h"

namespace velnor {

namespace {
// "C:\" and anything shorter is a drive root or nothing; neither is taken.
constexpr size_t kDriveRootChars = 3;
}  // namespace

void ExcludePathAddDialogModel::Open() {
    controls[IDC_EXCLUDE_OK].Setup(PictureKind::PicEx, 0, 90, 135, 76, 26, IDB_OK_OFF, IDB_OK_HOVER, IDB_OK, "");
    controls[IDC_EXCLUDE_CANCEL].Setup(PictureKind::PicEx, 1, 180, 135, 76, 26, IDB_CANCEL_OFF, IDB_CANCEL_HOVER,
                                       IDB_CANCEL, "");
    controls[IDC_EXCLUDE_BROWSE].Setup(PictureKind::PicEx, 1, 258, 90, 49, 21, IDB_BROWSE_OFF, IDB_BROWSE_HOVER,
                                       IDB_BROWSE, "");
    controls[IDC_EXCLUDE_OK].SetRole(PictureRole::PushButton, kOkLabel);
    controls[IDC_EXCLUDE_CANCEL].SetRole(PictureRole::PushButton, kCancelLabel);
    controls[IDC_EXCLUDE_BROWSE].SetRole(PictureRole::PushButton, "Browse");
    controls[IDC_EXCLUDE_PATH].SetText("");
}

void ExcludePathAddDialogModel::OnPathChanged(const std::string& text) {
    controls.Seed(IDC_EXCLUDE_PATH, text);
    controls[IDC_EXCLUDE_OK].SetStateAndPicture(TrimBlanks(text).empty() ? 0 : 1);
}

bool ExcludePathAddDialogModel::Browse(IPrompts& prompts) {
    const std::optional<std::string> folder = prompts.ChooseFolder();
    if (!folder || folder->size() <= kDriveRootChars) return false;
    const std::string path = ClampEntry(*folder);
    controls[IDC_EXCLUDE_PATH].SetText(path);
    OnPathChanged(path);
    return true;
}

bool ExcludePathAddDialogModel::Confirm(std::string& value) const {
    if (!OkEnabled()) return false;
    value = ClampEntry(Path());
    return true;
}

bool ExcludePathAddDialogModel::OkEnabled() const { return controls.StateOf(IDC_EXCLUDE_OK).state != 0; }

const std::string& ExcludePathAddDialogModel::Path() const { return controls.StateOf(IDC_EXCLUDE_PATH).text; }

}  // namespace velnor
