#pragma once
#include "platform/prompts.h"

namespace velnor {

// The caption of the program's message boxes.
constexpr char kInformationCaption[] = "Information";

// The question asked before anything the user checked is deleted, in the main
// window and in the cookie cleaner alike: true only when the user answers OK.
// Without prompts there is no one to answer, and nothing is deleted.
bool ConfirmDelete(IPrompts* prompts);

}  // namespace velnor
