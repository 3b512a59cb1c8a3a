#include "app/main_dialog_model.h"

namespace velnor {
// Placeholder until the About page lands.
void MainDialogModel::FillAboutPage() {}
}  // namespace velnor
