#include "ui/window_win32.h"

#include <mutex>
#include <unordered_map>

#include "ui/dpi_win32.h"

namespace velnor {

namespace {

// Which object owns a window, found for every message that the window or the
// dialog receives, so it stays inside the process: a window property, or the
// common controls' subclass chain (which keeps itself in one), costs a round
// trip to the window server on some systems, and a list view handles several
// messages for each row it is given.
template <typename Entry>
class HandleMap {
public:
    void Set(HWND hwnd, const Entry& entry) {
        std::lock_guard<std::mutex> lock(mutex_);
        entries_[hwnd] = entry;
    }
    void Erase(HWND hwnd) {
        std::lock_guard<std::mutex> lock(mutex_);
        entries_.erase(hwnd);
    }
    Entry Get(HWND hwnd) {
        std::lock_guard<std::mutex> lock(mutex_);
        const auto found = entries_.find(hwnd);
        return found == entries_.end() ? Entry() : found->second;
    }

private:
    std::mutex mutex_;
    std::unordered_map<HWND, Entry> entries_;
};

// A subclassed control: its object (none once the object has let go while
// another subclass sat on top of it) and the procedure it had before.
struct Subclass {
    CWindow* object = nullptr;
    WNDPROC previous = nullptr;
};

HandleMap<Subclass>& SubclassedWindows() {
    static HandleMap<Subclass> map;
    return map;
}

HandleMap<CDialog*>& Dialogs() {
    static HandleMap<CDialog*> map;
    return map;
}
}  // namespace

namespace {
constexpr char kFocusMarksShown[] = "VelnorFocusMarksShown";
constexpr COLORREF kFocusMarkColour = RGB(0, 60, 140);
constexpr int kFocusMarkInset = 1;
}  // namespace

void DrawFocusMark(HDC dc, const RECT& area) {
    RECT mark = area;
    ::InflateRect(&mark, -kFocusMarkInset, -kFocusMarkInset);
    if (mark.right <= mark.left || mark.bottom <= mark.top) return;
    for (LONG x = mark.left; x < mark.right; x += 2) {
        ::SetPixelV(dc, x, mark.top, kFocusMarkColour);
        ::SetPixelV(dc, x, mark.bottom - 1, kFocusMarkColour);
    }
    for (LONG y = mark.top; y < mark.bottom; y += 2) {
        ::SetPixelV(dc, mark.left, y, kFocusMarkColour);
        ::SetPixelV(dc, mark.right - 1, y, kFocusMarkColour);
    }
}

bool FocusMarksShown(HWND control) { return ::GetPropA(::GetAncestor(control, GA_ROOT), kFocusMarksShown) != nullptr; }

void ShowFocusMarks(HWND control) {
    const HWND dialog = ::GetAncestor(control, GA_ROOT);
    if (!dialog || ::GetPropA(dialog, kFocusMarksShown)) return;
    ::SetPropA(dialog, kFocusMarksShown, reinterpret_cast<HANDLE>(1));
    if (HWND focus = ::GetFocus()) ::InvalidateRect(focus, nullptr, FALSE);
}

const RuntimeClass CWindow::kRuntimeClass = {"CWnd", nullptr};
const RuntimeClass CDialog::kRuntimeClass = {"CDialog", &CWindow::kRuntimeClass};

CWindow::~CWindow() { UnsubclassControl(); }

bool CWindow::SubclassDlgItem(int id, HWND parent) { return SubclassControl(::GetDlgItem(parent, id)); }

bool CWindow::SubclassControl(HWND hwnd) {
    if (!hwnd || hwnd_ || SubclassedWindows().Get(hwnd).previous) return false;
    hwnd_ = hwnd;
    PreSubclassControl();
    // In the table before the procedure changes: the first message may come at once.
    SubclassedWindows().Set(hwnd, Subclass{this, nullptr});
    previousProc_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWindow::SubclassProc)));
    subclassed_ = previousProc_ != nullptr;
    if (subclassed_)
        SubclassedWindows().Set(hwnd, Subclass{this, previousProc_});
    else
        SubclassedWindows().Erase(hwnd);
    return subclassed_;
}

