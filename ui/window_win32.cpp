#include "ui/window_win32.h"

namespace velnor {

namespace {
constexpr UINT_PTR kSubclassId = 0x56454C4E;  // one subclass per window object
const char kDialogObjectProp[] = "VelnorDialogObject";
// GetWindowSubclass is missing from some import libraries; a property finds the object.
const char kWindowObjectProp[] = "VelnorWindowObject";
}  // namespace

const RuntimeClass CWindow::kRuntimeClass = {"CWnd", nullptr};
const RuntimeClass CDialog::kRuntimeClass = {"CDialog", &CWindow::kRuntimeClass};

CWindow::~CWindow() { UnsubclassControl(); }

bool CWindow::SubclassDlgItem(int id, HWND parent) { return SubclassControl(::GetDlgItem(parent, id)); }

bool CWindow::SubclassControl(HWND hwnd) {
    if (!hwnd || hwnd_) return false;
    hwnd_ = hwnd;
    PreSubclassControl();
    subclassed_ = ::SetWindowSubclass(hwnd, &CWindow::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    if (subclassed_) ::SetPropA(hwnd, kWindowObjectProp, this);
    return subclassed_;
}

void CWindow::UnsubclassControl() {
    if (subclassed_ && hwnd_ && ::IsWindow(hwnd_)) {
        ::RemoveWindowSubclass(hwnd_, &CWindow::SubclassProc, kSubclassId);
        ::RemovePropA(hwnd_, kWindowObjectProp);
    }
    subclassed_ = false;
}

CWindow* CWindow::FromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    if (void* self = ::GetPropA(hwnd, kWindowObjectProp)) return static_cast<CWindow*>(self);
    return reinterpret_cast<CWindow*>(::GetPropA(hwnd, kDialogObjectProp));
}

LRESULT CWindow::Default() {
    return ::DefSubclassProc(hwnd_, current_.message, current_.wParam, current_.lParam);
}

LRESULT CWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandleMessage(message, wParam, lParam, result)) return result;
    return Default();
}

LRESULT CALLBACK CWindow::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR self) {
    CWindow* window = reinterpret_cast<CWindow*>(self);
    const Current saved = window->current_;
    window->current_ = Current{message, wParam, lParam};
    LRESULT result;
    if (message == WM_NCDESTROY) {
        result = ::DefSubclassProc(hwnd, message, wParam, lParam);
        ::RemoveWindowSubclass(hwnd, &CWindow::SubclassProc, kSubclassId);
        ::RemovePropA(hwnd, kWindowObjectProp);
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

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
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
        ::SetPropA(hwnd, kDialogObjectProp, dialog);
        return dialog->OnInitDialog();
    }
    dialog = reinterpret_cast<CDialog*>(::GetPropA(hwnd, kDialogObjectProp));
    if (!dialog) return FALSE;
    if (message == WM_NCDESTROY) {
        ::RemovePropA(hwnd, kDialogObjectProp);
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
