#include "app/about_page.h"

#include "app/page_flow.h"
#include "res/resource.h"
#include "velnor_version.h"

namespace velnor {

namespace {

const char kMaker[] = "Velnor Software";
const char kHomePage[] = "www.velnor.example";
const char kSupportAddress[] = "help@velnor.example";
const char kMailScheme[] = "mailto:";

const char kDeveloperLabel[] = "Developer:  ";
const char kVersionText[] = "Current Version:   " VELNOR_VERSION;
const char kHomeCaption[] = "Home Page:";
const char kSupportCaption[] = "Support E-mail:";

constexpr uint32_t kLinkNormal = 0xFF0000;   // blue
constexpr uint32_t kLinkHover = 0x0000FF;    // red
constexpr uint32_t kLinkVisited = 0x000D00;  // a very dark green

const char kHelpExtension[] = ".CHM";

void SetColors(LinkLabelState& link) {
    link.normalColor = kLinkNormal;
    link.hoverColor = kLinkHover;
    link.visitedColor = kLinkVisited;
}

}  // namespace

// Filling the page again keeps the links' visited state: a link once opened
// stays in its visited colour while the window lives.
void AboutPage::FillAboutPage() {
    supportLink.target = std::string(kMailScheme) + kSupportAddress;
    homeLink.target = kHomePage;
    SetColors(supportLink);
    SetColors(homeLink);

    controls_[IDC_DEVELOPER].SetText(std::string(kDeveloperLabel) + kMaker);
    controls_[IDC_VERSION].SetText(kVersionText);
    controls_[IDC_HOME_CAPTION].SetText(kHomeCaption);
    controls_[IDC_SUPPORT_CAPTION].SetText(kSupportCaption);
    controls_[IDC_HOME_LINK].SetText(kHomePage);
    controls_[IDC_SUPPORT_LINK].SetText(kSupportAddress);
    for (int id : PageFlow::PageControlIds(kPageAbout)) controls_[id].Show(true);
}

std::string AboutPage::HelpFilePath() const {
    std::string path = platform_.files ? platform_.files->ModulePath() : std::string();
    const size_t name = path.find_last_of("\\/");
    const size_t dot = path.rfind('.');
    if (dot != std::string::npos && (name == std::string::npos || dot > name)) path.resize(dot);
    return path + kHelpExtension;
}

}  // namespace velnor
