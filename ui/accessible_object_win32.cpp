#include "ui/accessible_object_win32.h"

#include <oleacc.h>

namespace velnor {

namespace {

BSTR ToBstr(const std::string& utf8) {
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    BSTR text = ::SysAllocStringLen(nullptr, static_cast<UINT>(length));
    if (text && length > 0)
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text, length);
    return text;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The COM side of an accessible object that the system's standard object of
// its window stands behind: IUnknown, an IDispatch that screen readers do not
// use, no children, nothing to set, and where it is and how it sits among its
// siblings taken from the standard object. It holds a reference to that object.
class StandardBackedAccessible : public IAccessible {
public:
    explicit StandardBackedAccessible(IAccessible* standard) : standard_(standard) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = ::InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch: screen readers use the interface directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        if (file) *file = nullptr;
        if (topic) *topic = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override {
        if (child) *child = nullptr;
        return E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

    // Where it is and how it sits among its siblings: the standard object's.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override { return standard_->get_accFocus(focus); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        return standard_->get_accSelection(selection);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return standard_->accHitTest(x, y, child);
    }

protected:
    virtual ~StandardBackedAccessible() { standard_->Release(); }

private:
    IAccessible* standard_;
    LONG references_ = 1;
};

// The client object of one control. It holds only the window: the control's
// object may be gone before a screen reader lets go of this one.
class ControlAccessible final : public StandardBackedAccessible {
public:
    ControlAccessible(HWND hwnd, IAccessible* standard, DescribeControl describe)
        : StandardBackedAccessible(standard), hwnd_(hwnd), describe_(describe) {}

    // IAccessible: what the control is, from its own description.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        AccessibleFacts facts;
        if (HRESULT hr = Describe(child, name, facts); hr != S_OK) return hr;
        *name = ToBstr(facts.name);
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        AccessibleFacts facts;
        if (HRESULT hr = Describe(child, role, facts); hr != S_OK) return hr;
        role->vt = VT_I4;
        role->lVal = facts.role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        AccessibleFacts facts;
        if (HRESULT hr = Describe(child, state, facts); hr != S_OK) return hr;
        LONG bits = facts.state | STATE_SYSTEM_FOCUSABLE;
        if (::GetFocus() == hwnd_) bits |= STATE_SYSTEM_FOCUSED;
        if (!::IsWindowVisible(hwnd_)) bits |= STATE_SYSTEM_INVISIBLE;
        state->vt = VT_I4;
        state->lVal = bits;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        AccessibleFacts facts;
        if (HRESULT hr = Describe(child, action, facts); hr != S_OK) return hr;
        if (!::IsWindowVisible(hwnd_)) {
            *action = nullptr;
            return S_FALSE;
        }
        *action = ToBstr(facts.defaultAction);
        return *action ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        AccessibleFacts facts;
        if (HRESULT hr = Describe(child, &facts, facts); hr != S_OK) return hr;
        // A control of another page is not there for the user.
        if (!::IsWindowVisible(hwnd_)) return DISP_E_MEMBERNOTFOUND;
        // Posted: the caller may be a screen reader waiting in another process.
        ::PostMessageA(::GetParent(hwnd_), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(hwnd_), STN_CLICKED),
                       reinterpret_cast<LPARAM>(hwnd_));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return Empty(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override { return Empty(child, value); }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override { return Empty(child, help); }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return Empty(child, shortcut);
    }

private:
    template <typename Out>
    HRESULT Describe(const VARIANT& child, Out* out, AccessibleFacts& facts) const {
        if (!out) return E_POINTER;
        if (!IsSelf(child)) return E_INVALIDARG;
        if (!::IsWindow(hwnd_) || !describe_(hwnd_, facts)) return CO_E_OBJNOTCONNECTED;
        return S_OK;
    }
    static HRESULT Empty(const VARIANT& child, BSTR* text) {
        if (!text) return E_POINTER;
        *text = nullptr;
        return IsSelf(child) ? S_FALSE : E_INVALIDARG;
    }

    HWND hwnd_;
    DescribeControl describe_;
};

}  // namespace

LRESULT AnswerAccessibility(HWND control, WPARAM wParam, LPARAM lParam, DescribeControl describe) {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT) return 0;
    IAccessible* standard = nullptr;
    if (FAILED(::CreateStdAccessibleObject(control, OBJID_CLIENT, IID_IAccessible,
                                           reinterpret_cast<void**>(&standard))) ||
        !standard)
        return 0;
    ControlAccessible* object = new ControlAccessible(control, standard, describe);
    const LRESULT answer = ::LresultFromObject(IID_IAccessible, wParam, object);
    object->Release();
    // A failure comes back as a negative result; the caller then answers with
    // the standard object instead.
    return answer < 0 ? 0 : answer;
}

}  // namespace velnor
