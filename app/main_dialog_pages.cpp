#include "app/main_dialog_model.h"

namespace velnor {
// Placeholder until the page flow lands.
void MainDialogModel::ShowPage(int) {}
void MainDialogModel::OnAbout() {}
void MainDialogModel::OnBack() {}
void MainDialogModel::OnNext() {}
void MainDialogModel::HidePageControls() {}
void MainDialogModel::UpdateNavigation(int) {}
}  // namespace velnor
