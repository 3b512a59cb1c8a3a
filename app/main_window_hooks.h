#pragma once
#include <string>

#include "profile/filter_add_dialog.h"

namespace velnor {

// What only the window can do for the parts of the main window. The Win32
// dialog answers these; the host tests stand in for it.
class MainWindowHooks {
public:
    virtual void EndMainDialog() {}
    // The add dialogs write into the values only when the user confirms.
    virtual void RunAddFilterDialog(FilterDialogValues& values) {}
    virtual void RunAddExcludeDialog(std::string& value) {}
    // The lists are set up and filled: the window can show them.
    virtual void OnListsSetUp() {}

protected:
    ~MainWindowHooks() = default;
};

}  // namespace velnor
