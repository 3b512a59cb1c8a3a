#pragma once
#include "app/main_dialog_state.h"
#include "app/main_window_hooks.h"
#include "app/profile_store.h"

namespace velnor {

// The Add, Remove and Default buttons of the Path, Filters and Exceptions
// pages: each change to a list is saved at once.
class ListPages {
public:
    ListPages(const PartContext& context, ScanProfile& profile, ProfileLists& lists, ProfileStore& store,
              MainWindowHooks& window)
        : platform_(context.platform), controls_(context.controls), state_(context.state), profile_(profile),
          lists_(lists), store_(store), window_(window) {}

    void OnAddEntry();
    void OnRemoveEntry();
    void OnRestoreDefaults();
    void AddFolderLocation();
    void RemoveLocation();

private:
    void AddFilter();
    void AddExclusion();
    void RemoveFilter();
    void RemoveExclusion();
    // Removes the list's selected row, unless `stays` keeps it; the heading's
    // check follows the rows left.
    template <typename Record>
    void RemoveSelected(RecordListModel<Record>& list, bool (*stays)(const Record&));

    struct PageCommands {
        int page;
        void (ListPages::*add)();
        void (ListPages::*remove)();
        void (ProfileStore::*restore)();
    };
    static const PageCommands kPageCommands[];
    // Null on a page without a list.
    const PageCommands* CurrentPageCommands() const;

    const Platform platform_;
    DialogModel& controls_;
    MainDialogState& state_;
    ScanProfile& profile_;
    ProfileLists& lists_;
    ProfileStore& store_;
    MainWindowHooks& window_;
};

}  // namespace velnor
