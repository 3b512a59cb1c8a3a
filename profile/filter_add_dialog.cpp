#include "profile/filter_add_dialog.h"

#include "res/resource.h"
#include "ui/picture_access.h"
#include "scan/utf8.h"

namespace velnor {

namespace {
constexpr const char* kBlanks = " \t\n\v\f\r";
}  // namespace

std::string TrimBlanks(const std::string& text) {
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos) return std::string();
    const size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

std::string ClampEntry(const std::string& text) { return Utf8Prefix(text, kMaxEntryChars); }

void FilterAddDialogModel::Open() {
    controls[IDC_FILTER_INCLUDE].SetButtonState(1);
    controls[IDC_FILTER_EXCLUDE].SetButtonState(0);
    controls[IDC_FILTER_OK].Setup(PictureKind::PicEx, 0, 150, 210, 76, 26, IDB_OK_OFF, IDB_OK_HOVER, IDB_OK, "");
    controls[IDC_FILTER_CANCEL].Setup(PictureKind::PicEx, 1, 250, 210, 76, 26, IDB_CANCEL_OFF, IDB_CANCEL_HOVER,
                                      IDB_CANCEL, "");
    controls[IDC_FILTER_OK].SetRole(PictureRole::PushButton, kOkLabel);
    controls[IDC_FILTER_CANCEL].SetRole(PictureRole::PushButton, kCancelLabel);
    controls[IDC_FILTER_PATTERN].SetText("");
    controls[IDC_FILTER_DESCRIPTION].SetText("");
}

void FilterAddDialogModel::OnTypeChosen(int radioId) {
    const bool include = radioId == IDC_FILTER_INCLUDE;
    controls[IDC_FILTER_INCLUDE].SetButtonState(include ? 1 : 0);
    controls[IDC_FILTER_EXCLUDE].SetButtonState(include ? 0 : 1);
}

void FilterAddDialogModel::OnPatternChanged(const std::string& text) {
    controls.Seed(IDC_FILTER_PATTERN, text);
    controls[IDC_FILTER_OK].SetStateAndPicture(TrimBlanks(text).empty() ? 0 : 1);
}

void FilterAddDialogModel::OnDescriptionChanged(const std::string& text) {
    controls.Seed(IDC_FILTER_DESCRIPTION, text);
}

bool FilterAddDialogModel::Confirm(FilterDialogValues& values) const {
    if (!OkEnabled()) return false;
    values.type = IncludeChosen() ? FilterType::Include : FilterType::Exclude;
    values.pattern = ClampEntry(controls.StateOf(IDC_FILTER_PATTERN).text);
    values.description = ClampEntry(controls.StateOf(IDC_FILTER_DESCRIPTION).text);
    return true;
}

bool FilterAddDialogModel::IncludeChosen() const { return controls.StateOf(IDC_FILTER_INCLUDE).state == 1; }

bool FilterAddDialogModel::OkEnabled() const { return controls.StateOf(IDC_FILTER_OK).state != 0; }

}  // namespace velnor
