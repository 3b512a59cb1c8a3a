#include "app/main_dialog_win32.h"

namespace velnor {
// Placeholder until the add dialogs land.
void CMainDialog::RunAddFilterDialog(FilterDialogValues&) {}
void CMainDialog::RunAddExcludeDialog(std::string&) {}
}  // namespace velnor
