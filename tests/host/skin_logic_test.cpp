#include <gtest/gtest.h>

#include "ui/bitmap_pic.h"
#include "ui/control_model.h"
#include "ui/dialog_template.h"
#include "ui/display_scale.h"
#include "ui/gradient.h"
#include "ui/picture_access.h"

namespace velnor {
namespace {

TEST(DisplayScale, DrawnScaleLengthsFontsAndPictureIds) {
    // A display between two drawn scales takes the lower one; below 96 DPI
    // nothing shrinks.
    const struct {
        int dpi, percent, stepId;
    } scales[] = {{72, 100, 131}, {96, 100, 131}, {119, 100, 131}, {120, 125, 1131},
                  {144, 150, 2131}, {167, 150, 2131}, {168, 175, 3131}, {192, 200, 4131}, {288, 200, 4131}};
    for (const auto& s : scales) {
        const DisplayScale scale = DisplayScale::ForDpi(s.dpi);
        EXPECT_EQ(scale.Percent(), s.percent) << s.dpi;
        EXPECT_EQ(scale.PictureId(131), s.stepId) << s.dpi;
    }
    // Each length rounds half up on its own: 119 px at 125 % is 148.75, 27 is
    // 33.75, 30 is 37.5; negatives mirror positives.
    const DisplayScale at125 = DisplayScale::ForDpi(120), at150 = DisplayScale::ForDpi(144);
    EXPECT_EQ(at125.Px(119), 149);
    EXPECT_EQ(at125.Px(27), 34);
    EXPECT_EQ(at125.Px(30), 38);
    EXPECT_EQ(at125.Px(-30), -38);
    EXPECT_EQ(at150.Px(7), 11);
    EXPECT_EQ(DisplayScale::ForDpi(96).Px(613), 613);
    // Font heights round as MulDiv(points, dpi, 72) does.
    const int eightPoint[] = {-11, -13, -16, -19, -21};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(DisplayScale::ForDpi(kDrawnScales[i] * kBaseDpi / 100).FontHeight(8), eightPoint[i]);
}

// An extended dialog template as resource compilers write it, item by item.
class TemplateBytes {
public:
    TemplateBytes& Word(uint16_t w) {
        bytes.push_back(static_cast<uint8_t>(w & 0xFF));
        bytes.push_back(static_cast<uint8_t>(w >> 8));
        return *this;
    }
    TemplateBytes& Dword(uint32_t d) { return Word(d & 0xFFFF).Word(static_cast<uint16_t>(d >> 16)); }
    TemplateBytes& Text(const char* s) {
        for (; *s; ++s) Word(static_cast<uint8_t>(*s));
        return Word(0);
    }
    TemplateBytes& Align() {
        while (bytes.size() % 4) bytes.push_back(0);
        return *this;
    }
    // One control: its id, class and text each an ordinal (0xFFFF, n) or a string.
    TemplateBytes& Item(uint32_t id, const char* text, int textOrdinal, uint16_t creationBytes = 0) {
        Align().Dword(0).Dword(0).Dword(0x5000000E).Word(1).Word(2).Word(3).Word(4).Dword(id);
        Word(0xFFFF).Word(0x0082);  // the Static class
        if (text)
            Text(text);
        else
            Word(0xFFFF).Word(static_cast<uint16_t>(textOrdinal));
        Word(creationBytes);
        for (int i = 0; i < creationBytes; ++i) bytes.push_back(0xAB);
        return *this;
    }
    std::vector<uint8_t> bytes;
};

TEST(TemplatePictures, StaticsNamingAResourceAfterAFontAndAnyOtherControls) {
    TemplateBytes t;
    t.Word(1).Word(0xFFFF).Dword(0).Dword(0).Dword(0x80C80048 /* DS_SHELLFONT among others */).Word(4);
    t.Word(0).Word(0).Word(427).Word(295).Word(0).Word(0).Text("Velnor Disk Cleaner");
    t.Word(8).Word(400).Word(0x0100).Text("MS Shell Dlg");
    t.Item(1013, nullptr, 264).Item(1020, "Include Read Files", 0, 3);
    const size_t beforeThird = t.bytes.size();
    t.Item(1168, nullptr, 168).Item(1099, "", 0);
    const std::vector<TemplatePicture> all = TemplatePictures(t.bytes.data(), t.bytes.size());
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].controlId, 1013);
    EXPECT_EQ(all[0].resourceId, 264);
    EXPECT_EQ(all[1].controlId, 1168);
    EXPECT_EQ(all[1].resourceId, 168);
    // Cut inside the third control: what was read before the cut is kept.
    EXPECT_EQ(TemplatePictures(t.bytes.data(), beforeThird + 30).size(), 1u);
    // The old template form is not read at all.
    std::vector<uint8_t> old = t.bytes;
    old[0] = 0;
    EXPECT_TRUE(TemplatePictures(old.data(), old.size()).empty());
}

