#pragma once
#include <functional>
#include <map>
#include <string>

namespace velnor {

struct Placement {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Placement& o) const {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
};

enum class PictureKind { None, Pic, PicEx };

// States of the picture controls. A CBitmapPic (page tab, option check box,
// one of the removal pair) is off or on; a CBitmapPicEx (push button) is
// disabled, normal or busy. Either shows the hover state under the pointer.
namespace picture_state {
constexpr int kOff = 0;
constexpr int kOn = 1;
constexpr int kDisabled = 0;
constexpr int kNormal = 1;
constexpr int kHover = 2;
constexpr int kBusy = 3;
}  // namespace picture_state

// What a picture control is to the keyboard and to a screen reader: the
// pictures alone do not say whether a two-state picture is a page tab, a
// check box or one of a radio pair.
enum class PictureRole { PushButton, PageTab, CheckBox, RadioButton };

// The portable state of one control of a dialog: what the window shows. The
// Win32 dialog mirrors every change onto the real control; the host tests read
// it directly.
struct ControlState {
    std::string text;
    bool visible = true;
    bool placed = false;
    Placement placement;
    // Bitmap buttons and option pictures.
    PictureKind kind = PictureKind::None;
    int state = 0;
    int pictures[3] = {0, 0, 0};
    int shownPicture = 0;
    bool hoverTracking = true;
    std::string tooltip;
    PictureRole role = PictureRole::PushButton;
    // The words that name the picture: those painted on it, or the id of the
    // caption beside it (0 for none); without either the tooltip names it.
    std::string label;
    int captionId = 0;
    // Progress bar.
    int rangeMin = 0, rangeMax = 100, position = 0;
    // The control that Tab reaches just before this one; 0 keeps the
    // template's order.
    int tabAfter = 0;
};

enum ControlChange : unsigned {
    kTextChanged = 1u << 0,
    kVisibilityChanged = 1u << 1,
    kPlacementChanged = 1u << 2,
    kPictureChanged = 1u << 3,
    kTooltipChanged = 1u << 4,
    kProgressChanged = 1u << 5,
    kStateChanged = 1u << 6,
    kTabOrderChanged = 1u << 7,
};

class DialogModel;

// A handle on one control of a DialogModel. Cheap to copy.
class Control {
public:
    Control(DialogModel* dialog, int id) : dialog_(dialog), id_(id) {}
    int Id() const { return id_; }
    const ControlState& State() const;

    const std::string& Text() const { return State().text; }
    void SetText(const std::string& text);
    bool IsVisible() const { return State().visible; }
    void Show(bool visible);
    void Place(int x, int y, int width, int height);
    // Tab reaches this control right after `previousId`. Told every time, as
    // a control that was put after this one stays where it was.
    void FollowInTabOrder(int previousId);

    // Bitmap buttons (CBitmapPic / CBitmapPicEx).
    void Setup(PictureKind kind, int state, int x, int y, int width, int height,
               int first, int second, int third, const std::string& tooltip);
    int ButtonState() const { return State().state; }
    void SetButtonState(int state);
    void ShowPicture(int resourceId);
    // Sets the state and shows the picture that belongs to it.
    void SetStateAndPicture(int state);
    void SetTooltip(const std::string& text);
    void SetHoverTracking(bool on);
    void SetRole(PictureRole role, const std::string& label, int captionId = 0);
    int Picture(int index) const { return State().pictures[index]; }

    void SetRange(int low, int high);
    void SetPosition(int position);

private:
    ControlState& Mutable();
    // Sets one field of the state and tells the change, when it is a change.
    template <typename T>
    void Change(T ControlState::*field, const T& value, unsigned change);
    DialogModel* dialog_;
    int id_;
};

// Every control of one dialog, by id.
class DialogModel {
public:
    using Observer = std::function<void(int id, unsigned changes)>;

    Control operator[](int id) { return Control(this, id); }
    const ControlState& StateOf(int id) const;
    bool Has(int id) const { return controls_.count(id) != 0; }
    void SetObserver(Observer observer) { observer_ = std::move(observer); }
    // Takes a control's text as the window already shows it, without telling anyone.
    void Seed(int id, const std::string& text) { controls_[id].text = text; }
    const std::map<int, ControlState>& All() const { return controls_; }

private:
    friend class Control;
    ControlState& Mutable(int id) { return controls_[id]; }
    void Notify(int id, unsigned changes) {
        if (observer_ && changes != 0) observer_(id, changes);
    }
    std::map<int, ControlState> controls_;
    Observer observer_;
};

// The picture a bitmap button shows for a state: a CBitmapPic shows its third
// picture when selected, a CBitmapPicEx when normal; hover shows the second.
int PictureForState(PictureKind kind, int state, const int pictures[3]);

}  // namespace velnor
