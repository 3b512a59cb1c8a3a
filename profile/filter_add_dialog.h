#pragma once
#include <string>

#include "profile/profile.h"
#include "ui/control_model.h"

namespace velnor {

// What the dialog hands back; written only when the user confirms.
struct FilterDialogValues {
    std::string pattern;
    std::string description;
    FilterType type = FilterType::Include;
};

// Leading and trailing blanks, tabs and line breaks removed.
std::string TrimBlanks(const std::string& text);
// At most kMaxEntryChars characters: what the caller's storage holds.
std::string ClampEntry(const std::string& text);

// The behaviour of the "Add Filter" dialog (template 151): which type is chosen,
// what the two edit boxes hold and whether OK may be pressed. Radio buttons keep
// their check in their state (1 checked); the OK and Cancel pictures are push
// buttons of the skin. The dialog window mirrors `controls`.
class FilterAddDialogModel {
public:
    static constexpr const char* kTitle = "Add Filter";

    // Every run starts blank with "Include" chosen and OK disabled, whatever
    // the run before left.
    void Open();
    // The two radio buttons are each the first of their own group, so the
    // system does not clear one when the other is chosen; this does.
    void OnTypeChosen(int radioId);
    // The pattern box as the window shows it now; the box is not changed.
    void OnPatternChanged(const std::string& text);
    void OnDescriptionChanged(const std::string& text);
    // A click on OK: false while OK is disabled. Otherwise fills `values` with
    // the type and both texts untrimmed and returns true: the dialog closes.
    bool Confirm(FilterDialogValues& values) const;

    bool IncludeChosen() const;
    bool OkEnabled() const;

    DialogModel controls;
};

}  // namespace velnor
