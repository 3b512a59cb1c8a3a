#include "ui/control_model.h"

namespace velnor {

namespace {
const ControlState kNoControl{};
}

const ControlState& DialogModel::StateOf(int id) const {
    auto it = controls_.find(id);
    return it == controls_.end() ? kNoControl : it->second;
}

const ControlState& Control::State() const { return dialog_->StateOf(id_); }
ControlState& Control::Mutable() { return dialog_->Mutable(id_); }

template <typename T>
void Control::Change(T ControlState::*field, const T& value, unsigned change) {
    ControlState& s = Mutable();
    if (s.*field == value) return;
    s.*field = value;
    dialog_->Notify(id_, change);
}

void Control::SetText(const std::string& text) { Change(&ControlState::text, text, kTextChanged); }

void Control::Show(bool visible) { Change(&ControlState::visible, visible, kVisibilityChanged); }

void Control::Place(int x, int y, int width, int height) {
    ControlState& s = Mutable();
    s.placed = true;
    s.placement = Placement{x, y, width, height};
    dialog_->Notify(id_, kPlacementChanged);
}

void Control::FollowInTabOrder(int previousId) {
    Mutable().tabAfter = previousId;
    dialog_->Notify(id_, kTabOrderChanged);
}

void Control::Setup(PictureKind kind, int state, int x, int y, int width, int height,
                    int first, int second, int third, const std::string& tooltip) {
    ControlState& s = Mutable();
    s.kind = kind;
    s.placed = true;
    s.placement = Placement{x, y, width, height};
    s.state = state;
    s.pictures[0] = first;
    s.pictures[1] = second;
    s.pictures[2] = third;
    s.shownPicture = state == 1 ? third : first;
    s.tooltip = tooltip;
    dialog_->Notify(id_, kPlacementChanged | kStateChanged | kPictureChanged | kTooltipChanged);
}

void Control::SetButtonState(int state) { Change(&ControlState::state, state, kStateChanged); }

void Control::ShowPicture(int resourceId) { Change(&ControlState::shownPicture, resourceId, kPictureChanged); }

void Control::SetStateAndPicture(int state) {
    SetButtonState(state);
    const ControlState& s = State();
    ShowPicture(PictureForState(s.kind, state, s.pictures));
}

void Control::SetTooltip(const std::string& text) {
    ControlState& s = Mutable();
    if (s.tooltip == text) return;
    s.tooltip = text;
    dialog_->Notify(id_, kTooltipChanged);
}

void Control::SetHoverTracking(bool on) { Mutable().hoverTracking = on; }

void Control::SetRole(PictureRole role, const std::string& label, int captionId) {
    ControlState& s = Mutable();
    s.role = role;
    s.label = label;
    s.captionId = captionId;
}

void Control::SetRange(int low, int high) {
    ControlState& s = Mutable();
    s.rangeMin = low;
    s.rangeMax = high;
    dialog_->Notify(id_, kProgressChanged);
}

void Control::SetPosition(int position) {
    ControlState& s = Mutable();
    if (s.position == position) return;
    s.position = position;
    dialog_->Notify(id_, kProgressChanged);
}

int PictureForState(PictureKind kind, int state, const int pictures[3]) {
    if (state == 2) return pictures[1];
    if (kind == PictureKind::PicEx) return state == 1 ? pictures[2] : pictures[0];
    return state == 1 ? pictures[2] : pictures[0];
}

}  // namespace velnor
