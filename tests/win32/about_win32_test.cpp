#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/main_dialog_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/win32_platform.h"
#include "res/resource.h"
#include "tests/win32/add_dialog_script.h"
#include "tests/win32/support/main_window.h"
#include "tests/win32/support/win_test_support.h"
#include "ui/gdi_handles_win32.h"
#include "ui/link_label_win32.h"

namespace velnor {
namespace {

using testing::Click;
using testing::CloseMainWindow;
using testing::HostWindow;
using testing::OpenMainWindow;
using testing::PictureOf;
using testing::PressKey;
using testing::ProgramInFolder;
using testing::PumpMessages;
using testing::TempDir;
using testing::TextOf;

// The link colours as the screen shows them (COLORREF 0x00BBGGRR).
constexpr COLORREF kBlue = 0xFF0000;
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kVisited = 0x000D00;
// The dotted mark of the control that has the keyboard.
constexpr COLORREF kFocusMark = RGB(0, 60, 140);

// The shell, but opening nothing: the test only notes what it was asked.
class RecordingShell : public Win32Shell {
public:
    struct Opened {
        std::string verb, target;
        int show;
    };
    std::vector<Opened> opened;
    void Execute(const std::string& verb, const std::string& target, int showCommand) override {
        opened.push_back({verb, target, showCommand});
    }
};

// How many pixels of the control, drawn as it paints itself, have the colour.
int PixelsOf(HWND control, COLORREF colour) {
    RECT client;
    ::GetClientRect(control, &client);
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    ::SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    int count = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x)
            if (::GetPixel(dc, x, y) == colour) ++count;
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return count;
}

void MoveTo(HWND control, int x, int y) {
    ::SendMessageA(control, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    PumpMessages();
}

class AboutPageOnScreen : public ::testing::Test {
protected:
    void SetUp() override {
        files = std::make_unique<ProgramInFolder>(dir.Path());
        platform.files = files.get();
        platform.prompts = &prompts;
        platform.pump = &pump;
        platform.locale = &locale;
        platform.shell = &shell;
        dialog = OpenMainWindow(platform);
        ASSERT_TRUE(dialog);
    }
    void TearDown() override {
        CloseMainWindow(dialog);
    }

    TempDir dir;
    std::unique_ptr<ProgramInFolder> files;
    Win32Prompts prompts;
    Win32MessagePump pump;
    Win32Locale locale;
    RecordingShell shell;
    Platform platform;
    std::unique_ptr<CMainDialog> dialog;
};

TEST_F(AboutPageOnScreen, ShowsThePicturesTextsAndLinks) {
    const struct {
        int id, picture;
    } pictures[] = {{IDC_ABOUT_TITLE, IDB_ABOUT_TITLE}, {IDC_ABOUT_PICTURE, IDB_ABOUT_PICTURE},
                    {IDC_ABOUT_FOOTER, IDB_ABOUT_FOOTER}};
    for (const auto& p : pictures) {
        HWND control = dialog->Item(p.id);
        EXPECT_TRUE(::IsWindowVisible(control)) << p.id;
        EXPECT_NE(PictureOf(control), nullptr) << p.id;
    }
    const struct {
        int id;
        const char* text;
    } texts[] = {
        {IDC_DEVELOPER, "Developer:  Velnor Software"}, {IDC_VERSION, "Current Version:   1.13"},
        {IDC_HOME_CAPTION, "Home Page:"},               {IDC_SUPPORT_CAPTION, "Support E-mail:"},
        {IDC_HOME_LINK, "www.velnor.example"},          {IDC_SUPPORT_LINK, "help@velnor.example"},
    };
    for (const auto& t : texts) {
        HWND control = dialog->Item(t.id);
        EXPECT_EQ(TextOf(control), t.text) << t.id;
        EXPECT_TRUE(::IsWindowVisible(control)) << t.id;
    }
    for (int id : {IDC_HOME_LINK, IDC_SUPPORT_LINK}) {
        HWND link = dialog->Item(id);
        EXPECT_TRUE(::GetWindowLongPtrA(link, GWL_STYLE) & SS_NOTIFY) << id;
        EXPECT_GT(PixelsOf(link, kBlue), 10) << id;
        EXPECT_EQ(PixelsOf(link, kRed), 0) << id;
    }
}

TEST_F(AboutPageOnScreen, ClickOpensTheTargetAndTheLinkStaysVisited) {
    HWND home = dialog->Item(IDC_HOME_LINK);
    HWND support = dialog->Item(IDC_SUPPORT_LINK);

    MoveTo(home, 3, 3);
    EXPECT_EQ(::GetCapture(), home);
    EXPECT_GT(PixelsOf(home, kRed), 10);
    EXPECT_EQ(PixelsOf(home, kBlue), 0);
    MoveTo(home, 3, 300);
    EXPECT_NE(::GetCapture(), home);
    EXPECT_GT(PixelsOf(home, kBlue), 10);
    EXPECT_EQ(PixelsOf(home, kRed), 0);

    MoveTo(support, 3, 3);
    Click(support);
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].verb, "open");
    EXPECT_EQ(shell.opened[0].target, "mailto:help@velnor.example");
    EXPECT_EQ(shell.opened[0].show, SW_SHOWMINIMIZED);
    // Visited wins over hover, and stays once the pointer has gone.
    EXPECT_GT(PixelsOf(support, kVisited), 10);
    EXPECT_EQ(PixelsOf(support, kRed), 0);
    MoveTo(support, 3, 300);
    EXPECT_GT(PixelsOf(support, kVisited), 10);
    EXPECT_EQ(PixelsOf(support, kBlue), 0);