void CWindow::UnsubclassControl() {
    if (subclassed_ && hwnd_ && ::IsWindow(hwnd_)) {
        const WNDPROC current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd_, GWLP_WNDPROC));
        if (current == &CWindow::SubclassProc) {
            ::SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc_));
            SubclassedWindows().Erase(hwnd_);
        } else {
            // Another subclass sits on top and still calls this procedure,
            // which from now on only passes messages on.
            SubclassedWindows().Set(hwnd_, Subclass{nullptr, previousProc_});
        }
    }
    subclassed_ = false;
}

CWindow* CWindow::FromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    if (CWindow* self = SubclassedWindows().Get(hwnd).object) return self;
    return Dialogs().Get(hwnd);
}

LRESULT CWindow::Default() {
    return ::CallWindowProcA(previousProc_, hwnd_, current_.message, current_.wParam, current_.lParam);
}

LRESULT CWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandleMessage(message, wParam, lParam, result)) return result;
    return Default();
}

LRESULT CALLBACK CWindow::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const Subclass subclass = SubclassedWindows().Get(hwnd);
    if (!subclass.previous) return ::DefWindowProcA(hwnd, message, wParam, lParam);
    CWindow* window = subclass.object;
    if (!window) {
        if (message == WM_NCDESTROY) SubclassedWindows().Erase(hwnd);
        return ::CallWindowProcA(subclass.previous, hwnd, message, wParam, lParam);
    }
    const Current saved = window->current_;
    window->current_ = Current{message, wParam, lParam};
    LRESULT result;
    if (message == WM_NCDESTROY) {
        result = ::CallWindowProcA(subclass.previous, hwnd, message, wParam, lParam);
        SubclassedWindows().Erase(hwnd);
        window->subclassed_ = false;
        window->hwnd_ = nullptr;
        return result;
    }
    result = window->WindowProc(message, wParam, lParam);
    window->current_ = saved;
    return result;
}

INT_PTR CDialog::DoModal(HWND parent) {
    modal_ = true;
    return ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), parent,
                             &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

bool CDialog::Create(HWND parent) {
    modal_ = false;
    return ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), parent,
                                &CDialog::DialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::EndDialog(INT_PTR result) {
    if (!hwnd_) return;
    if (modal_)
        ::EndDialog(hwnd_, result);
    else
        DestroyWindow();
}

void CDialog::DestroyWindow() {
    if (hwnd_) ::DestroyWindow(hwnd_);
}

void CDialog::TakeInitialScale() {
    templateDpi_ = WindowDpi(hwnd_);
    scale_ = DisplayScale::ForDpi(templateDpi_);
    templateFont_ = reinterpret_cast<HFONT>(::SendMessageA(hwnd_, WM_GETFONT, 0, 0));
    // The template's font was made for the display's own DPI, which may lie
    // between two drawn scales.
    if (scale_.Dpi() != templateDpi_) ApplyScaledFont();
    if (!scale_.IsBase()) ShowTemplatePicturesAtScale();
}

