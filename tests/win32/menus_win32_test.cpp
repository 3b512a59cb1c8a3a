#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_dialog_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/win32_platform.h"
#include "res/resource.h"
#include "tests/win32/support/main_window.h"
#include "tests/win32/support/win_test_support.h"
#include "ui/owner_draw_menu_win32.h"

namespace velnor {
namespace {

using testing::CloseMainWindow;
using testing::OpenMainWindow;
using testing::ProgramInFolder;
using testing::PumpMessages;
using testing::TempDir;

constexpr COLORREF kPurple = RGB(64, 0, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kIconColumn = RGB(219, 216, 209);
constexpr COLORREF kItemArea = RGB(249, 248, 247);
constexpr COLORREF kBar = RGB(220, 220, 220);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kUntouched = RGB(255, 0, 255);

// A 24-bit picture to draw menu items into, magenta where nothing was drawn.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height) {
        HDC screen = ::GetDC(nullptr);
        dc_ = ::CreateCompatibleDC(screen);
        bitmap_ = ::CreateCompatibleBitmap(screen, width, height);
        ::ReleaseDC(nullptr, screen);
        old_ = ::SelectObject(dc_, bitmap_);
        Clear();
    }
    ~Canvas() {
        ::SelectObject(dc_, old_);
        ::DeleteObject(bitmap_);
        ::DeleteDC(dc_);
    }
    void Clear() {
        const RECT all = {0, 0, width_, height_};
        HBRUSH magenta = ::CreateSolidBrush(kUntouched);
        ::FillRect(dc_, &all, magenta);
        ::DeleteObject(magenta);
    }
    HDC Dc() const { return dc_; }
    COLORREF At(int x, int y) const { return ::GetPixel(dc_, x, y); }
    // The box around every pixel inside `area` that is dark enough to be text.
    RECT InkBox(const RECT& area) const {
        RECT box = {width_, height_, -1, -1};
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) {
                const COLORREF c = At(x, y);
                if (GetRValue(c) + GetGValue(c) + GetBValue(c) > 300) continue;
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x);
                box.bottom = std::max<LONG>(box.bottom, y);
            }
        return box;
    }

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

ULONG_PTR ItemData(HMENU menu, int position) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    ::GetMenuItemInfoA(menu, position, TRUE, &info);
    return info.dwItemData;
}

UINT ItemType(HMENU menu, int position) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    ::GetMenuItemInfoA(menu, position, TRUE, &info);
    return info.fType;
}

void Draw(COwnerDrawMenu& menu, HDC dc, ULONG_PTR data, RECT item, UINT state) {
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_MENU;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = state;
    draw.hDC = dc;
    draw.rcItem = item;
    draw.itemData = data;
    menu.DrawItem(draw);
}

TEST(OwnerDrawMenu, IconMenuBecomesOwnerDrawnWithARecordPerItem) {
    COwnerDrawMenu menu;
    ASSERT_TRUE(menu.LoadFromResource(IDR_ICON_MENU));
    EXPECT_EQ(menu.RecordCount(), 4u);
    const MenuItemRecord* top = menu.RecordOf(ItemData(menu.Handle(), 0));
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->id, -2);
    EXPECT_EQ(top->text, "Menu");
    EXPECT_TRUE(ItemType(menu.Handle(), 0) & MFT_OWNERDRAW);

    HMENU popup = menu.Popup();
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(::GetMenuItemCount(popup), 3);
    const struct {
        int32_t id;
        const char* text;
        bool separator;
    } items[] = {{IDM_MINIMIZE, "Minimize", false}, {0, "", true}, {IDM_EXIT, "Exit", false}};
    for (int i = 0; i < 3; ++i) {
        const MenuItemRecord* record = menu.RecordOf(ItemData(popup, i));
        ASSERT_NE(record, nullptr) << i;
        EXPECT_EQ(record->id, items[i].id) << i;
        EXPECT_EQ(record->text, items[i].text) << i;
        const UINT type = ItemType(popup, i);
        EXPECT_TRUE(type & MFT_OWNERDRAW) << i;
        EXPECT_EQ((type & MFT_SEPARATOR) != 0, items[i].separator) << i;
        if (!items[i].separator) {
            EXPECT_EQ(::GetMenuItemID(popup, i), static_cast<UINT>(items[i].id)) << i;
        }
    }

    // Loading again replaces the menu and its records.
    ASSERT_TRUE(menu.LoadFromResource(IDR_HELP_MENU));
    EXPECT_EQ(menu.RecordCount(), 2u);
    EXPECT_FALSE(::IsMenu(popup));
    const MenuItemRecord* manual = menu.RecordOf(ItemData(menu.Popup(), 0));
    ASSERT_NE(manual, nullptr);
    EXPECT_EQ(manual->id, IDM_USER_MANUAL);
    EXPECT_EQ(manual->text, "User Manual");
    EXPECT_EQ(menu.RecordOf(ItemData(menu.Handle(), 0))->id, -2);

    // A menu that cannot be loaded leaves nothing behind.
    EXPECT_FALSE(menu.LoadFromResource(9999));
    EXPECT_EQ(menu.Handle(), nullptr);
    EXPECT_EQ(menu.Popup(), nullptr);
    EXPECT_EQ(menu.RecordCount(), 0u);
}

