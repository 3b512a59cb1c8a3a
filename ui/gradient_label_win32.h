#pragma once
#include <windows.h>

#include <string>

#include "ui/gradient.h"
#include "ui/window_win32.h"

namespace velnor {

// Fills a rectangle with the 255-band gradient from one colour towards another.
void FillGradient(HDC dc, int left, int top, int right, int bottom, COLORREF start, COLORREF end);

// A static text painted on a horizontal gradient: the Clean page's status line.
class CGradientLabel : public CWindow {
public:
    static const RuntimeClass kRuntimeClass;
    CGradientLabel();
    const RuntimeClass* GetRuntimeClass() const override { return &kRuntimeClass; }
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void SetLabelText(const std::string& text);

    COLORREF startColor = RGB(145, 140, 167);
    COLORREF endColor = RGB(230, 230, 230);
    COLORREF textColor;
    int margin = 5;  // pixels of the 96-DPI layout
    int alignment = 0;  // 0 left, 1 centred, anything else right

private:
    void Paint();
};

}  // namespace velnor