void CDialog::ShowTemplatePicturesAtScale() {
    if (!templatePicturesRead_) {
        templatePicturesRead_ = true;
        const HMODULE module = ::GetModuleHandleA(nullptr);
        const HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(templateId_), MAKEINTRESOURCEA(5));  // RT_DIALOG
        const HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
        const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
        if (bytes)
            templatePictures_ = TemplatePictures(static_cast<const uint8_t*>(bytes), ::SizeofResource(module, found));
    }
    for (const TemplatePicture& picture : templatePictures_) {
        const HWND control = ::GetDlgItem(hwnd_, picture.controlId);
        if (!control || (::GetWindowLongPtrA(control, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP) continue;
        if (HBITMAP bitmap = SharedBitmap(picture.resourceId, scale_))
            ::SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    }
}

void CDialog::ApplyScaledFont() {
    HFONT font = templateFont_;
    UniqueFont previous(scaledFont_.Release());
    LOGFONTA face = {};
    if (templateFont_ && scale_.Dpi() != templateDpi_ && ::GetObjectA(templateFont_, sizeof face, &face)) {
        const int points = ::MulDiv(face.lfHeight < 0 ? -face.lfHeight : face.lfHeight, 72, templateDpi_);
        face.lfHeight = scale_.FontHeight(points);
        face.lfWidth = 0;
        scaledFont_.Reset(::CreateFontIndirectA(&face));
        if (scaledFont_) font = scaledFont_.Get();
    }
    if (!font) return;
    // Controls that draw no text have no font and get none. The font that
    // the others drew with goes only after they all let go.
    for (HWND child = ::GetWindow(hwnd_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::SendMessageA(child, WM_GETFONT, 0, 0))
            ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

void CDialog::ChangeScale(int dpi, const RECT& suggested) {
    if (templatePlaces_.empty()) {
        templatePercent_ = scale_.Percent();
        for (HWND child = ::GetWindow(hwnd_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            RECT r;
            ::GetWindowRect(child, &r);
            ::MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
            templatePlaces_.push_back(TemplatePlace{child, r});
        }
    }
    scale_ = DisplayScale::ForDpi(dpi);
    ShowTemplatePicturesAtScale();
    OnScaleChanged(suggested);
}

void CDialog::OnScaleChanged(const RECT& suggested) {
    ApplyScaledFont();
    const int to = scale_.Percent(), from = templatePercent_;
    for (const TemplatePlace& place : templatePlaces_) {
        const RECT& r = place.rect;
        const int left = ::MulDiv(r.left, to, from), top = ::MulDiv(r.top, to, from);
        ::SetWindowPos(place.control, nullptr, left, top, ::MulDiv(r.right, to, from) - left,
                       ::MulDiv(r.bottom, to, from) - top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (message == WM_DPICHANGED) {
        ChangeScale(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    }
    if (HandleMessage(message, wParam, lParam, result)) return result;
    switch (message) {
    case WM_COMMAND:
        if (lParam) {
            if (CWindow* child = CWindow::FromHandle(reinterpret_cast<HWND>(lParam)))
                if (child->OnReflectedCommand(HIWORD(wParam), result)) return result;
        }
        if (LOWORD(wParam) == IDOK && HIWORD(wParam) == BN_CLICKED) {
            OnOK();
            return 0;
        }
        if (LOWORD(wParam) == IDCANCEL && HIWORD(wParam) == BN_CLICKED) {
            OnCancel();
            return 0;
        }
        break;
    case WM_NOTIFY: {
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        if (CWindow* child = CWindow::FromHandle(header->hwndFrom))
            if (child->OnReflectedNotify(header, result)) return result;
        break;
    }
    default:
        break;
    }
    handled_ = false;
    return 0;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialog* dialog;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<CDialog*>(lParam);
        dialog->hwnd_ = hwnd;
        Dialogs().Set(hwnd, dialog);
        dialog->TakeInitialScale();
        return dialog->OnInitDialog();
    }
    dialog = Dialogs().Get(hwnd);
    if (!dialog) return FALSE;
    if (message == WM_NCDESTROY) {
        ::RemovePropA(hwnd, kFocusMarksShown);
        Dialogs().Erase(hwnd);
        dialog->hwnd_ = nullptr;
        return FALSE;
    }
    dialog->handled_ = true;
    const LRESULT result = dialog->WindowProc(message, wParam, lParam);
    if (!dialog->handled_) return FALSE;
    switch (message) {
    // These answer through the return value itself.
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_QUERYDRAGICON:
        return static_cast<INT_PTR>(result);
    default:
        ::SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
}

}  // namespace velnor
