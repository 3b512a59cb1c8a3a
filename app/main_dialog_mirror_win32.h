#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "app/main_dialog_parts.h"
#include "ui/bitmap_pic_win32.h"
#include "ui/gradient_label_win32.h"
#include "ui/link_label_win32.h"
#include "ui/list_ctrl_win32.h"
#include "ui/window_win32.h"

namespace velnor {

// The real controls of the main window, kept showing what the parts' models
// say: the pictures, the four lists, the status line and the links.
class MainDialogMirror {
public:
    MainDialogMirror(CDialog& dialog, MainDialogParts& parts, const Platform& platform)
        : dialog_(dialog), parts_(parts), platform_(platform) {}
    ~MainDialogMirror();
    MainDialogMirror(const MainDialogMirror&) = delete;
    MainDialogMirror& operator=(const MainDialogMirror&) = delete;

    // Binds the template's controls to their models, once the window exists.
    void BindControls();
    // Every control at its place at the dialog's new scale, with the pictures
    // drawn for it.
    void OnScaleChanged();
    // Shows the scan texts held back while the walk ran.
    void ShowScanTexts();

    CMyListCtrlEx& ListControl(int id);
    CBitmapPic* Picture(int id);

private:
    void ApplyControl(int id, unsigned changes);
    void ApplyText(int id, HWND control);

    CDialog& dialog_;
    MainDialogParts& parts_;
    const Platform& platform_;
    std::map<int, std::unique_ptr<CBitmapPic>> pictures_;
    CMyListCtrlEx locationList_, filterList_, exclusionList_, resultList_;
    CGradientLabel statusLine_;
    CLinkLabel homeLinkLabel_, supportLinkLabel_;
    // The status line and the four totals change in every folder of a scan;
    // the window shows them at most every kScanTextInterval milliseconds.
    static constexpr DWORD kScanTextInterval = 250;
    std::vector<int> pendingScanTexts_;
    DWORD scanTextsShown_ = 0;
};

}  // namespace velnor
