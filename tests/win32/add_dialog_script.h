#pragma once
// Drives the add dialogs, which run modally: a thread timer fires inside the
// dialog's own message loop and plays the user's part there.
#include <windows.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "platform/prompts.h"

namespace velnor::testing {

// Plays `script` once the top-level dialog titled `title` is up. A script that
// leaves the dialog open gets it ended after a few seconds, so that a broken
// dialog fails its test instead of hanging the suite.
class WhileModal {
public:
    using Script = std::function<void(HWND dialog)>;
    WhileModal(const char* title, Script script) : title_(title), script_(std::move(script)) {
        current_ = this;
        timer_ = ::SetTimer(nullptr, 0, 20, &WhileModal::Tick);
    }
    ~WhileModal() {
        ::KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    WhileModal(const WhileModal&) = delete;
    WhileModal& operator=(const WhileModal&) = delete;

    bool Ran() const { return ran_; }
    bool TimedOut() const { return timedOut_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        WhileModal* self = current_;
        if (!self) return;
        HWND dialog = ::FindWindowA(nullptr, self->title_);
        if (!dialog || !::IsWindowVisible(dialog)) return;
        if (!self->ran_) {
            self->ran_ = true;
            self->script_(dialog);
            return;
        }
        if (++self->ticksAfter_ > 150) {
            self->timedOut_ = true;
            ::EndDialog(dialog, -1);
        }
    }

    static inline WhileModal* current_ = nullptr;
    const char* title_;
    Script script_;
    UINT_PTR timer_ = 0;
    bool ran_ = false;
    bool timedOut_ = false;
    int ticksAfter_ = 0;
};

// The user at the keyboard and mouse, as the dialog's controls see them.
inline void Type(HWND edit, const std::string& text) {
    for (char c : text) ::SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}
inline void ClearBox(HWND edit) { ::SetWindowTextA(edit, ""); }
inline void Click(HWND control) {
    ::SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    ::SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}
inline std::string TextOf(HWND control) {
    char text[2048] = {};
    ::GetWindowTextA(control, text, sizeof text);
    return text;
}
inline HBITMAP PictureOf(HWND control) {
    return reinterpret_cast<HBITMAP>(::SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
}

// A folder chooser that answers from a list, as the user would pick.
class ScriptedPrompts : public IPrompts {
public:
    std::deque<std::optional<std::string>> folders;  // cancel when empty
    int chooserCalls = 0;
    int MessageBox(const std::string&, const std::string&, unsigned) override { return kIdOk; }
    std::optional<std::string> ChooseFolder() override {
        ++chooserCalls;
        if (folders.empty()) return std::nullopt;
        std::optional<std::string> folder = folders.front();
        folders.pop_front();
        return folder;
    }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
};

}  // namespace velnor::testing
