#pragma once
#include <windows.h>

#include <string>

#include "platform/shell.h"
#include "ui/gdi_handles_win32.h"
#include "ui/link_label.h"
#include "ui/window_win32.h"

namespace velnor {

// A static text that opens its target when clicked: underlined, in its normal,
// hover or visited colour over the parent's own background, with the hand
// cursor and a tooltip. It takes the focus with Tab, shows it, opens with
// Enter or Space, and is a link to a screen reader. Its target, colours and
// states live in a LinkLabelState that the owner keeps.
class CLinkLabel : public CWindow {
public:
    static const RuntimeClass kRuntimeClass;
    static constexpr UINT_PTR kToolId = 1001;

    CLinkLabel() = default;
    ~CLinkLabel() override;
    const RuntimeClass* GetRuntimeClass() const override { return &kRuntimeClass; }
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void PreSubclassControl() override;
    bool OnReflectedCommand(UINT code, LRESULT& result) override;

    // Binds the template control `id` of `parent`. A click opens the target
    // through `shell`, or straight through the platform when there is none.
    // The state must outlive the binding.
    bool Attach(HWND parent, int id, LinkLabelState* state, IShell* shell);

    void SetTarget(const std::string& target);
    void SetColors(COLORREF normal, COLORREF hover, COLORREF visited);
    HWND Tooltip() const { return tooltip_; }
    const LinkLabelState* State() const { return state_; }

private:
    bool HandleKeyboard(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void UseUnderlinedFontOf(HFONT font, BOOL redraw);
    void Paint(HDC dc);
    void PaintParentBackground(HDC dc);
    void Redraw();
    void Open();
    void OnMouseMove(POINT pt);
    bool Inside(POINT pt) const;

    LinkLabelState* state_ = nullptr;
    IShell* shell_ = nullptr;
    UniqueFont underlined_;
    HWND tooltip_ = nullptr;
};

}  // namespace velnor
