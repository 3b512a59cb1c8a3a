#include "app/main_dialog_model.h"

namespace velnor {
// Placeholder until the scan walk lands.
void MainDialogModel::OnStartScan() {}
void MainDialogModel::OnStopScan() {}
void MainDialogModel::RunScan() {}
void MainDialogModel::PrepareScanLists() {}
void MainDialogModel::ProcessFolder(const std::string&) {}
}  // namespace velnor
