#pragma once
// Owners of the platform's handles: each releases its handle when it goes.
#include <windows.h>
#include <commctrl.h>

#include <utility>

#include "ui/display_scale.h"

namespace velnor {

template <typename H, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, H())) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.handle_, H()));
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    H Get() const { return handle_; }
    explicit operator bool() const { return handle_ != H(); }
    H Release() { return std::exchange(handle_, H()); }
    void Reset(H handle = H()) {
        if (handle_ != H() && handle_ != handle) Traits::Close(handle_);
        handle_ = handle;
    }

private:
    H handle_ = H();
};

struct GdiObjectTraits {
    static void Close(HGDIOBJ h) { ::DeleteObject(h); }
};
struct ImageListTraits {
    static void Close(HIMAGELIST h) { ::ImageList_Destroy(h); }
};
struct MenuTraits {
    static void Close(HMENU h) { ::DestroyMenu(h); }
};
struct CursorTraits {
    static void Close(HCURSOR h) { ::DestroyCursor(h); }
};
struct IconTraits {
    static void Close(HICON h) { ::DestroyIcon(h); }
};
struct DcTraits {
    static void Close(HDC h) { ::DeleteDC(h); }
};
struct ModuleTraits {
    static void Close(HMODULE h) { ::FreeLibrary(h); }
};

using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectTraits>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectTraits>;
using UniqueFont = UniqueHandle<HFONT, GdiObjectTraits>;
using UniquePen = UniqueHandle<HPEN, GdiObjectTraits>;
using UniqueImageList = UniqueHandle<HIMAGELIST, ImageListTraits>;
using UniqueMenu = UniqueHandle<HMENU, MenuTraits>;
using UniqueCursor = UniqueHandle<HCURSOR, CursorTraits>;
using UniqueIcon = UniqueHandle<HICON, IconTraits>;
using UniqueDc = UniqueHandle<HDC, DcTraits>;
using UniqueModule = UniqueHandle<HMODULE, ModuleTraits>;

// Selects an object into a device context for the life of the scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? ::SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (previous_) ::SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Saves a device context's state and restores it at the end of the scope.
class SavedDc {
public:
    explicit SavedDc(HDC dc) : dc_(dc), saved_(::SaveDC(dc)) {}
    ~SavedDc() { ::RestoreDC(dc_, saved_); }
    SavedDc(const SavedDc&) = delete;
    SavedDc& operator=(const SavedDc&) = delete;

private:
    HDC dc_;
    int saved_;
};

// A bitmap resource of the program as drawn for a display scale; the 100 %
// picture where none was drawn for that scale, which `drawnForScale` tells.
// The caller owns it.
HBITMAP LoadScaledBitmap(int resourceId, const DisplayScale& scale, bool* drawnForScale = nullptr);

// An image list made from one bitmap strip of square images of the given size
// at 100 %, with magenta as the transparent colour.
UniqueImageList LoadImageStrip(int resourceId, int size, int grow,
                               const DisplayScale& scale = DisplayScale());

// Bitmap resources, each loaded once per process and scale and shared by every
// picture control: hovering never creates a new GDI object.
HBITMAP SharedBitmap(int resourceId, const DisplayScale& scale = DisplayScale());
// The hand cursor over buttons and links: a copy of the help viewer's cursor
// when that program is there, else the system's own hand.
HCURSOR HandCursor();

}  // namespace velnor
