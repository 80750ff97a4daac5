#include "ui/Button.h"

namespace wexo::ui {

Button::Button(std::string identifier, ButtonType type)
    : Control(std::move(identifier)), type_(type) {}

void Button::setTitle(std::string title) {
    if (title_ == title) return;
    title_ = std::move(title);
    changed(ControlChange::Title);
}

void Button::setState(int state) {
    if (state_ == state) return;
    state_ = state;
    changed(ControlChange::State);
}

void Button::setImage(std::optional<Image> image) {
    if (image_ == image) return;
    image_ = std::move(image);
    changed(ControlChange::Image);
}

void Button::setAlternateImage(std::optional<Image> image) {
    if (alternateImage_ == image) return;
    alternateImage_ = std::move(image);
    changed(ControlChange::Image);
}

bool Button::performClick() {
    if (!isEnabled()) return false;
    switch (type_) {
        case ButtonType::Push:
            break;
        case ButtonType::CheckBox:
        case ButtonType::Toggle:
            setState(isOn() ? kStateOff : kStateOn);
            break;
        case ButtonType::Radio:
            setState(kStateOn);
            break;
    }
    sendAction();
    return true;
}

}  // namespace wexo::ui
