#pragma once
#include <windows.h>

#include "ui/gdi_handles_win32.h"
#include "ui/owner_draw_menu_win32.h"
#include "ui/window_win32.h"

namespace velnor {

// The frame of the main window: a borderless dialog drawn by its skin. It
// keeps the icons, the background picture and the panel grey behind the
// controls, moves the window on a press anywhere free (it has no caption),
// minimizes, and pops up the skin's owner-drawn menus under its buttons.
class CMainWindowFrame : public CDialog {
public:
    explicit CMainWindowFrame(int templateId) : CDialog(templateId) {}
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    bool LoadBackground(int resourceId);
    bool HasBackground() const { return static_cast<bool>(background_); }
    SIZE BackgroundSize() const { return SIZE{backgroundWidth_, backgroundHeight_}; }
    void OnMinimizeCommand();
    // The menu of the last PopUpMenuUnder.
    const COwnerDrawMenu& PopupMenu() const { return popupMenu_; }

protected:
    // Icons, panel brush, no caption or frame, the background's size.
    void SetUpFrame();
    // The background drawn for the new scale, and the window its size.
    void FitFrameToScale(const RECT& suggested);
    // Pops up the menu resource's popup under the bottom-left corner of a control.
    void PopUpMenuUnder(int controlId, int menuId);
    // An owner-drawn menu of the window's own beside the skin's, drawn here too.
    void DrawMenuToo(COwnerDrawMenu* menu) { otherMenu_ = menu; }
    // Whether the background picture is painted now, or the panel grey alone.
    virtual bool ShowsBackground() const = 0;

private:
    using Map = MessageMap<CMainWindowFrame>;
    static const Map kMap[];

    void LoadIcons();
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnQueryDragIcon(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnLeftButtonDown(WPARAM, LPARAM);
    LRESULT OnControlColor(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnDrawItem(WPARAM, LPARAM);
    LRESULT OnMeasureItem(WPARAM, LPARAM);

    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
    UniqueBitmap background_;
    int backgroundId_ = 0;
    int backgroundWidth_ = 0;
    int backgroundHeight_ = 0;
    UniqueBrush greyBrush_;
    COwnerDrawMenu popupMenu_;
    COwnerDrawMenu* otherMenu_ = nullptr;
};

// The grey of the panels behind the controls.
constexpr COLORREF kPanelGrey = RGB(230, 230, 230);

}  // namespace velnor
