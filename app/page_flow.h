#pragma once
#include <vector>

#include "app/main_dialog_state.h"

namespace velnor {

class AboutPage;
class CleanPage;

// The page flow: the page buttons, About, Back and Next, and which controls
// each page shows. The Clean and About pages are filled as they are entered.
class PageFlow {
public:
    PageFlow(const PartContext& context, CleanPage& clean, AboutPage& about)
        : controls_(context.controls), state_(context.state), clean_(clean), about_(about) {}

    void ShowPage(int page);
    void OnAbout();
    void OnBack();
    void OnNext();
    // Every way onto a page goes through here, so a page always looks the
    // same however it was reached.
    void EnterPage(int page);
    void HidePageControls();
    void UpdateNavigation(int page);
    // What a page shows besides the controls that every page shows.
    static const std::vector<int>& PageControlIds(int page);

private:
    DialogModel& controls_;
    MainDialogState& state_;
    CleanPage& clean_;
    AboutPage& about_;
};

}  // namespace velnor