TEST(GradientBands, WideLabelStartsAtTheStartColourAndStopsShortOfTheEnd) {
    const Rgb start{145, 140, 167}, end{230, 230, 230};
    const std::vector<GradientBand> bands = GradientBands(0, 300, start, end);
    ASSERT_EQ(bands.size(), 255u);
    EXPECT_EQ(bands.front().left, 0);
    EXPECT_EQ(bands.front().color, start);
    EXPECT_EQ(bands.back().color, (Rgb{229, 229, 229}));
    int covered = 0;
    for (size_t i = 0; i < bands.size(); ++i) {
        const int width = bands[i].right - bands[i].left;
        EXPECT_TRUE(width == 1 || width == 2) << i;
        if (i > 0) EXPECT_EQ(bands[i].left, bands[i - 1].right);
        covered += width;
    }
    // The last band ends at the right edge or one pixel short of it.
    EXPECT_GE(covered, 299);
    EXPECT_LE(covered, 300);
}

TEST(GradientBands, NarrowLabelHasEmptyBandsAndEachColumnOneColour) {
    const std::vector<GradientBand> bands = GradientBands(10, 110, Rgb{0, 0, 0}, Rgb{255, 255, 255});
    int empty = 0;
    std::vector<int> owners(100, 0);
    for (const GradientBand& b : bands) {
        if (b.right == b.left) ++empty;
        for (int x = b.left; x < b.right; ++x) ++owners[x - 10];
    }
    EXPECT_GT(empty, 100);
    for (int x = 0; x < 99; ++x) EXPECT_EQ(owners[x], 1) << x;
}

struct PictureButton {
    DialogModel dialog;
    Control button = dialog[1011];
    PictureButton(PictureKind kind, int state, bool hover = true) {
        button.SetHoverTracking(hover);
        button.Setup(kind, state, 0, 0, 10, 10, 202, 203, 204, "");
    }
};

TEST(PicturePointer, PageButtonLightsUpAndGoesBackWhenThePointerLeaves) {
    PictureButton b(PictureKind::Pic, 0);
    PointerOutcome over = OnPicturePointerMove(b.button, true);
    EXPECT_EQ(b.button.ButtonState(), 2);
    EXPECT_EQ(b.button.State().shownPicture, 203);
    EXPECT_TRUE(over.capture && over.handCursor && over.trackLeave);
    // Every move over it does the same again; the capture stays.
    over = OnPicturePointerMove(b.button, true);
    EXPECT_TRUE(over.capture && !over.release);
    PointerOutcome away = OnPicturePointerMove(b.button, false);
    EXPECT_EQ(b.button.ButtonState(), 0);
    EXPECT_EQ(b.button.State().shownPicture, 202);
    EXPECT_TRUE(away.release);
}

TEST(PicturePointer, CurrentPageKeepsItsSelectedLookAndTheArrow) {
    PictureButton b(PictureKind::Pic, 1);
    const PointerOutcome over = OnPicturePointerMove(b.button, true);
    EXPECT_EQ(b.button.ButtonState(), 1);
    EXPECT_EQ(b.button.State().shownPicture, 204);
    EXPECT_FALSE(over.handCursor);
    EXPECT_FALSE(over.capture);
}

TEST(PicturePointer, OptionPictureIgnoresThePointer) {
    PictureButton b(PictureKind::Pic, 0, false);
    const PointerOutcome over = OnPicturePointerMove(b.button, true);
    EXPECT_EQ(b.button.ButtonState(), 0);
    EXPECT_EQ(b.button.State().shownPicture, 202);
    EXPECT_TRUE(over.release);
    EXPECT_FALSE(over.handCursor);
}

