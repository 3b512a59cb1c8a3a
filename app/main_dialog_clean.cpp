#include "app/main_dialog_model.h"

namespace velnor {
// Placeholder until the system-area cleaners land.
void MainDialogModel::MeasureCleanAreas() {}
void MainDialogModel::ShowTotalGain() {}
uint64_t MainDialogModel::GetFolderSize(const std::string&, bool) { return 0; }
bool MainDialogModel::CleanUrlCache() { return false; }
long MainDialogModel::ClearUrlHistory() { return 0; }
void MainDialogModel::OnStartClean() {}
void MainDialogModel::OnToggleCleanItem(int) {}
void MainDialogModel::OnOpenFolder(int) {}
}  // namespace velnor
