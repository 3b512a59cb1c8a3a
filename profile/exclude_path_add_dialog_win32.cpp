#include "profile/exclude_path_add_dialog_win32.h"

#include "platform/win32/win32_platform.h"
#include "res/resource.h"

namespace velnor {

const RuntimeClass CExcludePathAddDialog::kRuntimeClass = {"CExcludePathAddDialog", &CDialog::kRuntimeClass};

// clang-format off
const CExcludePathAddDialog::Map CExcludePathAddDialog::kMap[] = {
    Map::Command(IDC_EXCLUDE_PATH,   EN_CHANGE,   &CExcludePathAddDialog::OnPathChanged),
    Map::Command(IDC_EXCLUDE_BROWSE, STN_CLICKED, &CExcludePathAddDialog::OnBrowse),
    Map::Command(IDC_EXCLUDE_OK,     STN_CLICKED, &CExcludePathAddDialog::OnOkClicked),
    Map::Command(IDC_EXCLUDE_CANCEL, STN_CLICKED, &CExcludePathAddDialog::OnCancelClicked),
};
// clang-format on

CExcludePathAddDialog::CExcludePathAddDialog() : CSkinnedDialog(IDD_ADD_EXCLUDE) {}

bool CExcludePathAddDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return RouteMessage(*this, kMap, message, wParam, lParam, result) ||
           CSkinnedDialog::HandleMessage(message, wParam, lParam, result);
}

INT_PTR CExcludePathAddDialog::Run(HWND owner, IPrompts* prompts, std::string& value) {
    prompts_ = prompts;
    value_ = &value;
    const INT_PTR result = DoModal(owner);
    value_ = nullptr;
    prompts_ = nullptr;
    return result;
}

BOOL CExcludePathAddDialog::OnInitDialog() {
    skin_.Open(hwnd_, model_.controls, {IDC_EXCLUDE_OK, IDC_EXCLUDE_CANCEL, IDC_EXCLUDE_BROWSE});
    // The caller's storage holds no more than this.
    ::SendMessageA(Item(IDC_EXCLUDE_PATH), EM_LIMITTEXT, kMaxEntryChars, 0);
    model_.Open();
    skin_.ShowAll();
    skin_.GrowToHoldButtons();
    ::SetFocus(Item(IDC_EXCLUDE_PATH));
    return FALSE;  // the focus is set
}

void CExcludePathAddDialog::OnPathChanged() { model_.OnPathChanged(WindowText(Item(IDC_EXCLUDE_PATH))); }

void CExcludePathAddDialog::OnBrowse() {
    if (!prompts_) return;
    PromptsOwnedBy owned(prompts_, hwnd_);
    model_.Browse(*prompts_);
}

void CExcludePathAddDialog::OnOkClicked() {
    std::string confirmed;
    if (!model_.Confirm(confirmed)) return;
    if (value_) *value_ = confirmed;
    EndDialog(IDOK);
}

}  // namespace velnor
