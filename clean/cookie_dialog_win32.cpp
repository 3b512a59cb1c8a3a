#include "clean/cookie_dialog_win32.h"

#include "platform/win32/win32_platform.h"
#include "res/resource.h"

namespace velnor {

const RuntimeClass CCookieDialog::kRuntimeClass = {"CCookieDialog", &CDialog::kRuntimeClass};

// clang-format off
const CCookieDialog::Map CCookieDialog::kMap[] = {
    Map::Message(WM_DESTROY,        &CCookieDialog::OnDestroy),

    Map::Command(IDC_COOKIE_DELETE, STN_CLICKED, &CCookieDialog::OnDelete),
    Map::Command(IDC_COOKIE_CANCEL, STN_CLICKED, &CCookieDialog::OnCancelClicked),
};
// clang-format on

CCookieDialog::CCookieDialog(IUrlCache* cache, IPrompts* prompts, BrowserCookieSources browsers)
    : CSkinnedDialog(IDD_COOKIES), cleaner_(cache, prompts, browsers), prompts_(prompts) {}

bool CCookieDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return RouteMessage(*this, kMap, message, wParam, lParam, result) ||
           CSkinnedDialog::HandleMessage(message, wParam, lParam, result);
}

BOOL CCookieDialog::OnInitDialog() {
    ::GetWindowRect(hwnd_, &windowRect_);
    skin_.Open(hwnd_, cleaner_.controls, {IDC_COOKIE_DELETE, IDC_COOKIE_CANCEL});
    list_.SubclassDlgItem(IDC_COOKIE_LIST, hwnd_);
    list_.Bind(&cleaner_.list);
    cleaner_.Open();
    skin_.GrowToHoldButtons();
    return TRUE;
}

void CCookieDialog::OnDelete() {
    PromptsOwnedBy owned(prompts_, hwnd_);
    cleaner_.Delete();
}

// The list lets go of the cleaner's rows before the skin closes with the window.
LRESULT CCookieDialog::OnDestroy(WPARAM wParam, LPARAM lParam) {
    list_.Bind(nullptr);
    return CSkinnedDialog::OnDestroy(wParam, lParam);
}

}  // namespace velnor