    MoveTo(home, 3, 3);
    Click(home);
    ASSERT_EQ(shell.opened.size(), 2u);
    EXPECT_EQ(shell.opened[1].target, "www.velnor.example");
    MoveTo(home, 3, 300);

    // Entering the page again keeps the visits.
    dialog->parts.flow.ShowPage(kPagePath);
    dialog->parts.flow.OnAbout();
    PumpMessages();
    EXPECT_TRUE(::IsWindowVisible(home));
    EXPECT_GT(PixelsOf(home, kVisited), 10);
    EXPECT_GT(PixelsOf(support, kVisited), 10);
    EXPECT_EQ(TextOf(home), "www.velnor.example");
}

// The links with the keyboard and a screen reader: Tab reaches each and
// shows it, Enter or Space opens it, and a screen reader hears a link with
// its address and can follow it.
TEST_F(AboutPageOnScreen, LinksTakeTheFocusOpenWithEnterOrSpaceAndReadAsLinks) {
    HWND home = dialog->Item(IDC_HOME_LINK);
    HWND support = dialog->Item(IDC_SUPPORT_LINK);
    ::SetFocus(dialog->Item(IDC_PAGE_CLEAN));
    PressKey(dialog->Hwnd(), VK_TAB);
    ASSERT_EQ(::GetFocus(), home);
    EXPECT_GT(PixelsOf(home, kFocusMark), 10);
    EXPECT_EQ(PixelsOf(support, kFocusMark), 0);
    PressKey(dialog->Hwnd(), VK_RETURN);
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].target, "www.velnor.example");
    EXPECT_EQ(shell.opened[0].show, SW_SHOWMINIMIZED);
    EXPECT_GT(PixelsOf(home, kVisited), 10);

    PressKey(dialog->Hwnd(), VK_TAB);
    ASSERT_EQ(::GetFocus(), support);
    EXPECT_EQ(PixelsOf(home, kFocusMark), 0);
    EXPECT_GT(PixelsOf(support, kFocusMark), 10);
    PressKey(dialog->Hwnd(), VK_SPACE);
    ASSERT_EQ(shell.opened.size(), 2u);
    EXPECT_EQ(shell.opened[1].target, "mailto:help@velnor.example");
    // The dialog's default button never saw Enter: the window is still open.
    EXPECT_TRUE(::IsWindow(dialog->Hwnd()));
    PressKey(dialog->Hwnd(), VK_TAB);
    EXPECT_EQ(::GetFocus(), dialog->Item(IDC_START_SCAN));

    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    const struct {
        HWND link;
        const wchar_t* name;
    } links[] = {{home, L"www.velnor.example"}, {support, L"help@velnor.example"}};
    for (const auto& l : links) {
        IAccessible* object = nullptr;
        ASSERT_EQ(::AccessibleObjectFromWindow(l.link, OBJID_CLIENT, IID_IAccessible,
                                               reinterpret_cast<void**>(&object)),
                  S_OK);
        BSTR text = nullptr;
        EXPECT_EQ(object->get_accName(self, &text), S_OK);
        EXPECT_STREQ(text, l.name);
        ::SysFreeString(text);
        VARIANT role, state;
        ASSERT_EQ(object->get_accRole(self, &role), S_OK);
        EXPECT_EQ(role.lVal, ROLE_SYSTEM_LINK);
        ASSERT_EQ(object->get_accState(self, &state), S_OK);
        const LONG expected = STATE_SYSTEM_LINKED | STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_TRAVERSED;
        EXPECT_EQ(state.lVal & expected, expected);
        EXPECT_EQ(state.lVal & STATE_SYSTEM_INVISIBLE, 0);
        text = nullptr;
        EXPECT_EQ(object->get_accDefaultAction(self, &text), S_OK);
        EXPECT_STREQ(text, L"Jump");
        ::SysFreeString(text);
        EXPECT_EQ(object->accDoDefaultAction(self), S_OK);
        object->Release();
        PumpMessages();
    }
    ASSERT_EQ(shell.opened.size(), 4u);
    EXPECT_EQ(shell.opened[2].target, "www.velnor.example");
    EXPECT_EQ(shell.opened[3].target, "mailto:help@velnor.example");

    // On another page a link is not there to follow.
    dialog->parts.flow.ShowPage(kPagePath);
    PumpMessages();
    IAccessible* object = nullptr;
    ASSERT_EQ(::AccessibleObjectFromWindow(home, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object)),
              S_OK);
    EXPECT_NE(object->accDoDefaultAction(self), S_OK);
    object->Release();
    PumpMessages();
    EXPECT_EQ(shell.opened.size(), 4u);
}

