#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/fakes/fake_platform.h"

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
