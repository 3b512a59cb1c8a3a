#include "profile/filter_add_dialog_win32.h"

#include "res/resource.h"

namespace velnor {

const RuntimeClass CFilterAddDialog::kRuntimeClass = {"CFilterAddDialog", &CDialog::kRuntimeClass};

// clang-format off
const CFilterAddDialog::Map CFilterAddDialog::kMap[] = {
    Map::Command(IDC_FILTER_INCLUDE,     BN_CLICKED,  &CFilterAddDialog::OnTypeChosen, IDC_FILTER_INCLUDE),
    Map::Command(IDC_FILTER_EXCLUDE,     BN_CLICKED,  &CFilterAddDialog::OnTypeChosen, IDC_FILTER_EXCLUDE),
    Map::Command(IDC_FILTER_PATTERN,     EN_CHANGE,   &CFilterAddDialog::OnPatternChanged),
    Map::Command(IDC_FILTER_DESCRIPTION, EN_CHANGE,   &CFilterAddDialog::OnDescriptionChanged),
    Map::Command(IDC_FILTER_OK,          STN_CLICKED, &CFilterAddDialog::OnOkClicked),
    Map::Command(IDC_FILTER_CANCEL,      STN_CLICKED, &CFilterAddDialog::OnCancelClicked),
};
// clang-format on

CFilterAddDialog::CFilterAddDialog() : CSkinnedDialog(IDD_ADD_FILTER) {}

bool CFilterAddDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return RouteMessage(*this, kMap, message, wParam, lParam, result) ||
           CSkinnedDialog::HandleMessage(message, wParam, lParam, result);
}

INT_PTR CFilterAddDialog::Run(HWND owner, FilterDialogValues& values) {
    values_ = &values;
    const INT_PTR result = DoModal(owner);
    values_ = nullptr;
    return result;
}

BOOL CFilterAddDialog::OnInitDialog() {
    skin_.Open(hwnd_, model_.controls, {IDC_FILTER_OK, IDC_FILTER_CANCEL});
    // The caller's storage holds no more than this per text.
    for (int id : {IDC_FILTER_PATTERN, IDC_FILTER_DESCRIPTION})
        ::SendMessageA(Item(id), EM_LIMITTEXT, kMaxEntryChars, 0);
    model_.Open();
    skin_.ShowAll();
    skin_.GrowToHoldButtons();
    return TRUE;
}

void CFilterAddDialog::OnTypeChosen(int radioId) { model_.OnTypeChosen(radioId); }

void CFilterAddDialog::OnPatternChanged() { model_.OnPatternChanged(WindowText(Item(IDC_FILTER_PATTERN))); }

void CFilterAddDialog::OnDescriptionChanged() {
    model_.OnDescriptionChanged(WindowText(Item(IDC_FILTER_DESCRIPTION)));
}

void CFilterAddDialog::OnOkClicked() {
    FilterDialogValues confirmed;
    if (!model_.Confirm(confirmed)) return;
    if (values_) *values_ = confirmed;
    EndDialog(IDOK);
}

}  // namespace velnor
