#include "ui/gdi_handles_win32.h"

#include <map>

namespace velnor {

UniqueImageList LoadImageStrip(HINSTANCE instance, int resourceId, int size, int grow) {
    UniqueImageList list(::ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 1, grow));
    UniqueBitmap strip(static_cast<HBITMAP>(
        ::LoadImageA(instance, MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    if (list && strip) ::ImageList_AddMasked(list.Get(), strip.Get(), RGB(255, 0, 255));
    return list;
}

HBITMAP SharedBitmap(int resourceId) {
    static std::map<int, UniqueBitmap> cache;
    auto it = cache.find(resourceId);
    if (it != cache.end()) return it->second.Get();
    HBITMAP bitmap = static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId),
                                                       IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    cache.emplace(resourceId, UniqueBitmap(bitmap));
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
