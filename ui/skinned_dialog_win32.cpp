#include "ui/skinned_dialog_win32.h"

#include <algorithm>
#include <vector>

#include "ui/dpi_win32.h"

namespace velnor {

namespace {
constexpr COLORREF kDialogGrey = RGB(215, 215, 215);
constexpr unsigned kAllChanges = ~0u;
constexpr int kBottomMargin = 12;

bool HasClass(HWND control, const char* name) {
    char found[32] = {};
    ::GetClassNameA(control, found, sizeof found);
    return ::lstrcmpiA(found, name) == 0;
}

bool IsRadioButton(HWND control) {
    if (!HasClass(control, "Button")) return false;
    const LONG_PTR type = ::GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}
}  // namespace

std::string WindowText(HWND control) {
    const int length = ::GetWindowTextLengthA(control);
    if (length <= 0) return std::string();
    std::vector<char> text(static_cast<size_t>(length) + 1);
    const int copied = ::GetWindowTextA(control, text.data(), length + 1);
    return std::string(text.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

void AddDialogSkin::Open(HWND dialog, DialogModel& model, std::initializer_list<int> buttonIds) {
    Close();
    dialog_ = dialog;
    model_ = &model;
    brush_.Reset(::CreateSolidBrush(kDialogGrey));
    for (int id : buttonIds) {
        auto button = std::make_unique<CBitmapPicEx>();
        if (button->Attach(dialog, id, model)) buttons_.emplace(id, std::move(button));
    }
    model.SetObserver([this](int id, unsigned changes) { Apply(id, changes); });
}

void AddDialogSkin::ShowAll() {
    if (!model_) return;
    for (const auto& control : model_->All()) Apply(control.first, kAllChanges);
}

void AddDialogSkin::GrowToHoldButtons() {
    RECT client;
    if (!dialog_ || !::GetClientRect(dialog_, &client)) return;
    int needed = client.bottom;
    for (const auto& button : buttons_) {
        RECT r;
        ::GetWindowRect(button.second->Hwnd(), &r);
        ::MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&r), 2);
        needed = std::max(needed, static_cast<int>(r.bottom) + ScaleOfWindow(dialog_).Px(kBottomMargin));
    }
    if (needed == client.bottom) return;
    RECT window;
    ::GetWindowRect(dialog_, &window);
    ::SetWindowPos(dialog_, nullptr, 0, 0, window.right - window.left,
                   window.bottom - window.top + needed - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void AddDialogSkin::Close() {
    if (model_) model_->SetObserver(nullptr);
    // The buttons let go of their controls and tooltips while those still exist.
    buttons_.clear();
    brush_.Reset();
    model_ = nullptr;
    dialog_ = nullptr;
}

HBRUSH AddDialogSkin::ControlColor(HDC dc, HWND control) const {
    if (!brush_ || (control && HasClass(control, "Edit"))) return nullptr;
    ::SetBkColor(dc, kDialogGrey);
    return brush_.Get();
}

void AddDialogSkin::Apply(int id, unsigned changes) {
    HWND control = ::GetDlgItem(dialog_, id);
    if (!control) return;
    const ControlState& state = model_->StateOf(id);
    auto button = buttons_.find(id);
    CBitmapPicEx* picture = button == buttons_.end() ? nullptr : button->second.get();
    if ((changes & kPlacementChanged) && state.placed) {
        const Placement& p = state.placement;
        const DisplayScale scale = ScaleOfWindow(dialog_);
        ::SetWindowPos(control, nullptr, scale.Px(p.x), scale.Px(p.y), scale.Px(p.width), scale.Px(p.height),
                       SWP_NOZORDER | SWP_NOACTIVATE);
        ::InvalidateRect(control, nullptr, TRUE);
    }
    if (picture && (changes & kPictureChanged)) picture->ShowPicture(state.shownPicture);
    if (picture && (changes & kTooltipChanged)) picture->SetTooltip(state.tooltip);
    if ((changes & kTextChanged) && HasClass(control, "Edit")) ::SetWindowTextA(control, state.text.c_str());
    if ((changes & kStateChanged) && IsRadioButton(control))
        ::SendMessageA(control, BM_SETCHECK, state.state == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool CSkinnedDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        result = OnControlColor(wParam, lParam);
        return true;
    case WM_DESTROY:
        result = OnDestroy(wParam, lParam);
        return true;
    default:
        return false;
    }
}

LRESULT CSkinnedDialog::OnControlColor(WPARAM wParam, LPARAM lParam) {
    HBRUSH brush = skin_.ControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    if (!brush) return Default();
    return reinterpret_cast<LRESULT>(brush);
}

LRESULT CSkinnedDialog::OnDestroy(WPARAM, LPARAM) {
    skin_.Close();
    return Default();
}

}  // namespace velnor
