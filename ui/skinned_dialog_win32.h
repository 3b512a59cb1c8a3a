#pragma once
#include <windows.h>

#include <initializer_list>
#include <map>
#include <memory>
#include <string>

#include "ui/bitmap_pic_win32.h"
#include "ui/control_model.h"
#include "ui/gdi_handles_win32.h"
#include "ui/window_win32.h"

namespace velnor {

// What the two add dialogs share: the panel-grey brush behind the dialog and
// every control but the edit boxes, the skinned push buttons bound to the
// dialog's model, and the controls kept showing what the model says. One run
// of a dialog is one Open ... Close.
class AddDialogSkin {
public:
    AddDialogSkin() = default;
    AddDialogSkin(const AddDialogSkin&) = delete;
    AddDialogSkin& operator=(const AddDialogSkin&) = delete;
    ~AddDialogSkin() { Close(); }

    void Open(HWND dialog, DialogModel& model, std::initializer_list<int> buttonIds);
    // Makes every control show the model's whole state: a fresh window from the
    // template knows nothing of what the model kept from the run before.
    void ShowAll();
    // The buttons sit at fixed pixels while the template's size follows the
    // dialog font; with a smaller font the bottom row would be cut off.
    void GrowToHoldButtons();
    // On WM_DESTROY, while the controls still exist.
    void Close();

    // The brush for a WM_CTLCOLOR* message, or null for the edit boxes, which
    // keep the system's colours.
    HBRUSH ControlColor(HDC dc, HWND control) const;
    HBRUSH Brush() const { return brush_.Get(); }

private:
    void Apply(int id, unsigned changes);

    HWND dialog_ = nullptr;
    DialogModel* model_ = nullptr;
    UniqueBrush brush_;
    std::map<int, std::unique_ptr<CBitmapPicEx>> buttons_;
};

// A small dialog in the skin (the two add dialogs and the cookie cleaner):
// its controls take the skin's colours, its skin is shown afresh at a new
// display scale and closed with the window, and its Cancel picture cancels.
class CSkinnedDialog : public CDialog {
protected:
    explicit CSkinnedDialog(int templateId) : CDialog(templateId) {}
    void OnScaleChanged(const RECT& suggested) override {
        CDialog::OnScaleChanged(suggested);
        skin_.ShowAll();
    }
    void OnCancelClicked() { OnCancel(); }
    // The skin's colours (WM_CTLCOLORDLG, WM_CTLCOLORSTATIC, WM_CTLCOLORBTN)
    // and its closing (WM_DESTROY), for whatever the dialog's own map leaves.
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    LRESULT OnControlColor(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy(WPARAM, LPARAM);

    AddDialogSkin skin_;
};

// The text a control shows.
std::string WindowText(HWND control);

}  // namespace velnor
