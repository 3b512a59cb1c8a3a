#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>

#include "app/main_dialog_win32.h"
#include "platform/win32/win32_platform.h"
#include "res/resource.h"
#include "tests/win32/support/win_test_support.h"
#include "ui/gradient_label_win32.h"

namespace velnor {
namespace {

using testing::PumpMessages;
using testing::TempDir;

// The real file system, with the program pretending to live in a test folder
// so that its config.ini lands there.
class RelocatedFileSystem : public Win32FileSystem {
public:
    explicit RelocatedFileSystem(std::string folder) : exe_(std::move(folder) + "\\VelnorCleaner.exe") {}
    std::string ModulePath() override { return exe_; }

private:
    std::string exe_;
};

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        files = std::make_unique<RelocatedFileSystem>(dir.Path());
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
        if (dialog && dialog->Hwnd()) dialog->DestroyWindow();
        PumpMessages();
    }

    RECT ClientRectOf(int id) {
        HWND control = dialog->Item(id);
        RECT r;
        ::GetWindowRect(control, &r);
        ::MapWindowPoints(nullptr, dialog->Hwnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    TempDir dir;
    std::unique_ptr<RelocatedFileSystem> files;
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

TEST_F(MainWindow, EveryPlacedControlSitsWhereTheLayoutPutIt) {
    int checked = 0;
    for (const auto& [id, state] : dialog->controls.All()) {
        if (!state.placed || state.kind != PictureKind::None) continue;
        HWND control = dialog->Item(id);
        ASSERT_NE(control, nullptr) << id;
        char cls[32] = {};
        ::GetClassNameA(control, cls, sizeof cls);
        const RECT r = ClientRectOf(id);
        EXPECT_EQ(r.left, state.placement.x) << id;
        EXPECT_EQ(r.top, state.placement.y) << id;
        // Pictures take their bitmap's size; everything else the size asked for.
        if ((::GetWindowLongPtrA(control, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP || lstrcmpiA(cls, "Static") != 0) {
            EXPECT_EQ(r.right - r.left, state.placement.width) << id;
            EXPECT_EQ(r.bottom - r.top, state.placement.height) << id;
        }
        ++checked;
    }
    EXPECT_GT(checked, 50);
}

TEST_F(MainWindow, ButtonsShowTheirPicturesAtThePictureSize) {
    struct Case {
        int id, x, y, state, width, height;
    } cases[] = {
        {IDC_START_SCAN, 36, 410, 1, 31, 31},  {IDC_STOP_SCAN, 78, 415, 0, 22, 22},
        {IDC_PAGE_PATH, 8, 170, 0, 120, 27},   {IDC_BACK, 310, 420, 0, 76, 26},
        {IDC_NEXT, 390, 420, 1, 76, 26},       {IDC_EXIT, 500, 420, 1, 76, 26},
        {IDC_CLOSE, 615, 5, 1, 18, 19},        {IDC_HELP_BUTTON, 529, 51, 1, 46, 18},
        {IDC_START_CLEAN, 495, 265, 1, 92, 38}, {IDC_COOKIES_BUTTON, 165, 355, 1, 150, 25},
    };
    for (const Case& c : cases) {
        const RECT r = ClientRectOf(c.id);
        EXPECT_EQ(r.left, c.x) << c.id;
        EXPECT_EQ(r.top, c.y) << c.id;
        EXPECT_EQ(r.right - r.left, c.width) << c.id;
        EXPECT_EQ(r.bottom - r.top, c.height) << c.id;
        EXPECT_EQ(dialog->controls.StateOf(c.id).state, c.state) << c.id;
        EXPECT_NE(::SendMessageA(dialog->Item(c.id), STM_GETIMAGE, IMAGE_BITMAP, 0), 0) << c.id;
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
    EXPECT_EQ(dialog->controls.StateOf(IDC_PAGE_FILTERS).state, 0);
}

TEST_F(MainWindow, HoverLightsAPageButtonAndLeavingRestoresIt) {
    HWND page = dialog->Item(IDC_PAGE_OPTIONS);
    ::SendMessageA(page, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(dialog->controls.StateOf(IDC_PAGE_OPTIONS).state, 2);
    EXPECT_EQ(dialog->controls.StateOf(IDC_PAGE_OPTIONS).shownPicture, IDB_PAGE_OPTIONS_HOVER);
    EXPECT_EQ(::GetCapture(), page);
    ::SendMessageA(page, WM_MOUSEMOVE, 0, MAKELPARAM(400, 5));
    EXPECT_EQ(dialog->controls.StateOf(IDC_PAGE_OPTIONS).state, 0);
    EXPECT_EQ(dialog->controls.StateOf(IDC_PAGE_OPTIONS).shownPicture, IDB_PAGE_OPTIONS);
    EXPECT_NE(::GetCapture(), page);

    // An option picture never reacts to the pointer.
    HWND option = dialog->Item(IDC_OPT_READ);
    const int before = dialog->controls.StateOf(IDC_OPT_READ).shownPicture;
    ::SendMessageA(option, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(dialog->controls.StateOf(IDC_OPT_READ).shownPicture, before);
}

TEST_F(MainWindow, DisabledPushButtonKeepsItsLookAndStillReportsClicks) {
    HWND stop = dialog->Item(IDC_STOP_SCAN);
    ::SendMessageA(stop, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(dialog->controls.StateOf(IDC_STOP_SCAN).state, 0);
    EXPECT_EQ(dialog->controls.StateOf(IDC_STOP_SCAN).shownPicture, IDB_STOP_SCAN_OFF);
    // A click on a disabled Stop Scan arrives and is refused by its handler.
    ::SendMessageA(dialog->Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_STOP_SCAN, STN_CLICKED),
                   reinterpret_cast<LPARAM>(stop));
    EXPECT_EQ(dialog->controls.StateOf(IDC_START_SCAN).state, 1);
}

TEST_F(MainWindow, EraseShowsThePictureOnlyWithTheBackgroundFlag) {
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 640, 480);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    dialog->backgroundPaint = false;
    ::SendMessageA(dialog->Hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    for (POINT p : {POINT{5, 5}, POINT{320, 20}, POINT{600, 470}}) EXPECT_EQ(::GetPixel(dc, p.x, p.y), RGB(230, 230, 230));
    dialog->backgroundPaint = true;
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
