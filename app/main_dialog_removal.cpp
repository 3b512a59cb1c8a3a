#include "app/main_dialog_model.h"

namespace velnor {
// Placeholder until junk removal lands.
void MainDialogModel::RemoveJunkFiles() {}
}  // namespace velnor
