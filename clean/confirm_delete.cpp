#include "clean/confirm_delete.h"

namespace velnor {

namespace {

constexpr char kQuestion[] = "Delete all selected items?";

}  // namespace

bool ConfirmDelete(IPrompts* prompts) {
    return prompts && prompts->MessageBox(kQuestion, kInformationCaption, kMbOkCancel | kMbIconQuestion) == kIdOk;
}

}  // namespace velnor
