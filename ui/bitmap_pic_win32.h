#pragma once
#include <windows.h>

#include <string>

#include "ui/bitmap_pic.h"
#include "ui/control_model.h"
#include "ui/picture_access.h"
#include "ui/window_win32.h"

namespace velnor {

// A picture control that shows one of three bitmaps by its state, lights up
// under the pointer with a hand cursor, shows a tooltip and reports clicks to
// its dialog. Its state and pictures live in the dialog's model.
class CBitmapPic : public CWindow {
public:
    static const RuntimeClass kRuntimeClass;
    CBitmapPic() = default;
    ~CBitmapPic() override;
    const RuntimeClass* GetRuntimeClass() const override { return &kRuntimeClass; }
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void PreSubclassControl() override;

    // The picture object behind a window, of either kind; null for any other.
    static CBitmapPic* FromPicture(HWND hwnd);

    // Binds the template control `id` of `parent` to its state in `model`.
    bool Attach(HWND parent, int id, DialogModel& model);
    void ShowPicture(int resourceId);
    void SetTooltip(const std::string& text);
    HWND Tooltip() const { return tooltip_; }
    // What a screen reader is told about the picture; false before it is bound.
    bool Describe(PictureAccess& access) const;

protected:
    Control Button() const { return (*model_)[id_]; }
    LRESULT OnGetDialogCode(const MSG* key) const;
    void OnKeyDown(WPARAM key, LPARAM flags);
    void Press();
    void FocusNeighbourTab(bool forward);
    void ShowTipWidth(const DisplayScale& scale);
    void PaintFocusMark();
    DialogModel* model_ = nullptr;
    int id_ = 0;
    HWND tooltip_ = nullptr;
    static constexpr int kTipWidth = 400;
    int tipPercent_ = 0;  // the display scale of the tip's width
};

// Push buttons: disabled, normal, hover and busy states.
class CBitmapPicEx : public CBitmapPic {
public:
    static const RuntimeClass kRuntimeClass;
    const RuntimeClass* GetRuntimeClass() const override { return &kRuntimeClass; }
};

}  // namespace velnor
