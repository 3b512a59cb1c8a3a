#include "ui/gdi_handles_win32.h"

#include <map>

namespace velnor {

namespace {
HBITMAP LoadBitmapResource(HINSTANCE instance, int resourceId) {
    return static_cast<HBITMAP>(
        ::LoadImageA(instance, MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}
}  // namespace

HBITMAP LoadScaledBitmap(int resourceId, const DisplayScale& scale, bool* drawnForScale) {
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    HBITMAP drawn = scale.IsBase() ? nullptr : LoadBitmapResource(instance, scale.PictureId(resourceId));
    if (drawnForScale) *drawnForScale = drawn != nullptr || scale.IsBase();
    return drawn ? drawn : LoadBitmapResource(instance, resourceId);
}

UniqueImageList LoadImageStrip(int resourceId, int size, int grow, const DisplayScale& scale) {
    bool drawnForScale = false;
    UniqueBitmap strip(LoadScaledBitmap(resourceId, scale, &drawnForScale));
    if (drawnForScale) size = scale.Px(size);
    UniqueImageList list(::ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 1, grow));
    if (list && strip) ::ImageList_AddMasked(list.Get(), strip.Get(), RGB(255, 0, 255));
    return list;
}

HBITMAP SharedBitmap(int resourceId, const DisplayScale& scale) {
    static std::map<std::pair<int, int>, UniqueBitmap> cache;
    const std::pair<int, int> key(resourceId, scale.Percent());
    auto it = cache.find(key);
    if (it != cache.end()) return it->second.Get();
    HBITMAP bitmap = LoadScaledBitmap(resourceId, scale);
    cache.emplace(key, UniqueBitmap(bitmap));
    return bitmap;
}

HCURSOR HandCursor() {
    static UniqueCursor copied;
    static HCURSOR hand = nullptr;
    if (hand) return hand;
    char path[MAX_PATH] = {};
    const UINT n = ::GetWindowsDirectoryA(path, MAX_PATH);
    if (n > 0 && n + 14 < MAX_PATH) {
        lstrcatA(path, "\\winhlp32.exe");
        UniqueModule help(::LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE));
        if (help) {
            if (HCURSOR cursor = ::LoadCursorA(help.Get(), MAKEINTRESOURCEA(106)))
                copied.Reset(reinterpret_cast<HCURSOR>(::CopyIcon(reinterpret_cast<HICON>(cursor))));
        }
    }
    hand = copied ? copied.Get() : ::LoadCursor(nullptr, IDC_HAND);
    return hand;
}

}  // namespace velnor
