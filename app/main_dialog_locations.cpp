#include "app/main_dialog_model.h"

namespace velnor {
// Placeholder until the location list lands.
void MainDialogModel::SetupLocationList() {}
void MainDialogModel::LoadLocations() {}
void MainDialogModel::ListFixedDrives() {}
void MainDialogModel::LoadDriveChecks() {}
void MainDialogModel::LoadFolders() {}
void MainDialogModel::AddLocationRow(int, const std::string&, const std::string&, const std::string&, int, bool) {}
void MainDialogModel::AddFolderLocation() {}
void MainDialogModel::RemoveLocation() {}
}  // namespace velnor