TEST(OwnerDrawMenu, MeasuresItsOwnItemsOnly) {
    COwnerDrawMenu menu;
    ASSERT_TRUE(menu.LoadFromResource(IDR_ICON_MENU));
    const struct {
        HMENU menu;
        int position;
        UINT width, height;
    } cases[] = {
        {menu.Handle(), 0, 20, 20},  // "Menu", 5 pixels a character
        {menu.Popup(), 0, 90, 20},
        {menu.Popup(), 1, 90, 10},
        {menu.Popup(), 2, 90, 20},
    };
    for (const auto& c : cases) {
        MEASUREITEMSTRUCT measure = {};
        measure.CtlType = ODT_MENU;
        measure.itemData = ItemData(c.menu, c.position);
        menu.MeasureItem(measure);
        EXPECT_EQ(measure.itemWidth, c.width) << c.position;
        EXPECT_EQ(measure.itemHeight, c.height) << c.position;
    }
    MEASUREITEMSTRUCT foreign = {};
    foreign.CtlType = ODT_MENU;
    foreign.itemWidth = 7;
    foreign.itemHeight = 7;
    foreign.itemData = 12345;
    menu.MeasureItem(foreign);
    EXPECT_EQ(foreign.itemWidth, 7u);
    EXPECT_EQ(foreign.itemHeight, 7u);
}

TEST(OwnerDrawMenu, SeparatorIsAnEtchedLineInTheMiddleOfItsSlot) {
    COwnerDrawMenu menu;
    ASSERT_TRUE(menu.LoadFromResource(IDR_ICON_MENU));
    Canvas canvas(130, 40);
    // A slot of 10 from y 20: the line's rows are 25 and 26.
    Draw(menu, canvas.Dc(), ItemData(menu.Popup(), 1), RECT{0, 20, 120, 30}, 0);
    for (int x = 22; x <= 116; ++x) {
        EXPECT_EQ(canvas.At(x, 25), kPurple) << x;
        EXPECT_EQ(canvas.At(x, 26), kWhite) << x;
    }
    EXPECT_EQ(canvas.At(117, 25), kWhite);  // the right edge belongs to the light side
    EXPECT_EQ(canvas.At(117, 26), kWhite);
    for (int y = 20; y < 30; ++y) {
        EXPECT_EQ(canvas.At(21, y), kUntouched) << y;
        EXPECT_EQ(canvas.At(118, y), kUntouched) << y;
        if (y != 25 && y != 26) {
            EXPECT_EQ(canvas.At(60, y), kUntouched) << y;
        }
    }
    EXPECT_EQ(canvas.At(5, 25), kUntouched);
}

