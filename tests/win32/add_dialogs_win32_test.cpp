#include <windows.h>

#include <gtest/gtest.h>

#include "profile/exclude_path_add_dialog_win32.h"
#include "profile/filter_add_dialog_win32.h"
#include "res/resource.h"
#include "tests/win32/add_dialog_script.h"
#include "tests/win32/support/win_test_support.h"
#include "ui/gdi_handles_win32.h"

namespace velnor {
namespace {

using testing::Click;
using testing::ClearBox;
using testing::HostWindow;
using testing::PictureOf;
using testing::ScriptedPrompts;
using testing::TextOf;
using testing::Type;
using testing::WhileModal;

constexpr COLORREF kDialogGrey = RGB(215, 215, 215);

bool Checked(HWND dialog, int id) { return ::SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

RECT ClientRectOf(HWND dialog, int id) {
    RECT r;
    ::GetWindowRect(::GetDlgItem(dialog, id), &r);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

COLORREF BrushColour(LRESULT brush) {
    LOGBRUSH info = {};
    if (!brush || !::GetObjectA(reinterpret_cast<HBRUSH>(brush), sizeof info, &info)) return CLR_INVALID;
    return info.lbColor;
}

COLORREF ControlColour(HWND dialog, UINT message, int id) {
    HDC dc = ::GetDC(dialog);
    const LRESULT brush = ::SendMessageA(dialog, message, reinterpret_cast<WPARAM>(dc),
                                         reinterpret_cast<LPARAM>(id ? ::GetDlgItem(dialog, id) : dialog));
    ::ReleaseDC(dialog, dc);
    return BrushColour(brush);
}

FilterDialogValues Prepared() { return FilterDialogValues{"", "", FilterType::Include}; }

class AddFilterDialogWin32 : public ::testing::Test {
protected:
    HostWindow owner;
    CFilterAddDialog dialog;
};

TEST_F(AddFilterDialogWin32, OkStaysDisabledForBlanksAndHandsBackTheUntrimmedPattern) {
    FilterDialogValues values = Prepared();
    bool okIgnoredWhileDisabled = false, okEnabledWithBlanksAround = false, excludeClearedInclude = false;
    WhileModal script("Add Filter", [&](HWND d) {
        HWND pattern = ::GetDlgItem(d, IDC_FILTER_PATTERN), ok = ::GetDlgItem(d, IDC_FILTER_OK);
        Type(pattern, "   ");
        const bool disabledLook = PictureOf(ok) == SharedBitmap(IDB_OK_OFF);
        Click(ok);
        okIgnoredWhileDisabled = disabledLook && ::IsWindowVisible(d) && values.pattern.empty();
        Type(pattern, "*.tmp  ");
        okEnabledWithBlanksAround = PictureOf(ok) == SharedBitmap(IDB_OK);
        Type(::GetDlgItem(d, IDC_FILTER_DESCRIPTION), "Temp files");
        ::SendDlgItemMessageA(d, IDC_FILTER_EXCLUDE, BM_CLICK, 0, 0);
        excludeClearedInclude = Checked(d, IDC_FILTER_EXCLUDE) && !Checked(d, IDC_FILTER_INCLUDE);
        // Enter on the focused OK presses it; anywhere else it closes as Cancel.
        ::SetFocus(ok);
        ::PostMessageA(ok, WM_KEYDOWN, VK_RETURN, 1);
    });
    dialog.Run(owner.Hwnd(), values);
    ASSERT_TRUE(script.Ran());
    EXPECT_FALSE(script.TimedOut());
    EXPECT_TRUE(okIgnoredWhileDisabled);
    EXPECT_TRUE(okEnabledWithBlanksAround);
    EXPECT_TRUE(excludeClearedInclude);
    EXPECT_EQ(values.pattern, "   *.tmp  ");
    EXPECT_EQ(values.description, "Temp files");
    EXPECT_EQ(values.type, FilterType::Exclude);
}

TEST_F(AddFilterDialogWin32, EveryWayOutButOkHandsBackNothing) {
    struct Way {
        const char* name;
        std::function<void(HWND)> close;
    } ways[] = {
        {"Cancel", [](HWND d) { Click(::GetDlgItem(d, IDC_FILTER_CANCEL)); }},
        {"Escape", [](HWND d) { ::PostMessageA(::GetDlgItem(d, IDC_FILTER_PATTERN), WM_KEYDOWN, VK_ESCAPE, 1); }},
        {"Enter", [](HWND d) { ::PostMessageA(::GetDlgItem(d, IDC_FILTER_PATTERN), WM_KEYDOWN, VK_RETURN, 1); }},
        {"Space on Cancel",
         [](HWND d) {
             ::SetFocus(::GetDlgItem(d, IDC_FILTER_CANCEL));
             ::PostMessageA(::GetDlgItem(d, IDC_FILTER_CANCEL), WM_KEYDOWN, VK_SPACE, 1);
         }},
        {"close box", [](HWND d) { ::PostMessageA(d, WM_CLOSE, 0, 0); }},
    };
    for (const Way& way : ways) {
        FilterDialogValues values = Prepared();
        WhileModal script("Add Filter", [&](HWND d) {
            ::SetFocus(::GetDlgItem(d, IDC_FILTER_PATTERN));
            Type(::GetDlgItem(d, IDC_FILTER_PATTERN), "*.bak");
            Type(::GetDlgItem(d, IDC_FILTER_DESCRIPTION), "Backups");
            way.close(d);
        });
        dialog.Run(owner.Hwnd(), values);
        ASSERT_TRUE(script.Ran()) << way.name;
        EXPECT_FALSE(script.TimedOut()) << way.name;
        EXPECT_EQ(values.pattern, "") << way.name;
        EXPECT_EQ(values.description, "") << way.name;
        EXPECT_EQ(values.type, FilterType::Include) << way.name;
    }
}

TEST_F(AddFilterDialogWin32, ASecondRunStartsBlankWithIncludeChosen) {
    FilterDialogValues values = Prepared();
    WhileModal first("Add Filter", [](HWND d) {
        ::SendDlgItemMessageA(d, IDC_FILTER_EXCLUDE, BM_CLICK, 0, 0);
        Type(::GetDlgItem(d, IDC_FILTER_PATTERN), "*.old");
        Type(::GetDlgItem(d, IDC_FILTER_DESCRIPTION), "Old");
        Click(::GetDlgItem(d, IDC_FILTER_CANCEL));
    });
    dialog.Run(owner.Hwnd(), values);
    ASSERT_TRUE(first.Ran());

    bool include = false, exclude = true;
    std::string pattern = "?", description = "?";
    HBITMAP okPicture = nullptr;
    WhileModal second("Add Filter", [&](HWND d) {
        include = Checked(d, IDC_FILTER_INCLUDE);
        exclude = Checked(d, IDC_FILTER_EXCLUDE);
        pattern = TextOf(::GetDlgItem(d, IDC_FILTER_PATTERN));
        description = TextOf(::GetDlgItem(d, IDC_FILTER_DESCRIPTION));
        okPicture = PictureOf(::GetDlgItem(d, IDC_FILTER_OK));
        Click(::GetDlgItem(d, IDC_FILTER_OK));  // disabled: ignored
        Click(::GetDlgItem(d, IDC_FILTER_CANCEL));
    });
    dialog.Run(owner.Hwnd(), values);
    ASSERT_TRUE(second.Ran());
    EXPECT_FALSE(second.TimedOut());
    EXPECT_TRUE(include);
    EXPECT_FALSE(exclude);
    EXPECT_EQ(pattern, "");
    EXPECT_EQ(description, "");
    EXPECT_EQ(okPicture, SharedBitmap(IDB_OK_OFF));
    EXPECT_EQ(values.pattern, "");
}

TEST_F(AddFilterDialogWin32, ShowsTheSkinOnTheGreyPanel) {
    FilterDialogValues values = Prepared();
    RECT ok = {}, cancel = {}, client = {};
    HBITMAP cancelPicture = nullptr;
    char title[64] = {};
    COLORREF dialogBrush = 0, labelBrush = 0, radioBrush = 0, editBrush = 0, panelPixel = 0, editPixel = 0;
    size_t acceptedChars = 0;
    WhileModal script("Add Filter", [&](HWND d) {
        ::GetWindowTextA(d, title, sizeof title);
        ok = ClientRectOf(d, IDC_FILTER_OK);
        cancel = ClientRectOf(d, IDC_FILTER_CANCEL);
        ::GetClientRect(d, &client);
        cancelPicture = PictureOf(::GetDlgItem(d, IDC_FILTER_CANCEL));
        dialogBrush = ControlColour(d, WM_CTLCOLORDLG, 0);
        labelBrush = ControlColour(d, WM_CTLCOLORSTATIC, IDC_FILTER_INCLUDE_PIC);
        radioBrush = ControlColour(d, WM_CTLCOLORSTATIC, IDC_FILTER_INCLUDE);
        editBrush = ControlColour(d, WM_CTLCOLOREDIT, IDC_FILTER_PATTERN);
        ::RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        HDC dc = ::GetDC(d);
        panelPixel = ::GetPixel(dc, 4, 4);
        const RECT edit = ClientRectOf(d, IDC_FILTER_PATTERN);
        editPixel = ::GetPixel(dc, edit.right - 6, (edit.top + edit.bottom) / 2);
        ::ReleaseDC(d, dc);
        HWND pattern = ::GetDlgItem(d, IDC_FILTER_PATTERN);
        Type(pattern, std::string(kMaxEntryChars + 20, 'x'));
        acceptedChars = static_cast<size_t>(::GetWindowTextLengthA(pattern));
        Click(::GetDlgItem(d, IDC_FILTER_OK));
    });
    dialog.Run(owner.Hwnd(), values);
    ASSERT_TRUE(script.Ran());
    EXPECT_STREQ(title, "Add Filter");
    // The picture controls take the size of their 76 x 26 pictures.
    EXPECT_EQ(ok.left, 150);
    EXPECT_EQ(ok.top, 210);
    EXPECT_EQ(ok.right - ok.left, 76);
    EXPECT_EQ(ok.bottom - ok.top, 26);
    EXPECT_EQ(cancel.left, 250);
    EXPECT_EQ(cancel.top, 210);
    EXPECT_EQ(cancelPicture, SharedBitmap(IDB_CANCEL));
    EXPECT_GT(client.bottom, ok.bottom);  // the bottom row is never cut off
    EXPECT_EQ(dialogBrush, kDialogGrey);
    EXPECT_EQ(labelBrush, kDialogGrey);
    EXPECT_EQ(radioBrush, kDialogGrey);
    EXPECT_NE(editBrush, kDialogGrey);
    EXPECT_EQ(panelPixel, kDialogGrey);
    EXPECT_NE(editPixel, kDialogGrey);
    EXPECT_EQ(acceptedChars, kMaxEntryChars);
    EXPECT_EQ(values.pattern, std::string(kMaxEntryChars, 'x'));
}

TEST_F(AddFilterDialogWin32, RunningOftenLeavesNoObjectsBehind) {
    auto runOnce = [&] {
        FilterDialogValues values = Prepared();
        WhileModal script("Add Filter", [](HWND d) {
            ::SendMessageA(::GetDlgItem(d, IDC_FILTER_OK), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
            Type(::GetDlgItem(d, IDC_FILTER_PATTERN), "*.x");
            Click(::GetDlgItem(d, IDC_FILTER_OK));
        });
        dialog.Run(owner.Hwnd(), values);
        return values.pattern;
    };
    ASSERT_EQ(runOnce(), "*.x");
    const DWORD gdi = testing::GdiObjects(), user = testing::UserObjects();
    for (int i = 0; i < 5; ++i) ASSERT_EQ(runOnce(), "*.x");
    EXPECT_LE(testing::GdiObjects(), gdi + 2);
    EXPECT_LE(testing::UserObjects(), user + 2);
}

class AddExcludeDialogWin32 : public ::testing::Test {
protected:
    HostWindow owner;
    ScriptedPrompts prompts;
    CExcludePathAddDialog dialog;
};

TEST_F(AddExcludeDialogWin32, BrowseFillsTheBoxAndEnablesOkInOneStep) {
    prompts.folders.push_back(std::string("C:\\"));
    prompts.folders.push_back(std::string("C:\\Program Files\\Velnor Cache"));
    prompts.folders.push_back(std::string("D:\\"));
    std::string value;
    bool focusInBox = false, rootNotTaken = false, filledAndEnabled = false, rootLeftTheFolder = false;
    int chooserCallsAfterFirst = 0;
    WhileModal script("Add exclude path", [&](HWND d) {
        HWND box = ::GetDlgItem(d, IDC_EXCLUDE_PATH), ok = ::GetDlgItem(d, IDC_EXCLUDE_OK);
        focusInBox = ::GetFocus() == box;
        Click(::GetDlgItem(d, IDC_EXCLUDE_BROWSE));
        chooserCallsAfterFirst = prompts.chooserCalls;
        rootNotTaken = TextOf(box).empty() && PictureOf(ok) == SharedBitmap(IDB_OK_OFF);
        Click(::GetDlgItem(d, IDC_EXCLUDE_BROWSE));
        filledAndEnabled = TextOf(box) == "C:\\Program Files\\Velnor Cache" && PictureOf(ok) == SharedBitmap(IDB_OK);
        // A root chosen now leaves the box as it was, neither emptied nor replaced.
        Click(::GetDlgItem(d, IDC_EXCLUDE_BROWSE));
        rootLeftTheFolder = TextOf(box) == "C:\\Program Files\\Velnor Cache" && PictureOf(ok) == SharedBitmap(IDB_OK);
        Click(ok);
    });
    dialog.Run(owner.Hwnd(), &prompts, value);
    ASSERT_TRUE(script.Ran());
    EXPECT_FALSE(script.TimedOut());
    EXPECT_EQ(chooserCallsAfterFirst, 1);
    EXPECT_EQ(prompts.chooserCalls, 3);
    EXPECT_TRUE(focusInBox);
    EXPECT_TRUE(rootNotTaken);
    EXPECT_TRUE(filledAndEnabled);
    EXPECT_TRUE(rootLeftTheFolder);
    EXPECT_EQ(value, "C:\\Program Files\\Velnor Cache");
}

TEST_F(AddExcludeDialogWin32, BlanksKeepOkDisabledAndCancelHandsBackNothing) {
    std::string value;
    bool ignored = false;
    WhileModal first("Add exclude path", [&](HWND d) {
        HWND box = ::GetDlgItem(d, IDC_EXCLUDE_PATH);
        Type(box, "  ");
        Click(::GetDlgItem(d, IDC_EXCLUDE_OK));
        ignored = ::IsWindowVisible(d) != FALSE;
        ClearBox(box);
        Type(box, "?:\\win*\\temp");
        Click(::GetDlgItem(d, IDC_EXCLUDE_CANCEL));
    });
    dialog.Run(owner.Hwnd(), &prompts, value);
    ASSERT_TRUE(first.Ran());
    EXPECT_FALSE(first.TimedOut());
    EXPECT_TRUE(ignored);
    EXPECT_EQ(value, "");

    std::string startText = "?";
    WhileModal second("Add exclude path", [&](HWND d) {
        HWND box = ::GetDlgItem(d, IDC_EXCLUDE_PATH);
        startText = TextOf(box);
        Type(box, " ?:\\win*\\temp ");
        Click(::GetDlgItem(d, IDC_EXCLUDE_OK));
    });
    dialog.Run(owner.Hwnd(), &prompts, value);
    ASSERT_TRUE(second.Ran());
    EXPECT_EQ(startText, "");
    EXPECT_EQ(value, " ?:\\win*\\temp ");
    EXPECT_EQ(prompts.chooserCalls, 0);
}

TEST_F(AddExcludeDialogWin32, ShowsTheSkinOnTheGreyPanel) {
    std::string value;
    RECT ok = {}, cancel = {}, browse = {}, client = {};
    HBITMAP browsePicture = nullptr;
    COLORREF dialogBrush = 0, editBrush = 0, panelPixel = 0;
    char title[64] = {};
    size_t acceptedChars = 0;
    WhileModal script("Add exclude path", [&](HWND d) {
        ::GetWindowTextA(d, title, sizeof title);
        ok = ClientRectOf(d, IDC_EXCLUDE_OK);
        cancel = ClientRectOf(d, IDC_EXCLUDE_CANCEL);
        browse = ClientRectOf(d, IDC_EXCLUDE_BROWSE);
        ::GetClientRect(d, &client);
        browsePicture = PictureOf(::GetDlgItem(d, IDC_EXCLUDE_BROWSE));
        dialogBrush = ControlColour(d, WM_CTLCOLORDLG, 0);
        editBrush = ControlColour(d, WM_CTLCOLOREDIT, IDC_EXCLUDE_PATH);
        ::RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        HDC dc = ::GetDC(d);
        panelPixel = ::GetPixel(dc, 4, 4);
        ::ReleaseDC(d, dc);
        HWND box = ::GetDlgItem(d, IDC_EXCLUDE_PATH);
        Type(box, std::string(1200, 'p'));
        acceptedChars = static_cast<size_t>(::GetWindowTextLengthA(box));
        Click(::GetDlgItem(d, IDC_EXCLUDE_OK));
    });
    dialog.Run(owner.Hwnd(), &prompts, value);
    ASSERT_TRUE(script.Ran());
    EXPECT_STREQ(title, "Add exclude path");
    EXPECT_EQ(ok.left, 90);
    EXPECT_EQ(ok.top, 135);
    EXPECT_EQ(cancel.left, 180);
    EXPECT_EQ(cancel.top, 135);
    EXPECT_EQ(browse.left, 258);
    EXPECT_EQ(browse.top, 90);
    EXPECT_EQ(browse.right - browse.left, 49);
    EXPECT_EQ(browse.bottom - browse.top, 21);
    EXPECT_EQ(browsePicture, SharedBitmap(IDB_BROWSE));
    EXPECT_GT(client.bottom, ok.bottom);
    EXPECT_EQ(dialogBrush, kDialogGrey);
    EXPECT_NE(editBrush, kDialogGrey);
    EXPECT_EQ(panelPixel, kDialogGrey);
    EXPECT_EQ(acceptedChars, kMaxEntryChars);
    EXPECT_EQ(value.size(), kMaxEntryChars);
}

}  // namespace
}  // namespace velnor
