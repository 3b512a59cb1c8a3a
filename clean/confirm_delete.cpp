#include "clean/confirm_delete.h"

namespace velnor {

namespace {

constexpr char kQuestion[] = "Delete all selected items?";
constexpr char kCaption[] = "Information";

}  // namespace

bool ConfirmDelete(IPrompts* prompts) {
    return prompts && prompts->MessageBox(kQuestion, kCaption, kMbOkCancel | kMbIconQuestion) == kIdOk;
}

}  // namespace velnor
