#pragma once
#include <cstdint>
#include <string>

#include "app/main_dialog_state.h"
#include "ui/link_label.h"

namespace velnor {

// The About page: the maker, the version and the two links, and the user
// manual that Help opens.
class AboutPage {
public:
    explicit AboutPage(const PartContext& context) : platform_(context.platform), controls_(context.controls) {}

    void FillAboutPage();
    // The user manual: the executable's path with the extension ".CHM", opened
    // at the main window's help context (a dialog's context is 0x20000 plus
    // its template id, here 102).
    std::string HelpFilePath() const;
    static constexpr uint32_t kHelpContext = 0x20000 + 102;

    // The page's two links (controls 1145 and 1151), which the window's link
    // labels show.
    LinkLabelState homeLink, supportLink;

private:
    const Platform platform_;
    DialogModel& controls_;
};

}  // namespace velnor
