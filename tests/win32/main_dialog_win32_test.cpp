#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/main_dialog_win32.h"
#include "clean/browser_caches.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/win32_platform.h"
#include "profile/exclude_path_add_dialog_win32.h"
#include "profile/filter_add_dialog_win32.h"
#include "res/resource.h"
#include "tests/win32/support/main_window.h"
#include "tests/win32/support/text_fit.h"
#include "tests/win32/support/win_test_support.h"
#include "ui/dpi_win32.h"
#include "ui/gradient_label_win32.h"

namespace velnor {
namespace {

using testing::CloseMainWindow;
using testing::ProgramInFolder;
using testing::PumpMessages;
using testing::TempDir;

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        files = std::make_unique<ProgramInFolder>(dir.Path());
        platform.files = files.get();
        platform.prompts = &prompts;
        platform.pump = &pump;
        platform.locale = &locale;
        dialog = std::make_unique<CMainDialog>(platform);
        ASSERT_TRUE(dialog->Create(nullptr));
        ::ShowWindow(dialog->Hwnd(), SW_SHOW);
        ::SetWindowPos(dialog->Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        PumpMessages();
    }
    void TearDown() override {
        CloseMainWindow(dialog);
    }

    RECT ClientRectOf(int id) {
        HWND control = dialog->Item(id);
        RECT r;
        ::GetWindowRect(control, &r);
        ::MapWindowPoints(nullptr, dialog->Hwnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    TempDir dir;
    std::unique_ptr<ProgramInFolder> files;
    Win32Prompts prompts;
    Win32MessagePump pump;
    Win32Locale locale;
    Platform platform;
    std::unique_ptr<CMainDialog> dialog;
};

TEST_F(MainWindow, OpensBorderlessAtTheBackgroundsSize) {
    RECT client;
    ::GetClientRect(dialog->Hwnd(), &client);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 480);
    const LONG_PTR style = ::GetWindowLongPtrA(dialog->Hwnd(), GWL_STYLE);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_TRUE(::GetWindowLongPtrA(dialog->Hwnd(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
    char title[64] = {};
    ::GetWindowTextA(dialog->Hwnd(), title, sizeof title);
    EXPECT_STREQ(title, "Velnor Disk Cleaner");
    EXPECT_TRUE(dialog->HasBackground());
}

// The controls that are not picture buttons, at the places of the skin's
// artwork (pictures shown by a static take their bitmap's size, which is the
// size given here).
TEST_F(MainWindow, EveryPlainControlSitsAtItsPlaceOnTheSkin) {
    const struct Case {
        int id, x, y, width, height;
    } cases[] = {
        {IDC_TITLE_ICON, 6, 3, 25, 25},           {IDC_ORNAMENT, 20, 420, 113, 10},
        {IDC_SEPARATOR, 480, 420, 7, 26},         {IDC_LOCATION_LIST, 142, 110, 385, 260},
        {IDC_FILTER_LIST, 142, 110, 385, 260},    {IDC_EXCLUDE_LIST, 142, 110, 385, 260},
        {IDC_SCAN_OPTIONS_FRAME, 200, 130, 300, 150},
        {IDC_OPT_READ_CAPTION, 240, 150, 200, 20},   {IDC_OPT_SYSTEM_CAPTION, 240, 180, 200, 20},
        {IDC_OPT_HIDE_CAPTION, 240, 210, 200, 20},   {IDC_OPT_ZERO_CAPTION, 240, 240, 200, 20},
        {IDC_REMOVAL_FRAME, 200, 300, 300, 80},      {IDC_RECYCLE_CAPTION, 260, 320, 200, 20},
        {IDC_PERMANENT_CAPTION, 260, 350, 200, 20},  {IDC_RESULT_LIST, 142, 97, 470, 210},
        {IDC_SCAN_STATUS_FRAME, 200, 310, 350, 85},  {IDC_TOTAL_FILES, 210, 330, 150, 15},
        {IDC_TOTAL_SIZE, 210, 350, 150, 15},         {IDC_SELECTED_FILES, 360, 330, 150, 15},
        {IDC_SELECTED_SIZE, 360, 350, 150, 15},      {IDC_SCAN_STATUS, 210, 370, 300, 15},
        {IDC_CLEAN_FRAME, 160, 95, 430, 180},        {IDC_JUNK_CAPTION, 200, 110, 200, 20},
        {IDC_JUNK_SIZE, 410, 110, 100, 20},          {IDC_CLEAN_RECYCLE_CAPTION, 200, 150, 240, 20},
        {IDC_CLEAN_TEMP_CAPTION, 200, 170, 240, 20}, {IDC_CLEAN_INTERNET_CAPTION, 200, 190, 240, 20},
        {IDC_CLEAN_HISTORY_CAPTION, 200, 210, 240, 20}, {IDC_CLEAN_RECENT_CAPTION, 200, 230, 240, 20},
        {IDC_CLEAN_BROWSERS_CAPTION, 200, 250, 240, 20},
        {IDC_RULE_RECYCLE, 450, 150, 3, 12},         {IDC_RULE_RECENT, 450, 230, 3, 12},
        {IDC_RULE_BROWSERS, 450, 250, 3, 12},        {IDC_SIZE_BROWSERS, 480, 250, 60, 20},
        {IDC_SIZE_RECYCLE, 480, 150, 60, 20},        {IDC_SIZE_RECENT, 480, 230, 60, 20},
        {IDC_CLEAN_STATUS, 160, 290, 300, 20},       {IDC_CLEAN_PROGRESS, 160, 318, 300, 7},
        {IDC_COOKIES_FRAME, 160, 345, 300, 45},      {IDC_ABOUT_TITLE, 410, 100, 210, 30},
        {IDC_ABOUT_PICTURE, 143, 100, 230, 168},     {IDC_DEVELOPER, 430, 150, 180, 20},
        {IDC_VERSION, 430, 180, 150, 20},            {IDC_HOME_CAPTION, 430, 210, 80, 20},
        {IDC_SUPPORT_CAPTION, 430, 240, 80, 20},     {IDC_HOME_LINK, 510, 210, 113, 20},
        {IDC_SUPPORT_LINK, 510, 240, 113, 20},       {IDC_ABOUT_FOOTER, 240, 370, 291, 14},
        {IDC_HINT, 120, 370, 300, 30},
    };
    for (const Case& c : cases) {
        ASSERT_NE(dialog->Item(c.id), nullptr) << c.id;
        const RECT r = ClientRectOf(c.id);
        EXPECT_EQ(r.left, c.x) << c.id;
        EXPECT_EQ(r.top, c.y) << c.id;
        EXPECT_EQ(r.right - r.left, c.width) << c.id;
        EXPECT_EQ(r.bottom - r.top, c.height) << c.id;
    }
}

// Every text of every page and of the small dialogs, whole and within its
// control, in either face of the dialog font at each display scale. The main
// window places its controls in pixels; the small dialogs leave theirs to the
// dialog manager, which sizes them in units of the face that draws them.
TEST_F(MainWindow, EveryTextOfEveryPageAndDialogFitsInEitherDialogFaceAtEveryScale) {
    using testing::Misfit;
    using testing::ShownText;
    std::vector<std::string> misfits;
    HDC dc = ::GetDC(dialog->Hwnd());
    // Measures `texts` in each face at `scale`; `resize` turns a room into the
    // room that face gives it.
    auto measure = [&](const std::string& where, const DisplayScale& scale, const std::vector<ShownText>& texts,
                       const std::function<void(ShownText&)>& resize) {
        for (const char* face : testing::kDialogFaces) {
            UniqueFont font(testing::CreateDialogFont(face, scale));
            const SelectedObject selected(dc, font.Get());
            char used[LF_FACESIZE] = {};
            ::GetTextFaceA(dc, LF_FACESIZE, used);
            ASSERT_STREQ(used, face) << "no stand-in face may be measured";
            for (ShownText text : texts) {
                if (resize) resize(text);
                const std::string misfit = Misfit(dc, text, scale);
                if (!misfit.empty())
                    misfits.push_back(where + ", " + face + " at " + std::to_string(scale.Dpi()) + " DPI: " + misfit);
            }
        }
    };

    // The Clean page's status line is painted with its margin kept free; it
    // shows these texts too, the longest of a clean.
    std::vector<std::string> statusLines = {"Status: No browser cache folders were found.",
                                            "Clean Completed! Left: 1 file, Browser Caches."};
    const std::vector<Browser> all = {Browser::Chrome, Browser::Brave, Browser::Vivaldi, Browser::Opera,
                                      Browser::OperaGx, Browser::Firefox};
    for (size_t n = 0; n <= all.size(); ++n) {
        std::vector<Browser> running(all.begin(), all.begin() + n);
        if (n > 0) statusLines.push_back(CloseBrowsersText(running));
        statusLines.push_back(CloseBrowsersText({all[n == all.size() ? 0 : n]}));
        running.push_back(Browser::Edge);
        statusLines.push_back(CloseBrowsersText(running));
    }
    const char* const pageNames[] = {"About", "Path", "Filters", "Exceptions", "Options", "Scan", "Clean"};
    size_t measured = 0;
    for (int dpi : testing::kFitDpis) {
        const DisplayScale scale = DisplayScale::ForDpi(dpi);
        RECT suggested = {0, 0, scale.Px(640), scale.Px(480)};
        ::SendMessageA(dialog->Hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        for (int page = kPageAbout; page <= kPageClean; ++page) {
            if (page == kPageAbout)
                dialog->parts.flow.OnAbout();
            else
                dialog->parts.flow.ShowPage(page);
            PumpMessages();
            std::vector<ShownText> texts = testing::ShownTexts(dialog->Hwnd());
            for (ShownText& text : texts) {
                if (text.id != IDC_CLEAN_STATUS) continue;
                text.kind = testing::TextKind::OneLine;
                text.margin = scale.Px(CGradientLabel().margin);
                for (const std::string& line : statusLines) {
                    ShownText status = text;
                    status.text = line;
                    texts.push_back(status);
                }
                break;
            }
            measured += texts.size();
            measure(pageNames[page], scale, texts, nullptr);
        }
    }
    RECT suggested = {0, 0, 640, 480};
    ::SendMessageA(dialog->Hwnd(), WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
    // Sixty texts at each scale; a walk that found none would measure nothing.
    EXPECT_GE(measured, 4u * 60);

    CFilterAddDialog addFilter;
    CExcludePathAddDialog addExclusion;
    const std::pair<CDialog*, const char*> smallDialogs[] = {{&addFilter, "Add Filter"},
                                                             {&addExclusion, "Add exclude path"}};
    for (const auto& [small, title] : smallDialogs) {
        ASSERT_TRUE(small->Create(dialog->Hwnd())) << title;
        PumpMessages();
        RECT units = {0, 0, 4, 8};
        ::MapDialogRect(small->Hwnd(), &units);
        const std::vector<ShownText> texts = testing::ShownTexts(small->Hwnd());
        EXPECT_GE(texts.size(), 1u) << title;
        for (int dpi : testing::kFitDpis) {
            const DisplayScale scale = DisplayScale::ForDpi(dpi);
            SIZE faceUnits = {};
            // The template's room in dialog units, in the units of the face
            // measured at this scale.
            measure(title, scale, texts, [&](ShownText& text) {
                if (faceUnits.cx == 0) faceUnits = testing::DialogBaseUnits(dc);
                const int width = ::MulDiv(text.width, 4, units.right), height = ::MulDiv(text.height, 8, units.bottom);
                text.width = ::MulDiv(width, faceUnits.cx, 4);
                text.height = ::MulDiv(height, faceUnits.cy, 8);
            });
        }
        small->DestroyWindow();
        PumpMessages();
    }
    ::ReleaseDC(dialog->Hwnd(), dc);
    std::string listed;
    for (const std::string& m : misfits) listed += "\n  " + m;
    EXPECT_TRUE(misfits.empty()) << misfits.size() << " texts do not fit:" << listed;
}

TEST_F(MainWindow, ButtonsShowTheirPicturesAtThePictureSize) {
    struct Case {
        int id, x, y, state, width, height;
    } cases[] = {
        {IDC_START_SCAN, 36, 410, 1, 31, 31},  {IDC_STOP_SCAN, 78, 415, 0, 22, 22},
        {IDC_PAGE_PATH, 8, 170, 0, 120, 27},   {IDC_BACK, 310, 420, 0, 76, 26},
        {IDC_NEXT, 390, 420, 1, 76, 26},       {IDC_EXIT, 500, 420, 1, 76, 26},
        {IDC_CLOSE, 615, 5, 1, 18, 19},        {IDC_HELP_BUTTON, 529, 51, 1, 46, 18},
        {IDC_START_CLEAN, 495, 285, 1, 92, 38}, {IDC_COOKIES_BUTTON, 165, 360, 1, 150, 25},
    };
    for (const Case& c : cases) {
        const RECT r = ClientRectOf(c.id);
        EXPECT_EQ(r.left, c.x) << c.id;
        EXPECT_EQ(r.top, c.y) << c.id;
        EXPECT_EQ(r.right - r.left, c.width) << c.id;
        EXPECT_EQ(r.bottom - r.top, c.height) << c.id;
        EXPECT_EQ(dialog->parts.controls.StateOf(c.id).state, c.state) << c.id;
        EXPECT_NE(::SendMessageA(dialog->Item(c.id), STM_GETIMAGE, IMAGE_BITMAP, 0), 0) << c.id;
    }
}

LONG FontHeight(LRESULT font, bool* underlined = nullptr) {
    LOGFONTA face = {};
    ::GetObjectA(reinterpret_cast<HFONT>(font), sizeof face, &face);
    if (underlined) *underlined = face.lfUnderline != 0;
    return face.lfHeight;
}

// What the window shows of its layout: every control's rectangle, font size
// and picture.
struct ShownLayout {
    std::vector<RECT> rects;
    std::vector<LONG> fontHeights;
    std::vector<SIZE> pictures;
};

SIZE BitmapSize(LRESULT bitmap) {
    BITMAP info = {};
    ::GetObjectA(reinterpret_cast<HBITMAP>(bitmap), sizeof info, &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

ShownLayout LayoutOf(HWND dialog) {
    ShownLayout shown;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        shown.rects.push_back(r);
        shown.fontHeights.push_back(FontHeight(::SendMessageA(child, WM_GETFONT, 0, 0)));
        shown.pictures.push_back(BitmapSize(::SendMessageA(child, STM_GETIMAGE, IMAGE_BITMAP, 0)));
    }
    return shown;
}

// A move to a display of another scale re-lays the window out with the
// pictures drawn for that scale, and the way back restores every pixel.
TEST_F(MainWindow, AnotherDisplayScaleLaysTheWindowOutForItAndBackAgain) {
    const HWND window = dialog->Hwnd();
    const ShownLayout before = LayoutOf(window);
    CMyListCtrlEx& results = dialog->ListControl(IDC_RESULT_LIST);
    const int firstColumn = ListView_GetColumnWidth(results.Hwnd(), 0);
    for (int dpi : {120, 144, 168, 192}) {
        SCOPED_TRACE(dpi);
        const DisplayScale scale = DisplayScale::ForDpi(dpi);
        RECT suggested = {40, 30, 40 + scale.Px(640), 30 + scale.Px(480)};
        ::SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        EXPECT_EQ(dialog->Scale().Percent(), dpi * 100 / 96);
        RECT client;
        ::GetClientRect(window, &client);
        EXPECT_EQ(client.right, scale.Px(640));
        EXPECT_EQ(client.bottom, scale.Px(480));
        // A push button, a page tab and a list, each at its place at the scale,
        // each picture drawn at the control's size rather than stretched.
        const struct {
            int id, x, y, width, height;
        } placed[] = {{IDC_NEXT, 390, 420, 76, 26},        {IDC_PAGE_SCAN, 8, 290, 120, 27},
                      {IDC_START_SCAN, 36, 410, 31, 31},   {IDC_ABOUT_PICTURE, 143, 100, 230, 168},
                      {IDC_RESULT_LIST, 142, 97, 470, 210}};
        for (const auto& c : placed) {
            const RECT r = ClientRectOf(c.id);
            EXPECT_EQ(r.left, scale.Px(c.x)) << c.id;
            EXPECT_EQ(r.top, scale.Px(c.y)) << c.id;
            EXPECT_EQ(r.right - r.left, scale.Px(c.width)) << c.id;
            EXPECT_EQ(r.bottom - r.top, scale.Px(c.height)) << c.id;
            if (c.id == IDC_RESULT_LIST) continue;
            const SIZE drawn = BitmapSize(::SendMessageA(dialog->Item(c.id), STM_GETIMAGE, IMAGE_BITMAP, 0));
            EXPECT_EQ(drawn.cx, scale.Px(c.width)) << c.id;
            EXPECT_EQ(drawn.cy, scale.Px(c.height)) << c.id;
        }
        EXPECT_EQ(FontHeight(::SendMessageA(dialog->Item(IDC_VERSION), WM_GETFONT, 0, 0)), scale.FontHeight(8));
        bool underlined = false;
        EXPECT_EQ(FontHeight(::SendMessageA(dialog->Item(IDC_HOME_LINK), WM_GETFONT, 0, 0), &underlined),
                  scale.FontHeight(8));
        EXPECT_TRUE(underlined);
        int cx = 0, cy = 0;
        ImageList_GetIconSize(Header_GetImageList(ListView_GetHeader(results.Hwnd())), &cx, &cy);
        EXPECT_EQ(cx, scale.Px(13));
        // A width the user may have dragged is carried from scale to scale.
        EXPECT_EQ(ListView_GetColumnWidth(results.Hwnd(), 0), scale.Px(firstColumn));
    }
    RECT suggested = {40, 30, 680, 510};
    ::SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
    const ShownLayout after = LayoutOf(window);
    ASSERT_EQ(after.rects.size(), before.rects.size());
    for (size_t i = 0; i < before.rects.size(); ++i) {
        EXPECT_TRUE(::EqualRect(&after.rects[i], &before.rects[i])) << i;
        EXPECT_EQ(after.pictures[i].cx, before.pictures[i].cx) << i;
        EXPECT_EQ(after.pictures[i].cy, before.pictures[i].cy) << i;
        EXPECT_EQ(after.fontHeights[i], before.fontHeights[i]) << i;
    }
    EXPECT_EQ(ListView_GetColumnWidth(results.Hwnd(), 0), firstColumn);
}

SIZE IconSize(HICON icon) {
    ICONINFO info = {};
    if (!icon || !::GetIconInfo(icon, &info)) return SIZE{0, 0};
    const SIZE size = BitmapSize(reinterpret_cast<LRESULT>(info.hbmColor ? info.hbmColor : info.hbmMask));
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    return size;
}

// The first column of a label's client area where its text leaves ink: the
// top row holds none, the text being centred on one line.
int FirstInkColumn(HWND label) {
    RECT r;
    ::GetClientRect(label, &r);
    HDC dc = ::GetDC(label);
    int found = -1;
    for (int x = 0; x < r.right && found < 0; ++x) {
        const COLORREF background = ::GetPixel(dc, x, 0);
        for (int y = 1; y < r.bottom && found < 0; ++y)
            if (::GetPixel(dc, x, y) != background) found = x;
    }
    ::ReleaseDC(label, dc);
    return found;
}

// Scale changes, one after another, as a user moves the window between
// monitors: each list keeps the check-all image and the sort arrow of its
// headings; a press on a check box where the user sees it, down to the
// list's bottom edge, turns it and brings the selected totals up to date;
// the tips wrap, the status line keeps its margin and the window's icons are
// drawn at the scale.
TEST_F(MainWindow, ListsTipsStatusLineAndIconsFollowEveryScaleChange) {
    for (int i = 0; i < 40; ++i) testing::WriteBytes(dir / ("junk" + std::to_string(i) + ".tmp"), std::string(i + 1, 'x'));
    auto& locations = dialog->parts.lists.locations;
    for (int row = 0; row < locations.RowCount(); ++row) locations.SetChecked(row, false);
    dialog->parts.store.AddLocationRow(locations.RowCount(), MakeFolderLocation(dir.Path(), true));
    ::SendMessageA(dialog->Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_START_SCAN, STN_CLICKED),
                   reinterpret_cast<LPARAM>(dialog->Item(IDC_START_SCAN)));
    PumpMessages();
    const ResultTable& results = dialog->parts.results;
    ASSERT_EQ(results.RowCount(), 40);

    const int listIds[] = {IDC_LOCATION_LIST, IDC_FILTER_LIST, IDC_EXCLUDE_LIST, IDC_RESULT_LIST};
    auto sortedColumn = [&](int id) { return dialog->ListControl(id).Model()->HasCheckBoxes() ? 1 : 0; };
    for (int id : listIds) {
        HWND header = ListView_GetHeader(dialog->Item(id));
        RECT r;
        Header_GetItemRect(header, sortedColumn(id), &r);
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        ::SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageA(header, WM_LBUTTONUP, 0, at);
        PumpMessages();
    }

    const HWND lv = dialog->Item(IDC_RESULT_LIST);
    const HWND label = dialog->Item(IDC_CLEAN_STATUS);
    for (int dpi : {120, 144, 192, 144}) {
        SCOPED_TRACE(dpi);
        const DisplayScale scale = DisplayScale::ForDpi(dpi);
        RECT suggested = {40, 30, 40 + scale.Px(640), 30 + scale.Px(480)};
        ::SendMessageA(dialog->Hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        PumpMessages();

        for (int id : listIds) {
            SCOPED_TRACE(id);
            const CheckListModel& model = *dialog->ListControl(id).Model();
            HWND header = ListView_GetHeader(dialog->Item(id));
            HDITEMA first = {};
            first.mask = HDI_FORMAT | HDI_IMAGE;
            Header_GetItem(header, 0, &first);
            if (model.HasCheckBoxes()) {
                EXPECT_TRUE(first.fmt & HDF_IMAGE);
                EXPECT_EQ(first.iImage, model.HeaderCheckImage());
            }
            HDITEMA sorted = {};
            sorted.mask = HDI_FORMAT;
            Header_GetItem(header, sortedColumn(id), &sorted);
            EXPECT_TRUE(sorted.fmt & HDF_OWNERDRAW);
            EXPECT_EQ(dialog->ListControl(id).Header().sortColumn, sortedColumn(id));
            EXPECT_FALSE(dialog->ListControl(id).Header().hideArrow);
        }

        // A press on the lowest check box that shows, found as a user finds
        // it: where the list view says a check box is.
        RECT client;
        ::GetClientRect(lv, &client);
        LVHITTESTINFO hit = {};
        int row = -1;
        for (int y = client.bottom - 1; y > client.bottom / 2 && row < 0; --y) {
            hit = {};
            hit.pt = POINT{scale.Px(60), y};
            const int under = ListView_HitTest(lv, &hit);
            if (under < 0) continue;
            RECT bounds = {}, icon = {};
            ListView_GetItemRect(lv, under, &bounds, LVIR_BOUNDS);
            ListView_GetItemRect(lv, under, &icon, LVIR_ICON);
            hit = {};
            hit.pt = POINT{(bounds.left + icon.left) / 2, y};
            if (ListView_HitTest(lv, &hit) == under && (hit.flags & LVHT_ONITEM) == LVHT_ONITEMSTATEICON) row = under;
        }
        ASSERT_GE(row, 0);
        const bool was = results.IsChecked(row);
        ::SendMessageA(lv, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(hit.pt.x, hit.pt.y));
        ::SendMessageA(lv, WM_LBUTTONUP, 0, MAKELPARAM(hit.pt.x, hit.pt.y));
        PumpMessages();
        ASSERT_NE(results.IsChecked(row), was);
        EXPECT_NE(ListView_GetCheckState(lv, row) != 0, was);
        uint32_t count = 0;
        uint64_t bytes = 0;
        for (int i = 0; i < results.RowCount(); ++i) {
            if (!results.IsChecked(i)) continue;
            ++count;
            bytes += results.Item(i).size;
        }
        EXPECT_EQ(dialog->parts.state.selectedCount, count);
        EXPECT_EQ(dialog->parts.state.selectedSize, bytes);
        char shown[64] = {};
        ::GetWindowTextA(dialog->Item(IDC_SELECTED_FILES), shown, sizeof shown);
        EXPECT_EQ(std::string(shown), "Selected Files: " + std::to_string(count));

        const HWND tip = dialog->Picture(IDC_START_SCAN)->Tooltip();
        EXPECT_EQ(::SendMessageA(tip, TTM_GETMAXTIPWIDTH, 0, 0), scale.Px(400));

        ::ShowWindow(label, SW_SHOWNA);
        ::SetWindowTextA(label, "IIII");
        ::InvalidateRect(label, nullptr, TRUE);
        ::UpdateWindow(label);
        const int ink = FirstInkColumn(label);
        EXPECT_GE(ink, scale.Px(5));
        EXPECT_LE(ink, scale.Px(5) + scale.Px(3));
        ::ShowWindow(label, SW_HIDE);

        const HICON bigIcon = reinterpret_cast<HICON>(::SendMessageA(dialog->Hwnd(), WM_GETICON, ICON_BIG, 0));
        const HICON smallIcon = reinterpret_cast<HICON>(::SendMessageA(dialog->Hwnd(), WM_GETICON, ICON_SMALL, 0));
        EXPECT_EQ(IconSize(bigIcon).cx, scale.Px(::GetSystemMetrics(SM_CXICON)));
        EXPECT_EQ(IconSize(smallIcon).cx, scale.Px(::GetSystemMetrics(SM_CXSMICON)));
    }
}

TEST_F(MainWindow, HoveringTenThousandTimesCreatesNoObjects) {
    HWND page = dialog->Item(IDC_PAGE_FILTERS);
    RECT r;
    ::GetClientRect(page, &r);
    // Warm up: the first hover loads the pictures and the cursor once.
    for (int i = 0; i < 4; ++i) {
        ::SendMessageA(page, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        ::SendMessageA(page, WM_MOUSEMOVE, 0, MAKELPARAM(r.right + 200, 5));
    }
    PumpMessages();
    const DWORD gdi = testing::GdiObjects(), user = testing::UserObjects();
    for (int i = 0; i < 10000; ++i) {
        ::SendMessageA(page, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        ::SendMessageA(page, WM_MOUSEMOVE, 0, MAKELPARAM(r.right + 200, 5));
    }
    PumpMessages();
    EXPECT_LE(testing::GdiObjects(), gdi + 2);
    EXPECT_LE(testing::UserObjects(), user + 2);
    EXPECT_EQ(dialog->parts.controls.StateOf(IDC_PAGE_FILTERS).state, 0);
}

TEST_F(MainWindow, HoverLightsAPageButtonAndLeavingRestoresIt) {
    HWND page = dialog->Item(IDC_PAGE_OPTIONS);
    ::SendMessageA(page, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(dialog->parts.controls.StateOf(IDC_PAGE_OPTIONS).state, 2);
    EXPECT_EQ(dialog->parts.controls.StateOf(IDC_PAGE_OPTIONS).shownPicture, IDB_PAGE_OPTIONS_HOVER);
    EXPECT_EQ(::GetCapture(), page);
    ::SendMessageA(page, WM_MOUSEMOVE, 0, MAKELPARAM(400, 5));
    EXPECT_EQ(dialog->parts.controls.StateOf(IDC_PAGE_OPTIONS).state, 0);
    EXPECT_EQ(dialog->parts.controls.StateOf(IDC_PAGE_OPTIONS).shownPicture, IDB_PAGE_OPTIONS);
    EXPECT_NE(::GetCapture(), page);

    // An option picture never reacts to the pointer.
    HWND option = dialog->Item(IDC_OPT_READ);
    const int before = dialog->parts.controls.StateOf(IDC_OPT_READ).shownPicture;
    ::SendMessageA(option, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(dialog->parts.controls.StateOf(IDC_OPT_READ).shownPicture, before);
}

TEST_F(MainWindow, DisabledPushButtonKeepsItsLookAndStillReportsClicks) {
    HWND stop = dialog->Item(IDC_STOP_SCAN);
    ::SendMessageA(stop, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(dialog->parts.controls.StateOf(IDC_STOP_SCAN).state, 0);
    EXPECT_EQ(dialog->parts.controls.StateOf(IDC_STOP_SCAN).shownPicture, IDB_STOP_SCAN_OFF);
    // A click on a disabled Stop Scan arrives and is refused by its handler.
    ::SendMessageA(dialog->Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_STOP_SCAN, STN_CLICKED),
                   reinterpret_cast<LPARAM>(stop));
    EXPECT_EQ(dialog->parts.controls.StateOf(IDC_START_SCAN).state, 1);
}

TEST_F(MainWindow, EraseShowsThePictureOnlyWithTheBackgroundFlag) {
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 640, 480);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    dialog->parts.state.backgroundPaint = false;
    ::SendMessageA(dialog->Hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    for (POINT p : {POINT{5, 5}, POINT{320, 20}, POINT{600, 470}}) EXPECT_EQ(::GetPixel(dc, p.x, p.y), RGB(230, 230, 230));
    dialog->parts.state.backgroundPaint = true;
    ::SendMessageA(dialog->Hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    // The title strip of the picture is not the panel grey.
    EXPECT_NE(::GetPixel(dc, 320, 10), RGB(230, 230, 230));
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
}

TEST_F(MainWindow, MissingBackgroundLeavesAWorkingGreyWindow) {
    EXPECT_TRUE(dialog->LoadBackground(9999));
    EXPECT_FALSE(dialog->HasBackground());
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 640, 480);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    ::SendMessageA(dialog->Hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    EXPECT_EQ(::GetPixel(dc, 320, 10), RGB(230, 230, 230));
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
}

// Commands that reach the main window, seen before any handler runs.
std::vector<std::pair<int, int>> g_commands;
HWND g_commandTarget = nullptr;
LRESULT CALLBACK CommandSpy(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_COMMAND && call->hwnd == g_commandTarget)
        g_commands.emplace_back(LOWORD(call->wParam), HIWORD(call->wParam));
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

class CommandsSeen {
public:
    explicit CommandsSeen(HWND target)
        : hook_(::SetWindowsHookExA(WH_CALLWNDPROC, CommandSpy, nullptr, ::GetCurrentThreadId())) {
        g_commands.clear();
        g_commandTarget = target;
    }
    ~CommandsSeen() {
        ::UnhookWindowsHookEx(hook_);
        g_commandTarget = nullptr;
    }
    bool Saw(int id) const {
        for (const auto& [seenId, notification] : g_commands)
            if (seenId == id && notification == STN_CLICKED) return true;
        return false;
    }

private:
    HHOOK hook_;
};

void Click(HWND control) {
    ::SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    ::SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

// A key pressed on the focused control, through the dialog manager as the
// program's message loops hand it on.
void Key(HWND dialog, WPARAM key) { testing::PressKey(dialog, key); }

TEST_F(MainWindow, TheCurrentPageKeepsItsSelectedPictureAndTheArrow) {
    dialog->parts.flow.ShowPage(kPagePath);
    PumpMessages();
    ASSERT_EQ(dialog->parts.controls.StateOf(IDC_PAGE_PATH).state, 1);
    HCURSOR arrow = ::LoadCursor(nullptr, IDC_ARROW);
    ::SetCursor(arrow);
    HWND current = dialog->Item(IDC_PAGE_PATH);
    for (int i = 0; i < 3; ++i) ::SendMessageA(current, WM_MOUSEMOVE, 0, MAKELPARAM(5 + i, 5));
    EXPECT_EQ(dialog->parts.controls.StateOf(IDC_PAGE_PATH).state, 1);
    EXPECT_EQ(dialog->parts.controls.StateOf(IDC_PAGE_PATH).shownPicture, IDB_PAGE_PATH_ON);
    EXPECT_EQ(reinterpret_cast<HBITMAP>(::SendMessageA(current, STM_GETIMAGE, IMAGE_BITMAP, 0)),
              SharedBitmap(IDB_PAGE_PATH_ON));
    EXPECT_NE(::GetCapture(), current);
    EXPECT_EQ(::GetCursor(), arrow);

    // Another page's button under the pointer shows the hand, on every move.
    HWND other = dialog->Item(IDC_PAGE_FILTERS);
    for (int i = 0; i < 3; ++i) {
        ::SetCursor(arrow);
        ::SendMessageA(other, WM_MOUSEMOVE, 0, MAKELPARAM(5 + i, 5));
        EXPECT_EQ(::GetCursor(), HandCursor()) << i;
    }
    ::SendMessageA(other, WM_MOUSEMOVE, 0, MAKELPARAM(400, 5));
    EXPECT_EQ(dialog->parts.controls.StateOf(IDC_PAGE_FILTERS).state, 0);
}

TEST_F(MainWindow, TheHandIsTheHelpProgramsCursorOrElseTheSystemHand) {
    char path[MAX_PATH] = {};
    ::GetWindowsDirectoryA(path, MAX_PATH);
    lstrcatA(path, "\\winhlp32.exe");
    HMODULE help = ::LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const bool hasCursor = help && ::LoadCursorA(help, MAKEINTRESOURCEA(106));
    if (help) ::FreeLibrary(help);
    ASSERT_NE(HandCursor(), nullptr);
    if (hasCursor)
        EXPECT_NE(HandCursor(), ::LoadCursor(nullptr, IDC_HAND));
    else
        EXPECT_EQ(HandCursor(), ::LoadCursor(nullptr, IDC_HAND));
    // Loaded once: the same cursor every time.
    EXPECT_EQ(HandCursor(), HandCursor());
}

TEST_F(MainWindow, AnOptionPictureIgnoresThePointerAndChangesOnlyWhenClicked) {
    dialog->parts.flow.ShowPage(kPageOptions);
    PumpMessages();
    HWND option = dialog->Item(IDC_OPT_SYSTEM);
    ASSERT_EQ(dialog->parts.controls.StateOf(IDC_OPT_SYSTEM).state, 0);
    HCURSOR arrow = ::LoadCursor(nullptr, IDC_ARROW);
    ::SetCursor(arrow);
    for (int i = 0; i < 3; ++i) ::SendMessageA(option, WM_MOUSEMOVE, 0, MAKELPARAM(3 + i, 3));
    EXPECT_EQ(dialog->parts.controls.StateOf(IDC_OPT_SYSTEM).state, 0);
    EXPECT_EQ(dialog->parts.controls.StateOf(IDC_OPT_SYSTEM).shownPicture, IDB_CHECK_OFF);
    EXPECT_NE(::GetCapture(), option);
    EXPECT_EQ(::GetCursor(), arrow);

    Click(option);
    EXPECT_EQ(dialog->parts.controls.StateOf(IDC_OPT_SYSTEM).state, 1);
    EXPECT_EQ(reinterpret_cast<HBITMAP>(::SendMessageA(option, STM_GETIMAGE, IMAGE_BITMAP, 0)),
              SharedBitmap(IDB_CHECK_ON));
    // Each caption gives its own picture's command, and no other.
    const int pictures[] = {IDC_OPT_READ, IDC_OPT_SYSTEM, IDC_OPT_HIDE, IDC_OPT_ZERO, IDC_RECYCLE_MODE,
                            IDC_PERMANENT_MODE};
    const struct {
        int caption, picture;
    } captions[] = {
        {IDC_OPT_READ_CAPTION, IDC_OPT_READ},         {IDC_OPT_SYSTEM_CAPTION, IDC_OPT_SYSTEM},
        {IDC_OPT_HIDE_CAPTION, IDC_OPT_HIDE},         {IDC_OPT_ZERO_CAPTION, IDC_OPT_ZERO},
        {IDC_PERMANENT_CAPTION, IDC_PERMANENT_MODE}, {IDC_RECYCLE_CAPTION, IDC_RECYCLE_MODE},
    };
    for (const auto& c : captions) {
        std::map<int, int> expected;
        for (int id : pictures) expected[id] = dialog->parts.controls.StateOf(id).state;
        if (c.picture == IDC_RECYCLE_MODE || c.picture == IDC_PERMANENT_MODE) {
            expected[IDC_RECYCLE_MODE] = c.picture == IDC_RECYCLE_MODE ? 1 : 0;
            expected[IDC_PERMANENT_MODE] = c.picture == IDC_PERMANENT_MODE ? 1 : 0;
        } else {
            expected[c.picture] = 1 - expected[c.picture];
        }
        Click(dialog->Item(c.caption));
        for (int id : pictures) EXPECT_EQ(dialog->parts.controls.StateOf(id).state, expected[id]) << c.caption << " " << id;
    }
    EXPECT_EQ(reinterpret_cast<HBITMAP>(::SendMessageA(option, STM_GETIMAGE, IMAGE_BITMAP, 0)),
              SharedBitmap(IDB_CHECK_OFF));
}

// While a scan runs the window shows its texts a few times a second; what the
// scan set last is on the window when it ends, also when there was no
// location to walk.
TEST_F(MainWindow, TheScanTextsOnTheWindowAreTheLastOnesWhenAScanEnds) {
    testing::WriteBytes(dir / "one.tmp", "12345");
    auto& locations = dialog->parts.lists.locations;
    for (int row = 0; row < locations.RowCount(); ++row) locations.SetChecked(row, false);
    dialog->parts.store.AddLocationRow(locations.RowCount(), MakeFolderLocation(dir.Path(), true));
    auto startScan = [&] {
        ::SendMessageA(dialog->Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_START_SCAN, STN_CLICKED),
                       reinterpret_cast<LPARAM>(dialog->Item(IDC_START_SCAN)));
    };
    auto shown = [&](int id) {
        char text[128] = {};
        ::GetWindowTextA(dialog->Item(id), text, sizeof text);
        return std::string(text);
    };
    startScan();
    EXPECT_EQ(shown(IDC_SCAN_STATUS), "Scaning: Scan Completed! Please Click 'Next' to Continue...");
    EXPECT_EQ(shown(IDC_TOTAL_FILES), "Total Files: 1");

    locations.SetChecked(locations.RowCount() - 1, false);
    startScan();
    EXPECT_EQ(dialog->parts.state.scanState, kScanIdle);
    EXPECT_EQ(shown(IDC_SCAN_STATUS), "Scaning: Completed!");
    EXPECT_EQ(shown(IDC_TOTAL_FILES), "Total Files: 0");
    EXPECT_EQ(shown(IDC_SELECTED_SIZE), "Selected  Size: 0 MB");
}

TEST_F(MainWindow, BusyAndDisabledPushButtonsKeepTheirPicturesAndStillReportClicks) {
    // Start Scan as a running scan leaves it: busy, showing its disabled picture.
    Control start = dialog->parts.controls[IDC_START_SCAN];
    start.SetButtonState(3);
    start.ShowPicture(IDB_START_SCAN_OFF);
    HWND startButton = dialog->Item(IDC_START_SCAN);
    HWND stopButton = dialog->Item(IDC_STOP_SCAN);
    HWND backButton = dialog->Item(IDC_BACK);
    for (HWND button : {startButton, stopButton, backButton}) {
        ::SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
        EXPECT_NE(::GetCapture(), button);
    }
    EXPECT_EQ(dialog->parts.controls.StateOf(IDC_START_SCAN).state, 3);
    EXPECT_EQ(reinterpret_cast<HBITMAP>(::SendMessageA(startButton, STM_GETIMAGE, IMAGE_BITMAP, 0)),
              SharedBitmap(IDB_START_SCAN_OFF));
    EXPECT_EQ(dialog->parts.controls.StateOf(IDC_STOP_SCAN).state, 0);
    EXPECT_EQ(dialog->parts.controls.StateOf(IDC_STOP_SCAN).shownPicture, IDB_STOP_SCAN_OFF);
    EXPECT_EQ(dialog->parts.controls.StateOf(IDC_BACK).state, 0);
    EXPECT_EQ(dialog->parts.controls.StateOf(IDC_BACK).shownPicture, IDB_BACK_OFF);

    // The clicks, and Space and Enter on the focused button, arrive as
    // commands; their handlers refuse them.
    CommandsSeen seen(dialog->Hwnd());
    for (HWND button : {startButton, stopButton, backButton}) Click(button);
    EXPECT_TRUE(seen.Saw(IDC_START_SCAN));
    EXPECT_TRUE(seen.Saw(IDC_STOP_SCAN));
    EXPECT_TRUE(seen.Saw(IDC_BACK));
    for (HWND button : {startButton, stopButton, backButton}) {
        for (WPARAM key : {VK_SPACE, VK_RETURN}) {
            g_commands.clear();
            ::SetFocus(button);
            Key(dialog->Hwnd(), key);
            EXPECT_EQ(g_commands.size(), 1u) << ::GetDlgCtrlID(button) << " " << key;
            EXPECT_TRUE(seen.Saw(::GetDlgCtrlID(button)));
            ASSERT_TRUE(::IsWindow(dialog->Hwnd()));
        }
    }
    EXPECT_EQ(dialog->parts.state.scanState, kScanIdle);
    EXPECT_FALSE(dialog->parts.state.busy);
    EXPECT_EQ(dialog->parts.state.currentPage, kPageAbout);
    EXPECT_EQ(dialog->parts.controls.StateOf(IDC_START_SCAN).state, 3);
}

// Tab goes down the steps, then through the page as it reads, top to bottom
// and left to right, then along the bottom bar and the title strip.
TEST_F(MainWindow, TabTakesEveryPagesControlsInReadingOrderAndArrowsMoveAmongThePageTabs) {
    const std::vector<int> steps = {IDC_PAGE_PATH,    IDC_PAGE_FILTERS, IDC_PAGE_EXCEPTIONS,
                                    IDC_PAGE_OPTIONS, IDC_PAGE_SCAN,    IDC_PAGE_CLEAN};
    const std::vector<int> bars = {IDC_START_SCAN,  IDC_STOP_SCAN,    IDC_BACK,     IDC_NEXT, IDC_EXIT,
                                   IDC_HELP_BUTTON, IDC_ABOUT_BUTTON, IDC_MINIMIZE, IDC_CLOSE};
    const std::pair<int, std::vector<int>> pages[] = {
        {kPageAbout, {IDC_HOME_LINK, IDC_SUPPORT_LINK}},
        {kPagePath, {IDC_LOCATION_LIST, IDC_ADD, IDC_REMOVE, IDC_DEFAULT}},
        {kPageFilters, {IDC_FILTER_LIST, IDC_ADD, IDC_REMOVE, IDC_DEFAULT}},
        {kPageExceptions, {IDC_EXCLUDE_LIST, IDC_ADD, IDC_REMOVE, IDC_DEFAULT}},
        {kPageOptions,
         {IDC_OPT_READ, IDC_OPT_SYSTEM, IDC_OPT_HIDE, IDC_OPT_ZERO, IDC_RECYCLE_MODE, IDC_PERMANENT_MODE}},
        {kPageScan, {IDC_RESULT_LIST}},
        {kPageClean,
         {IDC_CLEAN_JUNK, IDC_RECYCLE_MODE, IDC_PERMANENT_MODE, IDC_CLEAN_RECYCLE, IDC_OPEN_RECYCLE, IDC_CLEAN_TEMP,
          IDC_OPEN_TEMP, IDC_CLEAN_INTERNET, IDC_OPEN_INTERNET, IDC_CLEAN_HISTORY, IDC_OPEN_HISTORY,
          IDC_CLEAN_RECENT, IDC_OPEN_RECENT, IDC_CLEAN_BROWSERS, IDC_OPEN_BROWSERS, IDC_START_CLEAN,
          IDC_COOKIES_BUTTON}},
        // The removal pair goes back to its place among the options.
        {kPageOptions,
         {IDC_OPT_READ, IDC_OPT_SYSTEM, IDC_OPT_HIDE, IDC_OPT_ZERO, IDC_RECYCLE_MODE, IDC_PERMANENT_MODE}},
    };
    for (const auto& [page, own] : pages) {
        SCOPED_TRACE(page);
        if (page == kPageAbout)
            dialog->parts.flow.OnAbout();
        else
            dialog->parts.flow.ShowPage(page);
        PumpMessages();
        // The page's own list is in reading order: each control starts below
        // the one before it, or on its row further right.
        for (size_t i = 1; i < own.size(); ++i) {
            const RECT before = ClientRectOf(own[i - 1]), at = ClientRectOf(own[i]);
            EXPECT_TRUE(at.top > before.top || (at.top == before.top && at.left > before.left)) << own[i];
        }
        std::vector<int> expected = steps;
        expected.insert(expected.end(), own.begin(), own.end());
        expected.insert(expected.end(), bars.begin(), bars.end());
        expected.push_back(IDC_PAGE_PATH);
        ::SetFocus(dialog->Item(IDC_PAGE_PATH));
        std::vector<int> reached = {::GetDlgCtrlID(::GetFocus())};
        while (reached.size() < expected.size()) {
            Key(dialog->Hwnd(), VK_TAB);
            reached.push_back(::GetDlgCtrlID(::GetFocus()));
        }
        EXPECT_EQ(reached, expected);
    }

    dialog->parts.flow.ShowPage(kPageFilters);
    PumpMessages();
    const std::pair<WPARAM, int> arrows[] = {
        {VK_DOWN, IDC_PAGE_FILTERS}, {VK_RIGHT, IDC_PAGE_EXCEPTIONS}, {VK_UP, IDC_PAGE_FILTERS},
        {VK_LEFT, IDC_PAGE_PATH},    {VK_UP, IDC_PAGE_CLEAN},         {VK_DOWN, IDC_PAGE_PATH},
    };
    ::SetFocus(dialog->Item(IDC_PAGE_PATH));
    for (const auto& [key, id] : arrows) {
        Key(dialog->Hwnd(), key);
        EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), id) << key;
    }
    // Arrows only move the focus; Space shows the page, as a click does.
    EXPECT_EQ(dialog->parts.state.currentPage, kPageFilters);
    ::SetFocus(dialog->Item(IDC_PAGE_SCAN));
    Key(dialog->Hwnd(), VK_SPACE);
    EXPECT_EQ(dialog->parts.state.currentPage, kPageScan);
    // Arrows on a picture that is not a page tab go nowhere.
    ::SetFocus(dialog->Item(IDC_NEXT));
    Key(dialog->Hwnd(), VK_DOWN);
    EXPECT_EQ(::GetFocus(), dialog->Item(IDC_NEXT));
}

TEST_F(MainWindow, ScreenReadersReadTheNameRoleAndStateOfEveryKindOfPicture) {
    dialog->parts.flow.ShowPage(kPageOptions);
    // The first start turns Include Hide Files on; the toggle turns it off.
    dialog->parts.options.OnToggleOption(IDC_OPT_HIDE);
    PumpMessages();
    struct Case {
        int id;
        const wchar_t* name;
        LONG role;
        LONG stateOn, stateOff;
    } cases[] = {
        {IDC_START_SCAN, L"Start Scan", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_UNAVAILABLE},
        {IDC_STOP_SCAN, L"Stop Scan", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_UNAVAILABLE, 0},
        {IDC_EXIT, L"Exit", ROLE_SYSTEM_PUSHBUTTON, 0, STATE_SYSTEM_UNAVAILABLE},
        {IDC_PAGE_OPTIONS, L"Options", ROLE_SYSTEM_PAGETAB, STATE_SYSTEM_SELECTED, 0},
        {IDC_PAGE_SCAN, L"Scan", ROLE_SYSTEM_PAGETAB, 0, STATE_SYSTEM_SELECTED},
        {IDC_OPT_HIDE, L"Include Hide Files", ROLE_SYSTEM_CHECKBUTTON, 0, STATE_SYSTEM_CHECKED},
        {IDC_OPT_READ, L"Include Read Files", ROLE_SYSTEM_CHECKBUTTON, STATE_SYSTEM_CHECKED, 0},
        {IDC_RECYCLE_MODE, L"Send Junk Files To The Recycle Bin", ROLE_SYSTEM_RADIOBUTTON, STATE_SYSTEM_CHECKED, 0},
        {IDC_PERMANENT_MODE, L"Delete Junk Files Permanently", ROLE_SYSTEM_RADIOBUTTON, 0, STATE_SYSTEM_CHECKED},
        // Each folder button of the Clean page, hidden here, says whose folder it opens.
        {IDC_OPEN_RECYCLE, L"Open Windows Recycle Bin", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_INVISIBLE, 0},
        {IDC_OPEN_TEMP, L"Open Windows Temp Folder", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_INVISIBLE, 0},
        {IDC_OPEN_INTERNET, L"Open Temporary Internet Files Folder", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_INVISIBLE,
         0},
        {IDC_OPEN_HISTORY, L"Open Windows History Folder", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_INVISIBLE, 0},
        {IDC_OPEN_RECENT, L"Open Recent Documents Folder", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_INVISIBLE, 0},
        {IDC_OPEN_BROWSERS, L"Open Browsers' Cache Folders", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_INVISIBLE, 0},
    };
    ::SetFocus(dialog->Item(IDC_EXIT));
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    for (const Case& c : cases) {
        IAccessible* object = nullptr;
        ASSERT_EQ(::AccessibleObjectFromWindow(dialog->Item(c.id), OBJID_CLIENT, IID_IAccessible,
                                               reinterpret_cast<void**>(&object)),
                  S_OK)
            << c.id;
        BSTR name = nullptr;
        EXPECT_EQ(object->get_accName(self, &name), S_OK) << c.id;
        EXPECT_STREQ(name, c.name) << c.id;
        ::SysFreeString(name);
        VARIANT role, state;
        ASSERT_EQ(object->get_accRole(self, &role), S_OK) << c.id;
        EXPECT_EQ(role.lVal, c.role) << c.id;
        ASSERT_EQ(object->get_accState(self, &state), S_OK) << c.id;
        EXPECT_EQ(state.lVal & c.stateOn, c.stateOn) << c.id;
        EXPECT_EQ(state.lVal & c.stateOff, 0) << c.id;
        EXPECT_EQ((state.lVal & STATE_SYSTEM_FOCUSED) != 0, c.id == IDC_EXIT) << c.id;
        object->Release();
    }

    // The default action works the pictures the user can see, and only them:
    // the Clean page's items, hidden on this page, stay as they are.
    const struct {
        int id;
        bool shown;
    } actions[] = {{IDC_CLEAN_JUNK, false}, {IDC_CLEAN_TEMP, false}, {IDC_OPT_READ, true}};
    std::map<int, int> before;
    for (const auto& a : actions) before[a.id] = dialog->parts.controls.StateOf(a.id).state;
    for (const auto& a : actions) {
        IAccessible* object = nullptr;
        ASSERT_EQ(::AccessibleObjectFromWindow(dialog->Item(a.id), OBJID_CLIENT, IID_IAccessible,
                                               reinterpret_cast<void**>(&object)),
                  S_OK);
        EXPECT_EQ(object->accDoDefaultAction(self) == S_OK, a.shown) << a.id;
        object->Release();
        PumpMessages();
        EXPECT_EQ(dialog->parts.controls.StateOf(a.id).state != before[a.id], a.shown) << a.id;
    }
}

TEST_F(MainWindow, TooltipsShowEvenWhenInactiveAndCarryTheirTexts) {
    const std::pair<int, const char*> tips[] = {
        {IDC_START_SCAN, "Start Scan!"},
        {IDC_STOP_SCAN, "Stop Scan!"},
        {IDC_EXIT, "Exit Velnor Disk Cleaner"},
        {IDC_ABOUT_BUTTON, "About Velnor Disk Cleaner"},
        {IDC_PAGE_PATH, "Select paths you want to scan for junk files"},
        {IDC_PAGE_OPTIONS, "Set your preferences"},
        {IDC_START_CLEAN, "Start Clean"},
        {IDC_MINIMIZE, ""},
        {IDC_OPT_READ, ""},
    };
    for (const auto& [id, text] : tips) {
        CBitmapPic* picture = dialog->Picture(id);
        ASSERT_NE(picture, nullptr) << id;
        HWND tip = picture->Tooltip();
        ASSERT_TRUE(::IsWindow(tip)) << id;
        EXPECT_TRUE(::GetWindowLongPtrA(tip, GWL_STYLE) & TTS_ALWAYSTIP) << id;
        EXPECT_EQ(::SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1) << id;
        char buffer[256] = {};
        TOOLINFOA tool = {};
        tool.cbSize = sizeof tool;
        tool.hwnd = dialog->Hwnd();
        tool.uId = reinterpret_cast<UINT_PTR>(dialog->Item(id));
        tool.lpszText = buffer;
        ::SendMessageA(tip, TTM_GETTEXTA, sizeof buffer, reinterpret_cast<LPARAM>(&tool));
        EXPECT_STREQ(buffer, text) << id;
    }
}

// The window run as the program runs it: modal, ended by what the user does.
class MainWindowRun : public ::testing::Test {
protected:
    MainWindowRun() {
        platform.files = &files;
        platform.prompts = &prompts;
        platform.pump = &pump;
        platform.locale = &locale;
        platform.shell = &shell;
    }

    // Runs the window until it ends; `script` posts what the user would do,
    // once the window exists. False when the window had to be ended by force.
    bool Run(CMainDialog& window, const std::function<void(HWND)>& script) {
        window.SetMessagePump(&pump);
        window.SetOnWindowCreated([&](HWND hwnd) {
            ::SetTimer(hwnd, kTimeout, 20000, &MainWindowRun::TimeOut);
            script(hwnd);
        });
        timedOut_ = false;
        window.DoModal(nullptr);
        return !timedOut_;
    }
    static void CALLBACK TimeOut(HWND hwnd, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(hwnd, id);
        timedOut_ = true;
        ::EndDialog(hwnd, -1);
    }
    std::string Config() const { return dir / "config.ini"; }

    static constexpr UINT_PTR kTimeout = 4711;
    static bool timedOut_;
    TempDir dir;
    ProgramInFolder files{dir.Path()};
    Win32Prompts prompts;
    Win32MessagePump pump;
    Win32Locale locale;
    Win32Shell shell;
    Platform platform;
};
bool MainWindowRun::timedOut_ = false;

TEST_F(MainWindowRun, EscapeEnterAndAltF4CloseWithoutSavingWhileExitSaves) {
    // A profile that a save would write differently (LF line ends, no options).
    const std::string text = "Filter=<*.tmp|Temp|1|0>\nPathExclude=<?:\\x>\n";
    struct Way {
        const char* name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } ways[] = {
        {"Escape", WM_KEYDOWN, VK_ESCAPE, 0x00010001},
        {"Enter", WM_KEYDOWN, VK_RETURN, 0x001C0001},
        {"Alt+F4", WM_SYSKEYDOWN, VK_F4, 0x203E0001},
    };
    for (const Way& way : ways) {
        testing::WriteBytes(Config(), text);
        CMainDialog window(platform);
        EXPECT_TRUE(Run(window, [&](HWND hwnd) { ::PostMessageA(hwnd, way.message, way.wParam, way.lParam); }))
            << way.name;
        EXPECT_EQ(testing::ReadBytes(Config()), text) << way.name;
    }

    testing::WriteBytes(Config(), text);
    CMainDialog window(platform);
    EXPECT_TRUE(Run(window, [&](HWND hwnd) {
        ::PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDC_EXIT, STN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(hwnd, IDC_EXIT)));
    }));
    const std::string saved = testing::ReadBytes(Config());
    EXPECT_NE(saved.find("\r\n\r\nFilter=<*.tmp|Temp|1|0>\r\n\r\nOption=<read|1>"), std::string::npos) << saved;
}

// Runs a piece of test code from inside the window's message handling.
LRESULT CALLBACK RunnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        (*reinterpret_cast<std::function<void()>*>(lParam))();
        return 0;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST_F(MainWindowRun, ExitDuringAScanStopsItClearsTheCleanFlagAndSaves) {
    testing::WriteBytes(dir / "top.tmp", "12345");
    for (int i = 0; i < 20; ++i) {
        const std::string folder = dir / ("sub" + std::to_string(i));
        testing::MakeFolder(folder);
        testing::WriteBytes(folder + "\\deeper.tmp", "x");
    }
    testing::WriteBytes(Config(), "PathFolder=<" + dir.Path() + "|1>\nFilter=<*.tmp|Temp|1|0>\n");

    WNDCLASSA wc = {};
    wc.lpfnWndProc = RunnerProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "VelnorTestRunner";
    ::RegisterClassA(&wc);
    HWND runner = ::CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(runner, nullptr);

    CMainDialog window(platform);
    // Only the test folder is scanned, never a whole drive.
    std::function<void()> onlyTheFolder = [&] {
        auto& locations = window.parts.lists.locations;
        for (int row = 0; row < locations.RowCount(); ++row)
            locations.SetChecked(row, locations.CellText(row, location_col::kPath) == dir.Path());
    };
    bool scanRunning = false;
    std::function<void()> cleanGoesOn = [&] {
        scanRunning = window.parts.state.scanState == kScanRunning;
        window.parts.state.cleanBusy = true;
    };
    const bool ended = Run(window, [&](HWND hwnd) {
        ::PostMessageA(runner, WM_APP, 0, reinterpret_cast<LPARAM>(&onlyTheFolder));
        ::PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDC_START_SCAN, STN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(hwnd, IDC_START_SCAN)));
        // Both arrive in the drain after the scan's first folder.
        ::PostMessageA(runner, WM_APP, 0, reinterpret_cast<LPARAM>(&cleanGoesOn));
        ::PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDC_EXIT, STN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(hwnd, IDC_EXIT)));
    });
    ::DestroyWindow(runner);
    EXPECT_TRUE(ended);
    EXPECT_TRUE(scanRunning);
    // The walk saw the stop request after its first folder and finished in order.
    ASSERT_EQ(window.parts.results.RowCount(), 1);
    EXPECT_EQ(window.parts.results.CellText(0, 1), "top.tmp");
    EXPECT_EQ(window.parts.state.scanState, kScanIdle);
    EXPECT_FALSE(window.parts.state.busy);
    EXPECT_FALSE(window.parts.state.cleanBusy);
    EXPECT_EQ(window.parts.controls.StateOf(IDC_START_SCAN).state, 1);
    EXPECT_EQ(window.parts.controls.StateOf(IDC_STOP_SCAN).state, 0);
    EXPECT_EQ(window.parts.controls.StateOf(IDC_SCAN_STATUS).text,
              "Scaning: Scan Completed! Please Click 'Next' to Continue...");
    const std::string saved = testing::ReadBytes(Config());
    EXPECT_NE(saved.find("PathFolder=<" + dir.Path() + "|1>\r\n\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Option=<read|1>"), std::string::npos) << saved;
}

TEST_F(MainWindowRun, StartAndStopScanClickedOrPressedOnTheWindowRunTheWalk) {
    testing::WriteBytes(dir / "first.tmp", "123");
    testing::MakeFolder(dir / "Sub");
    testing::WriteBytes(dir / "Sub\\second.tmp", "4567");
    testing::WriteBytes(Config(), "PathFolder=<" + dir.Path() + "|1>\nFilter=<*.tmp|Temp|1|0>\n");
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RunnerProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "VelnorTestRunner2";
    ::RegisterClassA(&wc);
    HWND runner = ::CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(runner, nullptr);

    // Enter on a focused picture presses it rather than closing the window,
    // which the walk's results below could not survive.
    for (UINT key : {0u, unsigned{VK_RETURN}, unsigned{VK_SPACE}}) {
        CMainDialog window(platform);
        std::function<void()> onlyTheFolder = [&] {
            auto& locations = window.parts.lists.locations;
            for (int row = 0; row < locations.RowCount(); ++row)
                locations.SetChecked(row, locations.CellText(row, location_col::kPath) == dir.Path());
        };
        int startDuringScan = -1, stopDuringScan = -1;
        std::function<void()> duringScan = [&] {
            startDuringScan = window.parts.controls.StateOf(IDC_START_SCAN).state;
            stopDuringScan = window.parts.controls.StateOf(IDC_STOP_SCAN).state;
        };
        const bool ended = Run(window, [&](HWND hwnd) {
            auto press = [&](int id) {
                HWND button = ::GetDlgItem(hwnd, id);
                if (key != 0) {
                    ::PostMessageA(button, WM_KEYDOWN, key, 1);
                    ::PostMessageA(button, WM_KEYUP, key, 0xC0000001);
                    return;
                }
                ::PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
                ::PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
            };
            ::PostMessageA(runner, WM_APP, 0, reinterpret_cast<LPARAM>(&onlyTheFolder));
            press(IDC_START_SCAN);
            // All of these arrive in the drain after the walk's first folder: a
            // second Start Scan is refused, Stop Scan ends the walk.
            ::PostMessageA(runner, WM_APP, 0, reinterpret_cast<LPARAM>(&duringScan));
            press(IDC_START_SCAN);
            press(IDC_STOP_SCAN);
            ::PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
        });
        EXPECT_TRUE(ended) << key;
        EXPECT_EQ(startDuringScan, 3) << key;
        EXPECT_EQ(stopDuringScan, 1) << key;
        EXPECT_EQ(window.parts.state.currentPage, kPageScan) << key;
        ASSERT_EQ(window.parts.results.RowCount(), 1) << key;
        EXPECT_EQ(window.parts.results.CellText(0, 1), "first.tmp");
        EXPECT_EQ(window.parts.controls.StateOf(IDC_TOTAL_FILES).text, "Total Files: 1");
        EXPECT_EQ(window.parts.controls.StateOf(IDC_TOTAL_SIZE).text, "Total Size:  3 Byte(s)");
        EXPECT_EQ(window.parts.controls.StateOf(IDC_SCAN_STATUS).text,
                  "Scaning: Scan Completed! Please Click 'Next' to Continue...");
        EXPECT_EQ(window.parts.controls.StateOf(IDC_START_SCAN).state, 1);
        EXPECT_EQ(window.parts.controls.StateOf(IDC_STOP_SCAN).state, 0);
        EXPECT_EQ(window.parts.state.scanState, kScanIdle);
        EXPECT_FALSE(window.parts.state.busy);
    }
    ::DestroyWindow(runner);
}

TEST(GradientPixels, WideAndNarrowLabels) {
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 300, 20);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT all = {0, 0, 300, 20};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    FillGradient(dc, 0, 0, 300, 20, RGB(145, 140, 167), RGB(230, 230, 230));
    EXPECT_EQ(::GetPixel(dc, 0, 10), RGB(145, 140, 167));
    EXPECT_EQ(::GetPixel(dc, 298, 10), RGB(229, 229, 229));

    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    FillGradient(dc, 0, 0, 100, 20, RGB(0, 0, 0), RGB(255, 255, 255));
    // Every column of the narrow label is painted by exactly one band, grey levels rising.
    COLORREF previous = ::GetPixel(dc, 0, 5);
    for (int x = 1; x < 99; ++x) {
        const COLORREF c = ::GetPixel(dc, x, 5);
        EXPECT_GE(GetRValue(c), GetRValue(previous)) << x;
        previous = c;
    }
    EXPECT_EQ(::GetPixel(dc, 150, 5), RGB(0, 0, 0));
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
}

}  // namespace
}  // namespace velnor
