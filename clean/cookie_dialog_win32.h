#pragma once
#include <windows.h>

#include "clean/cookie_cleaner.h"
#include "platform/prompts.h"
#include "platform/url_cache.h"
#include "ui/list_ctrl_win32.h"
#include "ui/skinned_dialog_win32.h"
#include "ui/window_win32.h"

namespace velnor {

// "Cookies Cleaner": the URL cache's cookies and the browsers' listed by site;
// the checked sites' cookies are deleted. Made afresh for each use.
class CCookieDialog : public CSkinnedDialog {
public:
    static const RuntimeClass kRuntimeClass;
    CCookieDialog(IUrlCache* cache, IPrompts* prompts, BrowserCookieSources browsers = {});
    const RuntimeClass* GetRuntimeClass() const override { return &kRuntimeClass; }
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    CookieCleaner& Cleaner() { return cleaner_; }
    const RECT& WindowRect() const { return windowRect_; }

protected:
    BOOL OnInitDialog() override;
    void OnScaleChanged(const RECT& suggested) override {
        CSkinnedDialog::OnScaleChanged(suggested);
        list_.OnScaleChanged();
    }

private:
    using Map = MessageMap<CCookieDialog>;
    static const Map kMap[];

    void OnDelete();
    LRESULT OnDestroy(WPARAM, LPARAM);

    CookieCleaner cleaner_;
    IPrompts* prompts_;
    CMyListCtrlEx list_;
    RECT windowRect_ = {};
};

}  // namespace velnor
