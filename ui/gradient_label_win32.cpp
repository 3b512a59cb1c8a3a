#include "ui/gradient_label_win32.h"

#include <vector>

#include "ui/dpi_win32.h"
#include "ui/gdi_handles_win32.h"

namespace velnor {

const RuntimeClass CGradientLabel::kRuntimeClass = {"CGradientLabel", &CWindow::kRuntimeClass};

void FillGradient(HDC dc, int left, int top, int right, int bottom, COLORREF start, COLORREF end) {
    const Rgb from{GetRValue(start), GetGValue(start), GetBValue(start)};
    const Rgb to{GetRValue(end), GetGValue(end), GetBValue(end)};
    for (const GradientBand& band : GradientBands(left, right, from, to)) {
        if (band.right <= band.left) continue;
        RECT r = {band.left, top, band.right, bottom};
        UniqueBrush brush(::CreateSolidBrush(RGB(band.color.red, band.color.green, band.color.blue)));
        ::FillRect(dc, &r, brush.Get());
    }
}

CGradientLabel::CGradientLabel() : textColor(::GetSysColor(COLOR_CAPTIONTEXT)) {}

void CGradientLabel::SetLabelText(const std::string& text) {
    if (!hwnd_) return;
    ::SetWindowTextA(hwnd_, text.c_str());
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

bool CGradientLabel::HandleMessage(UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (message == WM_ERASEBKGND) {
        result = TRUE;  // the paint covers everything
        return true;
    }
    if (message != WM_PAINT) return false;
    Paint();
    result = 0;
    return true;
}

void CGradientLabel::Paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd_, &ps);
    RECT r;
    ::GetClientRect(hwnd_, &r);
    FillGradient(dc, r.left, r.top, r.right, r.bottom, startColor, endColor);
    ::SetTextColor(dc, textColor);
    HFONT font = reinterpret_cast<HFONT>(::SendMessageA(hwnd_, WM_GETFONT, 0, 0));
    SelectedObject selected(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    const int length = ::GetWindowTextLengthA(hwnd_);
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    ::GetWindowTextA(hwnd_, text.data(), length + 1);
    UINT format = DT_SINGLELINE | DT_VCENTER;
    const int gap = ScaleOfWindow(hwnd_).Px(margin);
    if (alignment == 0) {
        r.left += gap;
        format |= DT_LEFT;
    } else if (alignment == 1) {
        format |= DT_CENTER;
    } else {
        r.right -= gap;
        format |= DT_RIGHT;
    }
    ::DrawTextA(dc, text.data(), length, &r, format);
    ::EndPaint(hwnd_, &ps);
}

}  // namespace velnor
