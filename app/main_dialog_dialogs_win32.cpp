#include "app/main_dialog_win32.h"

namespace velnor {

void CMainDialog::RunAddFilterDialog(FilterDialogValues& values) { filterAddDialog_.Run(hwnd_, values); }

void CMainDialog::RunAddExcludeDialog(std::string& value) {
    excludePathAddDialog_.Run(hwnd_, platform_.prompts, value);
}

}  // namespace velnor
