#pragma once
// The program's own thin window framework: a window object owns or subclasses
// one HWND and answers its messages through a static table per class.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "ui/archive.h"
#include "ui/dialog_template.h"
#include "ui/display_scale.h"
#include "ui/gdi_handles_win32.h"

namespace velnor {

// One line of a window class's message table: a message, or a command id with
// its notification code, or a notification from a child, mapped to a member.
template <class T>
struct MessageMap {
    using MessageHandler = LRESULT (T::*)(WPARAM, LPARAM);
    using CommandHandler = void (T::*)();
    using NotifyHandler = LRESULT (T::*)(NMHDR*);
    using CommandArgHandler = void (T::*)(int);
    enum class Kind { Message, Command, CommandArg, Notify };

    Kind kind;
    UINT message;
    UINT id;
    UINT code;
    MessageHandler onMessage;
    CommandHandler onCommand;
    NotifyHandler onNotify;
    CommandArgHandler onCommandArg;
    int arg;

    static MessageMap Message(UINT message, MessageHandler handler) {
        return {Kind::Message, message, 0, 0, handler, nullptr, nullptr, nullptr, 0};
    }
    static MessageMap Command(UINT id, UINT code, CommandHandler handler) {
        return {Kind::Command, WM_COMMAND, id, code, nullptr, handler, nullptr, nullptr, 0};
    }
    // A command whose handler serves several controls and is told which one.
    static MessageMap Command(UINT id, UINT code, CommandArgHandler handler, int arg) {
        return {Kind::CommandArg, WM_COMMAND, id, code, nullptr, nullptr, nullptr, handler, arg};
    }
    static MessageMap Notify(UINT id, UINT code, NotifyHandler handler) {
        return {Kind::Notify, WM_NOTIFY, id, code, nullptr, nullptr, handler, nullptr, 0};
    }
};

// The class that a handler is a member of.
template <class Handler>
struct MemberOf;
template <class C, class... Args>
struct MemberOf<void (C::*)(Args...)> {
    using Class = C;
};

// Looks a message up in a table and calls the member it names. True when the
// table had an entry for it.
template <class T, size_t N>
bool RouteMessage(T& window, const MessageMap<T> (&map)[N], UINT message, WPARAM wParam, LPARAM lParam,
                  LRESULT& result) {
    for (const MessageMap<T>& entry : map) {
        switch (entry.kind) {
        case MessageMap<T>::Kind::Message:
            if (entry.message != message) continue;
            result = (window.*entry.onMessage)(wParam, lParam);
            return true;
        case MessageMap<T>::Kind::Command:
            if (message != WM_COMMAND || entry.id != LOWORD(wParam) || entry.code != HIWORD(wParam)) continue;
            (window.*entry.onCommand)();
            result = 0;
            return true;
        case MessageMap<T>::Kind::CommandArg:
            if (message != WM_COMMAND || entry.id != LOWORD(wParam) || entry.code != HIWORD(wParam)) continue;
            (window.*entry.onCommandArg)(entry.arg);
            result = 0;
            return true;
        case MessageMap<T>::Kind::Notify: {
            if (message != WM_NOTIFY) continue;
            NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
            if (entry.id != header->idFrom || entry.code != header->code) continue;
            result = (window.*entry.onNotify)(header);
            return true;
        }
        }
    }
    return false;
}

// Focus marks stay hidden in a dialog until the keyboard is first used in it,
// as the system does for its own controls where it keeps that state itself.
bool FocusMarksShown(HWND control);
void ShowFocusMarks(HWND control);
// The focus mark of the program's own controls: a dotted frame, one dot in
// two, just inside `area`, in the skin's dark blue. Drawn in one colour, not
// inverted, so that repainting a part of the control never leaves half a mark.
void DrawFocusMark(HDC dc, const RECT& area);

class CWindow {
public:
    static const RuntimeClass kRuntimeClass;

    CWindow() = default;
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;
    virtual ~CWindow();

    // In the order of the framework's virtual slots.
    virtual const RuntimeClass* GetRuntimeClass() const { return &kRuntimeClass; }
    virtual void Serialize(CArchive& archive) {}
    // The message table of the class: answers a message or says it has no entry.
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) { return false; }
    // Called when the object takes over a template control, before any message reaches it.
    virtual void PreSubclassControl() {}
    // Messages from a child that the parent hands back to the child's own object.
    virtual bool OnReflectedNotify(NMHDR* header, LRESULT& result) { return false; }
    virtual bool OnReflectedCommand(UINT code, LRESULT& result) { return false; }

    bool IsKindOf(const RuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }
    HWND Hwnd() const { return hwnd_; }
    int ControlId() const { return hwnd_ ? ::GetDlgCtrlID(hwnd_) : 0; }

    // Takes over a control of a dialog template by its id.
    bool SubclassDlgItem(int id, HWND parent);
    bool SubclassControl(HWND hwnd);
    void UnsubclassControl();

    // The object behind a window, if the framework knows it.
    static CWindow* FromHandle(HWND hwnd);

protected:
    // The default processing of the message being handled. A dialog cannot
    // call its default procedure from inside itself, so there it only marks
    // the message as not handled and the dialog manager goes on with it.
    virtual LRESULT Default();
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    struct Current {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    Current current_ = {};
    WNDPROC previousProc_ = nullptr;
    bool subclassed_ = false;
};

// A dialog from a template, modal or modeless.
class CDialog : public CWindow {
public:
    static const RuntimeClass kRuntimeClass;
    explicit CDialog(int templateId) : templateId_(templateId) {}
    const RuntimeClass* GetRuntimeClass() const override { return &kRuntimeClass; }

    INT_PTR DoModal(HWND parent = nullptr);
    bool Create(HWND parent = nullptr);  // modeless
    void EndDialog(INT_PTR result);
    void DestroyWindow();
    int TemplateId() const { return templateId_; }

    HWND Item(int id) const { return ::GetDlgItem(hwnd_, id); }

    // The display scale the dialog is laid out for: the one drawn for its
    // display when it opened, then the one of each scale change.
    const DisplayScale& Scale() const { return scale_; }

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    // The window moved to a display of another scale, or the user changed the
    // scale; Scale() is already the new one. Here the controls keep the
    // places the template gave them, grown or shrunk with the scale, and the
    // window takes the rectangle that the system suggests.
    virtual void OnScaleChanged(const RECT& suggested);
    // Gives every control the template's font at the dialog's scale.
    void ApplyScaledFont();
    // Shows the pictures that the template names drawn for the dialog's scale.
    void ShowTemplatePicturesAtScale();
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // The dialog's own messages after its table: WM_COMMAND for IDOK and
    // IDCANCEL, and reflection of child notifications.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT Default() override {
        handled_ = false;
        return 0;
    }

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void TakeInitialScale();
    void ChangeScale(int dpi, const RECT& suggested);

    // Where the template put a control, at the scale the dialog had then.
    struct TemplatePlace {
        HWND control;
        RECT rect;
    };
    int templateId_;
    DisplayScale scale_;
    int templateDpi_ = kBaseDpi;
    HFONT templateFont_ = nullptr;
    UniqueFont scaledFont_;
    std::vector<TemplatePlace> templatePlaces_;
    std::vector<TemplatePicture> templatePictures_;
    bool templatePicturesRead_ = false;
    int templatePercent_ = 100;
    bool modal_ = false;
    bool handled_ = false;
};

}  // namespace velnor