TEST(OwnerDrawMenu, CommandItemInItsNormalAndSelectedLooks) {
    COwnerDrawMenu menu;
    ASSERT_TRUE(menu.LoadFromResource(IDR_ICON_MENU));
    const ULONG_PTR exit = ItemData(menu.Popup(), 2);
    const RECT item = {0, 0, 120, 20};
    Canvas normal(120, 20), selected(120, 20);
    ::SetTextColor(normal.Dc(), kBlack);
    ::SetTextColor(selected.Dc(), kBlack);
    Draw(menu, normal.Dc(), exit, item, 0);
    Draw(menu, selected.Dc(), exit, item, ODS_SELECTED);

    for (POINT p : {POINT{0, 0}, POINT{19, 19}, POINT{10, 10}}) EXPECT_EQ(normal.At(p.x, p.y), kIconColumn);
    for (POINT p : {POINT{20, 0}, POINT{119, 19}, POINT{25, 10}, POINT{119, 0}}) EXPECT_EQ(normal.At(p.x, p.y), kItemArea);

    // A black frame round the whole item, the bar inside it.
    for (int x = 0; x < 120; ++x) {
        EXPECT_EQ(selected.At(x, 0), kBlack) << x;
        EXPECT_EQ(selected.At(x, 19), kBlack) << x;
    }
    for (int y = 0; y < 20; ++y) {
        EXPECT_EQ(selected.At(0, y), kBlack) << y;
        EXPECT_EQ(selected.At(119, y), kBlack) << y;
    }
    for (POINT p : {POINT{1, 1}, POINT{118, 18}, POINT{10, 10}, POINT{25, 2}, POINT{118, 1}})
        EXPECT_EQ(selected.At(p.x, p.y), kBar);

    // The text sits at the same place in both looks, 28 pixels in.
    // Inside the selected look's frame.
    const RECT inside = {21, 1, 119, 19};
    const RECT a = normal.InkBox(inside), b = selected.InkBox(inside);
    ASSERT_GE(a.right, a.left) << "no text drawn";
    EXPECT_GE(a.left, 28);
    EXPECT_LT(a.left, 32);
    // Smoothed glyph edges may darken by a pixel on the grey bar.
    EXPECT_LE(std::abs(a.left - b.left), 1);
    EXPECT_LE(std::abs(a.top - b.top), 1);
    EXPECT_LE(std::abs(a.right - b.right), 1);
    EXPECT_LE(std::abs(a.bottom - b.bottom), 1);
    // Vertically centred.
    EXPECT_LE(std::abs((a.top + a.bottom) - 19), 4);

    // Data that is none of the menu's records draws nothing.
    Canvas none(120, 20);
    Draw(menu, none.Dc(), 0, item, 0);
    EXPECT_EQ(none.At(5, 5), kUntouched);
    EXPECT_EQ(none.At(60, 10), kUntouched);
}

// A help viewer that only notes what it was asked for.
class RecordingHelp : public IHelp {
public:
    struct Request {
        std::string file;
        uint32_t context;
    };
    std::vector<Request> requests;
    void ShowContext(const std::string& helpFile, uint32_t context) override {
        requests.push_back({helpFile, context});
    }
};

