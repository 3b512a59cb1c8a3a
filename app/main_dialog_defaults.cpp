#include "app/main_dialog_model.h"

namespace velnor {
// Placeholder until the default tables land.
void MainDialogModel::FillDefaultFilters() {}
void MainDialogModel::FillDefaultExclusions() {}
}  // namespace velnor
