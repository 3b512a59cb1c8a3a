#include "app/main_dialog_model.h"

namespace velnor {
// Placeholder until the profile file lands.
bool MainDialogModel::ProfileFileUsable() { return false; }
std::string MainDialogModel::ReadProfileValue(const std::string&) { return std::string(); }
void MainDialogModel::SaveProfile() {}
void MainDialogModel::WriteDefaultProfile() {}
void MainDialogModel::LoadExclusions() {}
void MainDialogModel::LoadFilters() {}
void MainDialogModel::LoadOptions() {}
}  // namespace velnor