// Watches for the popup menu while the program's TrackPopupMenu runs its own
// loop: each step runs on a later timer tick; the menu is closed after the
// last, or after a few seconds if it never shows.
class WhileMenuOpen {
public:
    using Step = std::function<void(HWND menuWindow)>;
    explicit WhileMenuOpen(std::vector<Step> steps) : steps_(std::move(steps)) {
        current_ = this;
        timer_ = ::SetTimer(nullptr, 0, 50, &WhileMenuOpen::Tick);
    }
    ~WhileMenuOpen() {
        ::KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    WhileMenuOpen(const WhileMenuOpen&) = delete;
    WhileMenuOpen& operator=(const WhileMenuOpen&) = delete;

    bool Opened() const { return opened_; }
    size_t StepsRun() const { return next_; }

    static HWND VisibleMenuWindow() {
        HWND found = nullptr;
        ::EnumThreadWindows(::GetCurrentThreadId(), FindVisibleMenu, reinterpret_cast<LPARAM>(&found));
        return found;
    }

private:
    static BOOL CALLBACK FindVisibleMenu(HWND hwnd, LPARAM out) {
        char cls[16] = {};
        ::GetClassNameA(hwnd, cls, sizeof cls);
        if (lstrcmpA(cls, "#32768") != 0 || !::IsWindowVisible(hwnd)) return TRUE;
        *reinterpret_cast<HWND*>(out) = hwnd;
        return FALSE;
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        WhileMenuOpen* self = current_;
        if (!self) return;
        if (++self->ticks_ > 100) {
            ::EndMenu();
            return;
        }
        HWND menu = VisibleMenuWindow();
        if (!menu) return;
        self->opened_ = true;
        if (self->next_ < self->steps_.size()) {
            self->steps_[self->next_++](menu);
            return;
        }
        ::EndMenu();
    }

    static inline WhileMenuOpen* current_ = nullptr;
    std::vector<Step> steps_;
    size_t next_ = 0;
    UINT_PTR timer_ = 0;
    int ticks_ = 0;
    bool opened_ = false;
};

class MenusOfTheMainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        files = std::make_unique<ProgramInFolder>(dir.Path());
        platform.files = files.get();
        platform.prompts = &prompts;
        platform.pump = &pump;
        platform.locale = &locale;
        platform.help = &help;
        dialog = OpenMainWindow(platform);
        ASSERT_TRUE(dialog);
        ::SetForegroundWindow(dialog->Hwnd());
        PumpMessages();
    }
    void TearDown() override {
        CloseMainWindow(dialog);
    }
    RECT ScreenRectOf(int id) {
        RECT r;
        ::GetWindowRect(dialog->Item(id), &r);
        return r;
    }
    void Command(int id, int code = 0) {
        ::SendMessageA(dialog->Hwnd(), WM_COMMAND, MAKEWPARAM(id, code),
                       code ? reinterpret_cast<LPARAM>(dialog->Item(id)) : 0);
    }

    TempDir dir;
    std::unique_ptr<ProgramInFolder> files;
    Win32Prompts prompts;
    Win32MessagePump pump;
    Win32Locale locale;
    RecordingHelp help;
    Platform platform;
    std::unique_ptr<CMainDialog> dialog;
};

COLORREF PixelOf(HWND window, int x, int y) {
    HDC dc = ::GetDC(window);
    const COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(window, dc);
    return c;
}

