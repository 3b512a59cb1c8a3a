#include "app/main_dialog_model.h"

namespace velnor {
// Placeholder until the editing pages land.
void MainDialogModel::OnAddEntry() {}
void MainDialogModel::OnRemoveEntry() {}
void MainDialogModel::OnRestoreDefaults() {}
void MainDialogModel::OnToggleOption(int) {}
void MainDialogModel::OnRecycleMode() {}
void MainDialogModel::OnPermanentMode() {}
}  // namespace velnor
