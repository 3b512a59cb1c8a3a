#pragma once
#include <string>

#include "platform/prompts.h"
#include "ui/control_model.h"

namespace velnor {

// The behaviour of the "Add exclude path" dialog (template 147): one folder
// pattern, typed or picked with the folder chooser, and whether OK may be
// pressed. The dialog window mirrors `controls`.
class ExcludePathAddDialogModel {
public:
    static constexpr const char* kTitle = "Add exclude path";

    // Every run starts with an empty box and OK disabled.
    void Open();
    // The box as the window shows it now; the box is not changed.
    void OnPathChanged(const std::string& text);
    // Asks the folder chooser. A chosen folder fills the box and enables OK at
    // once; a cancelled chooser or a drive root ("C:\") leaves the box as it
    // was. True when the box was filled.
    bool Browse(IPrompts& prompts);
    // A click on OK: false while OK is disabled. Otherwise hands back the text
    // untrimmed and returns true: the dialog closes.
    bool Confirm(std::string& value) const;

    bool OkEnabled() const;
    const std::string& Path() const;

    DialogModel controls;
};

}  // namespace velnor