// The label on its own: font, cursor and tooltip.
TEST(LinkLabel, UnderlinedWithTheHandCursorAndAnEmptyTooltip) {
    HostWindow host(300, 100);
    HWND text = ::CreateWindowExA(0, "Static", "www.velnor.example", WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 10, 150,
                                  16, host.Hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_HOME_LINK)),
                                  ::GetModuleHandleA(nullptr), nullptr);
    ::SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    LinkLabelState state;
    RecordingShell shell;
    {
        CLinkLabel link;
        ASSERT_TRUE(link.Attach(host.Hwnd(), IDC_HOME_LINK, &state, &shell));
        link.SetTarget("www.velnor.example");
        link.SetColors(kBlue, kRed, kVisited);
        EXPECT_TRUE(::GetWindowLongPtrA(text, GWL_STYLE) & SS_NOTIFY);

        LOGFONTA face = {};
        ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(text, WM_GETFONT, 0, 0)), sizeof face, &face);
        EXPECT_TRUE(face.lfUnderline);

        ::SendMessageA(text, WM_SETCURSOR, reinterpret_cast<WPARAM>(text), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(::GetCursor(), HandCursor());

        ASSERT_NE(link.Tooltip(), nullptr);
        EXPECT_EQ(::SendMessageA(link.Tooltip(), TTM_GETTOOLCOUNT, 0, 0), 1);
        char tip[64] = "unset";
        TOOLINFOA tool = {};
        tool.cbSize = sizeof tool;
        tool.hwnd = text;
        tool.uId = CLinkLabel::kToolId;
        tool.lpszText = tip;
        EXPECT_TRUE(::SendMessageA(link.Tooltip(), TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool)));
        EXPECT_STREQ(tip, "");
        RECT client;
        ::GetClientRect(text, &client);
        EXPECT_TRUE(::EqualRect(&tool.rect, &client));
        EXPECT_FALSE(::IsWindowVisible(link.Tooltip()));

        // A press elsewhere while the link holds the pointer opens nothing.
        MoveTo(text, 3, 3);
        EXPECT_TRUE(state.hovered);
        ::SendMessageA(text, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 60));
        EXPECT_FALSE(state.hovered);
        EXPECT_TRUE(shell.opened.empty());
        EXPECT_FALSE(state.visited);
        EXPECT_GT(PixelsOf(text, kBlue), 10);
    }
    // Let go of the label, its font is gone from the control.
    EXPECT_EQ(CWindow::FromHandle(text), nullptr);
}

}  // namespace
}  // namespace velnor