RECT ClientItemRect(HWND menuWindow, HMENU menu, int position) {
    RECT r = {};
    ::GetMenuItemRect(nullptr, menu, position, &r);
    ::MapWindowPoints(nullptr, menuWindow, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST_F(MenusOfTheMainWindow, IconMenuOpensUnderTheTitleIconInTheSkinsLook) {
    RECT window = {};
    RECT items[3] = {};
    COLORREF iconColumn = 0, itemArea = 0, separatorTop = 0, separatorBottom = 0;
    COLORREF frame = 0, bar = 0, otherItem = 0;
    WhileMenuOpen watch({
        [&](HWND menu) {
            ::GetWindowRect(menu, &window);
            HMENU popup = dialog->PopupMenu().Popup();
            for (int i = 0; i < 3; ++i) items[i] = ClientItemRect(menu, popup, i);
            iconColumn = PixelOf(menu, items[0].left + 10, items[0].top + 2);
            itemArea = PixelOf(menu, items[0].left + 24, items[0].top + 2);
            const int middle = items[1].top + (items[1].bottom - items[1].top) / 2;
            separatorTop = PixelOf(menu, items[1].left + 30, middle);
            separatorBottom = PixelOf(menu, items[1].left + 30, middle + 1);
            // The arrow key selects the first item.
            ::PostMessageA(dialog->Hwnd(), WM_KEYDOWN, VK_DOWN, 0);
        },
        [&](HWND) {},
        [&](HWND menu) {
            frame = PixelOf(menu, items[0].left, items[0].top + 5);
            bar = PixelOf(menu, items[0].left + 10, items[0].top + 2);
            otherItem = PixelOf(menu, items[2].left + 10, items[2].top + 2);
        },
    });
    Command(IDC_TITLE_ICON, STN_CLICKED);
    ASSERT_TRUE(watch.Opened());
    ASSERT_EQ(watch.StepsRun(), 3u);

    const RECT icon = ScreenRectOf(IDC_TITLE_ICON);
    EXPECT_EQ(window.left, icon.left);
    EXPECT_EQ(window.top, icon.bottom);
    EXPECT_EQ(items[0].bottom - items[0].top, 20);
    EXPECT_EQ(items[1].bottom - items[1].top, 10);
    EXPECT_EQ(items[2].bottom - items[2].top, 20);
    EXPECT_EQ(iconColumn, kIconColumn);
    EXPECT_EQ(itemArea, kItemArea);
    EXPECT_EQ(separatorTop, kPurple);
    EXPECT_EQ(separatorBottom, kWhite);
    EXPECT_EQ(frame, kBlack);
    EXPECT_EQ(bar, kBar);
    EXPECT_EQ(otherItem, kIconColumn);
}

TEST_F(MenusOfTheMainWindow, HelpMenuOpensUnderTheHelpButtonUnlessBusy) {
    dialog->parts.controls[IDC_HELP_BUTTON].SetStateAndPicture(2);
    RECT window = {};
    int buttonState = -1;
    {
        WhileMenuOpen watch({[&](HWND menu) {
            ::GetWindowRect(menu, &window);
            buttonState = dialog->parts.controls.StateOf(IDC_HELP_BUTTON).state;
        }});
        Command(IDC_HELP_BUTTON, STN_CLICKED);
        ASSERT_TRUE(watch.Opened());
    }
    const RECT button = ScreenRectOf(IDC_HELP_BUTTON);
    EXPECT_EQ(window.left, button.left);
    EXPECT_EQ(window.top, button.bottom);
    EXPECT_EQ(buttonState, 1);
    EXPECT_EQ(dialog->parts.controls.StateOf(IDC_HELP_BUTTON).shownPicture, IDB_HELP);
    EXPECT_EQ(dialog->PopupMenu().RecordOf(ItemData(dialog->PopupMenu().Popup(), 0))->text, "User Manual");

    // A scan or a clean keeps the help menu shut, but not the icon menu.
    for (bool* flag : {&dialog->parts.state.busy, &dialog->parts.state.cleanBusy}) {
        *flag = true;
        WhileMenuOpen watch({});
        Command(IDC_HELP_BUTTON, STN_CLICKED);
        for (int i = 0; i < 5; ++i) {
            PumpMessages();
            ::Sleep(20);
        }
        EXPECT_FALSE(watch.Opened());
        *flag = false;
    }
    dialog->parts.state.busy = true;
    WhileMenuOpen watch({});
    Command(IDC_TITLE_ICON, STN_CLICKED);
    EXPECT_TRUE(watch.Opened());
    dialog->parts.state.busy = false;
}

// The real shell with the user's application data folders in a test folder,
// noting what it is asked to open.
class AppDataShell : public Win32Shell {
public:
    std::string local, roaming;
    std::vector<std::string> opened;
    std::optional<std::string> SpecialFolderPath(int csidl) override {
        if (csidl == kCsidlLocalAppData) return local;
        if (csidl == kCsidlAppData) return roaming;
        return Win32Shell::SpecialFolderPath(csidl);
    }
    void Execute(const std::string& verb, const std::string& target, int) override {
        opened.push_back(verb + "|" + target);
    }
};

TEST(BrowserCacheMenu, ListsTheCachesFoundWholeAndOpensTheOneChosenWithTheKeys) {
    TempDir dir;
    AppDataShell shell;
    shell.local = dir / "Local";
    shell.roaming = dir / "Roaming";
    testing::MakeFolder(shell.local);
    testing::MakeFolder(shell.roaming);
    std::string chromeCache = shell.local;
    for (const char* part : {"Google", "Chrome", "User Data", "Default", "Cache"})
        testing::MakeFolder(chromeCache += std::string("\\") + part);
    testing::WriteBytes(chromeCache + "\\data_0", std::string(2048, 'c'));
    std::string firefoxCache = shell.local, firefoxProfile = shell.roaming;
    for (const char* part : {"Mozilla", "Firefox", "Profiles", "ab12.default-release"}) {
        testing::MakeFolder(firefoxCache += std::string("\\") + part);
        testing::MakeFolder(firefoxProfile += std::string("\\") + part);
    }
    testing::MakeFolder(firefoxCache += "\\cache2");
    ProgramInFolder files(dir.Path());
    Win32Prompts prompts;
    Win32MessagePump pump;
    Win32Locale locale;
    Platform platform;
    platform.files = &files;
    platform.prompts = &prompts;
    platform.pump = &pump;
    platform.locale = &locale;
    platform.shell = &shell;
    std::unique_ptr<CMainDialog> dialog = OpenMainWindow(platform);
    ASSERT_TRUE(dialog);
    ::SetForegroundWindow(dialog->Hwnd());
    dialog->parts.flow.ShowPage(kPageClean);
    PumpMessages();
    ASSERT_EQ(dialog->parts.clean.BrowserCacheFolders().Caches().size(), 2u)
        << dialog->parts.controls.StateOf(IDC_CLEAN_STATUS).text << " " << chromeCache;

    RECT window = {};
    std::vector<std::string> texts;
    std::vector<RECT> items;
    WhileMenuOpen watch({
        [&](HWND menu) {
            ::GetWindowRect(menu, &window);
            HMENU popup = dialog->BrowserCacheMenu().Popup();
            for (int i = 0; i < ::GetMenuItemCount(popup); ++i) {
                const MenuItemRecord* record = dialog->BrowserCacheMenu().RecordOf(ItemData(popup, i));
                texts.push_back(record ? record->text : "?");
                items.push_back(ClientItemRect(menu, popup, i));
            }
            ::PostMessageA(dialog->Hwnd(), WM_KEYDOWN, VK_DOWN, 0);
        },
        [&](HWND) { ::PostMessageA(dialog->Hwnd(), WM_KEYDOWN, VK_DOWN, 0); },
        [&](HWND) { ::PostMessageA(dialog->Hwnd(), WM_KEYDOWN, VK_RETURN, 0); },
    });
    ::SendMessageA(dialog->Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_OPEN_BROWSERS, STN_CLICKED),
                   reinterpret_cast<LPARAM>(dialog->Item(IDC_OPEN_BROWSERS)));
    ASSERT_TRUE(watch.Opened());

    RECT button = {};
    ::GetWindowRect(dialog->Item(IDC_OPEN_BROWSERS), &button);
    EXPECT_EQ(window.left, button.left);
    EXPECT_EQ(window.top, button.bottom);
    EXPECT_EQ(texts, (std::vector<std::string>{"Google Chrome: Cache (2.00 KB)", "Firefox: cache2 (0 Byte(s))"}));
    // Each text whole on its line: the items are as wide as the longest text needs.
    ASSERT_EQ(items.size(), 2u);
    HDC dc = ::GetDC(dialog->Hwnd());
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT font = ::CreateFontIndirectA(&metrics.lfMenuFont);
    HGDIOBJ old = ::SelectObject(dc, font);
    SIZE extent = {};
    ::GetTextExtentPoint32A(dc, texts[0].c_str(), static_cast<int>(texts[0].size()), &extent);
    ::SelectObject(dc, old);
    ::DeleteObject(font);
    ::ReleaseDC(dialog->Hwnd(), dc);
    EXPECT_GE(items[0].right - items[0].left, extent.cx + menu_layout::kIconColumnWidth + menu_layout::kTextIndent);
    // The second item was chosen with the keys.
    EXPECT_EQ(shell.opened, std::vector<std::string>{"Open|" + firefoxCache});
    CloseMainWindow(dialog);
}

// No help file lies in the test folder: the request goes out all the same,
// and a missing file is the viewer's to report.
TEST_F(MenusOfTheMainWindow, UserManualIsTheF1RequestForTheHelpFile) {
    ::SetFocus(dialog->Hwnd());
    Command(IDM_USER_MANUAL);
    for (int i = 0; i < 20 && help.requests.empty(); ++i) {
        PumpMessages();
        ::Sleep(25);
    }
    ASSERT_EQ(help.requests.size(), 1u);
    EXPECT_EQ(help.requests[0].file, dir.Path() + "\\VelnorCleaner.CHM");
    EXPECT_EQ(help.requests[0].context, 0x20000u + 102u);

    // F1 with the focus in a control of the window asks the same.
    ::SetFocus(dialog->Item(IDC_LOCATION_LIST));
    dialog->OnUserManual();
    for (int i = 0; i < 20 && help.requests.size() < 2; ++i) {
        PumpMessages();
        ::Sleep(25);
    }
    ASSERT_EQ(help.requests.size(), 2u);
    EXPECT_EQ(help.requests[1].file, help.requests[0].file);
    EXPECT_EQ(help.requests[1].context, help.requests[0].context);
}

}  // namespace
}  // namespace velnor
