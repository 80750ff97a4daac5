#include "ui/View.h"

#include <algorithm>

namespace wexo::ui {

View::View(std::string identifier) : Control(std::move(identifier)) {}

View::~View() {
    for (Control* c : subviews_) c->superview_ = nullptr;
}

void View::addSubview(Control& control) {
    if (control.superview_ == this) return;
    control.removeFromSuperview();
    subviews_.push_back(&control);
    control.superview_ = this;
    changed(ControlChange::Subviews);
}

void View::removeSubview(Control& control) {
    auto it = std::find(subviews_.begin(), subviews_.end(), &control);
    if (it == subviews_.end()) return;
    subviews_.erase(it);
    control.superview_ = nullptr;
    changed(ControlChange::Subviews);
}

void View::setBackgroundColor(std::optional<Color> color) {
    if (backgroundColor_ == color) return;
    backgroundColor_ = color;
    changed(ControlChange::Appearance);
}

void View::setBorderColor(std::optional<Color> color) {
    if (borderColor_ == color) return;
    borderColor_ = color;
    changed(ControlChange::Appearance);
}

void View::setCornerRadius(double radius) {
    if (cornerRadius_ == radius) return;
    cornerRadius_ = radius;
    changed(ControlChange::Appearance);
}

void View::setToolTipsEnabled(bool on) {
    if (toolTipsEnabled_ == on) return;
    toolTipsEnabled_ = on;
    changed(ControlChange::ToolTip);
}

}  // namespace wexo::ui
