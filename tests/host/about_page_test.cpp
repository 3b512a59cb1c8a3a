#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <sstream>
#include <string>

#include "res/resource.h"
#include "tests/fakes/fake_platform.h"
#include "velnor_version.h"

namespace velnor {
namespace {

using testing::FakePlatform;
using testing::TestMainDialog;

class AboutPage : public ::testing::Test {
protected:
    void SetUp() override { dialog.Start(); }
    FakePlatform fakes;
    TestMainDialog dialog{fakes};
};

TEST_F(AboutPage, ShowsTheTextsPicturesAndLinks) {
    const struct {
        int id;
        const char* text;
    } texts[] = {
        {IDC_DEVELOPER, "Developer:  Velnor Software"},
        {IDC_VERSION, "Current Version:   1.13"},
        {IDC_HOME_CAPTION, "Home Page:"},
        {IDC_SUPPORT_CAPTION, "Support E-mail:"},
        {IDC_HOME_LINK, "www.velnor.example"},
        {IDC_SUPPORT_LINK, "help@velnor.example"},
    };
    for (const auto& t : texts) {
        EXPECT_EQ(dialog.controls.StateOf(t.id).text, t.text) << t.id;
        EXPECT_TRUE(dialog.controls.StateOf(t.id).visible) << t.id;
    }
    for (int id : {IDC_ABOUT_TITLE, IDC_ABOUT_PICTURE, IDC_ABOUT_FOOTER})
        EXPECT_TRUE(dialog.controls.StateOf(id).visible) << id;
    EXPECT_EQ(dialog.about.homeLink.target, "www.velnor.example");
    EXPECT_EQ(dialog.about.supportLink.target, "mailto:help@velnor.example");
    for (const LinkLabelState* link : {&dialog.about.homeLink, &dialog.about.supportLink}) {
        EXPECT_EQ(link->normalColor, 0xFF0000u);
        EXPECT_EQ(link->hoverColor, 0x0000FFu);
        EXPECT_EQ(link->visitedColor, 0x000D00u);
        EXPECT_EQ(link->TextColor(), 0xFF0000u);
    }
}

TEST_F(AboutPage, FillingAgainKeepsTheVisitedState) {
    dialog.about.homeLink.visited = true;
    dialog.about.FillAboutPage();
    EXPECT_TRUE(dialog.about.homeLink.visited);
    EXPECT_FALSE(dialog.about.supportLink.visited);
    EXPECT_EQ(dialog.about.homeLink.target, "www.velnor.example");
}

// The version is written once, in VERSION, and the build fills it in
// everywhere else; the README, which the build does not make, names the
// packages without it, so that no copy of it goes stale at the next release.
TEST(VersionText, TheReadmeWritesNoneByHand) {
    std::ifstream in(VELNOR_SOURCE_DIR "/README.md", std::ios::binary);
    ASSERT_TRUE(in) << "README.md";
    std::stringstream readme;
    readme << in.rdbuf();
    const std::string text = readme.str();
    const std::string version = VELNOR_VERSION;
    // The version as a number of its own, not the middle of a longer one.
    auto partOfNumber = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) || c == '.'; };
    for (size_t at = text.find(version); at != std::string::npos; at = text.find(version, at + 1)) {
        const bool before = at > 0 && partOfNumber(text[at - 1]);
        const size_t end = at + version.size();
        const bool after = end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]));
        EXPECT_TRUE(before || after) << "README.md writes the version by hand: ..."
                                     << text.substr(at > 40 ? at - 40 : 0, 80) << "...";
    }
}

TEST(LinkLabelState, VisitedWinsOverHover) {
    LinkLabelState link;
    link.normalColor = 1;
    link.hoverColor = 2;
    link.visitedColor = 3;
    const struct {
        bool hovered, visited;
        uint32_t color;
    } cases[] = {{false, false, 1}, {true, false, 2}, {false, true, 3}, {true, true, 3}};
    for (const auto& c : cases) {
        link.hovered = c.hovered;
        link.visited = c.visited;
        EXPECT_EQ(link.TextColor(), c.color) << c.hovered << c.visited;
    }
}

TEST(HelpFilePath, IsTheExecutablesPathWithTheHelpExtension) {
    const struct {
        const char* module;
        const char* help;
    } cases[] = {
        {"C:\\Program Files\\Velnor\\VelnorCleaner.exe", "C:\\Program Files\\Velnor\\VelnorCleaner.CHM"},
        {"C:/tools/cleaner.v2/Cleaner.EXE", "C:/tools/cleaner.v2/Cleaner.CHM"},
        {"C:\\tools\\cleaner.v2\\Cleaner", "C:\\tools\\cleaner.v2\\Cleaner.CHM"},
    };
    for (const auto& c : cases) {
        FakePlatform fakes;
        fakes.files.modulePath = c.module;
        TestMainDialog dialog(fakes);
        EXPECT_EQ(dialog.about.HelpFilePath(), c.help);
    }
}

}  // namespace
}  // namespace velnor
