#pragma once
#include <windows.h>

#include <initializer_list>
#include <map>
#include <memory>

#include "profile/filter_add_dialog.h"
#include "ui/bitmap_pic_win32.h"
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
    LRESULT OnControlColor(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy(WPARAM, LPARAM);

    AddDialogSkin skin_;
};

// The text a control shows.
std::string WindowText(HWND control);

// "Add Filter": the pattern, description and type of one new filter.
class CFilterAddDialog : public CSkinnedDialog {
public:
    static const RuntimeClass kRuntimeClass;
    CFilterAddDialog();
    const RuntimeClass* GetRuntimeClass() const override { return &kRuntimeClass; }
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Runs the dialog modally over `owner`. `values` is written only when the
    // user clicks an enabled OK; every other way out leaves it as it was.
    INT_PTR Run(HWND owner, FilterDialogValues& values);

    const FilterAddDialogModel& Model() const { return model_; }

protected:
    BOOL OnInitDialog() override;
    // Enter closes the dialog like Cancel: only a click on OK hands values back.
    void OnOK() override { OnCancel(); }

private:
    using Map = MessageMap<CFilterAddDialog>;
    static const Map kMap[];

    void OnTypeChosen(int radioId);
    void OnPatternChanged();
    void OnDescriptionChanged();
    void OnOkClicked();

    FilterAddDialogModel model_;
    FilterDialogValues* values_ = nullptr;
};

}  // namespace velnor