TEST(PicturePointer, PushButtonLightsOnlyFromNormalAndBusyOrDisabledKeepTheirLook) {
    PictureButton normal(PictureKind::PicEx, 1);
    OnPicturePointerMove(normal.button, true);
    EXPECT_EQ(normal.button.ButtonState(), 2);
    EXPECT_EQ(normal.button.State().shownPicture, 203);
    OnPicturePointerMove(normal.button, false);
    EXPECT_EQ(normal.button.ButtonState(), 1);
    EXPECT_EQ(normal.button.State().shownPicture, 204);

    for (int state : {0, 3}) {
        PictureButton b(PictureKind::PicEx, state);
        const PointerOutcome o = OnPicturePointerMove(b.button, true);
        EXPECT_EQ(b.button.ButtonState(), state);
        EXPECT_EQ(b.button.State().shownPicture, 202);
        EXPECT_FALSE(o.handCursor);
    }
}

TEST(ControlModel, StateAndPictureFollowTheKindOfButton) {
    DialogModel d;
    d[1].Setup(PictureKind::PicEx, 0, 0, 0, 1, 1, 10, 11, 12, "");
    EXPECT_EQ(d.StateOf(1).shownPicture, 10);
    d[1].SetStateAndPicture(1);
    EXPECT_EQ(d.StateOf(1).shownPicture, 12);
    d[1].SetStateAndPicture(3);
    EXPECT_EQ(d.StateOf(1).shownPicture, 10);
    d[2].Setup(PictureKind::Pic, 1, 0, 0, 1, 1, 20, 21, 22, "tip");
    EXPECT_EQ(d.StateOf(2).shownPicture, 22);
    EXPECT_EQ(d.StateOf(2).tooltip, "tip");
}

TEST(PictureAccess, NameRoleAndStateFollowTheKindAndState) {
    DialogModel d;
    d.Seed(20, "Include Hide Files");
    d[1].Setup(PictureKind::PicEx, 1, 0, 0, 1, 1, 10, 11, 12, "Start Scan!");
    d[1].SetRole(PictureRole::PushButton, "Start Scan");
    d[2].Setup(PictureKind::PicEx, 1, 0, 0, 1, 1, 10, 11, 12, "Exit the program");
    d[3].Setup(PictureKind::Pic, 0, 0, 0, 1, 1, 10, 11, 12, "Set your preferences");
    d[3].SetRole(PictureRole::PageTab, "Options");
    d[4].Setup(PictureKind::Pic, 0, 0, 0, 1, 1, 10, 11, 12, "");
    d[4].SetRole(PictureRole::CheckBox, "", 20);
    d[5].Setup(PictureKind::Pic, 0, 0, 0, 1, 1, 10, 11, 12, "");
    d[5].SetRole(PictureRole::RadioButton, "Permanently");
    struct Case {
        int id, state;
        const char* name;
        PictureRole role;
        bool checked, selected, unavailable;
    } cases[] = {
        {1, 1, "Start Scan", PictureRole::PushButton, false, false, false},
        {1, 2, "Start Scan", PictureRole::PushButton, false, false, false},
        {1, 0, "Start Scan", PictureRole::PushButton, false, false, true},
        {1, 3, "Start Scan", PictureRole::PushButton, false, false, true},
        {2, 1, "Exit the program", PictureRole::PushButton, false, false, false},
        {3, 0, "Options", PictureRole::PageTab, false, false, false},
        {3, 1, "Options", PictureRole::PageTab, false, true, false},
        {4, 0, "Include Hide Files", PictureRole::CheckBox, false, false, false},
        {4, 1, "Include Hide Files", PictureRole::CheckBox, true, false, false},
        {5, 1, "Permanently", PictureRole::RadioButton, true, false, false},
    };
    for (const Case& c : cases) {
        d[c.id].SetButtonState(c.state);
        const PictureAccess a = DescribePicture(d, c.id);
        EXPECT_EQ(a.name, c.name) << c.id << "/" << c.state;
        EXPECT_EQ(a.role, c.role) << c.id << "/" << c.state;
        EXPECT_EQ(a.checked, c.checked) << c.id << "/" << c.state;
        EXPECT_EQ(a.selected, c.selected) << c.id << "/" << c.state;
        EXPECT_EQ(a.unavailable, c.unavailable) << c.id << "/" << c.state;
    }
}

}  // namespace
}  // namespace velnor
