#pragma once

#include <optional>
#include <string>

#include "ui/Control.h"
#include "ui/Image.h"

namespace wexo::ui {

enum class ButtonType {
    Push,      // momentary: its state stays off
    CheckBox,  // two states, flipped by a click
    Radio,     // turned on by a click
    Toggle,    // two states, flipped by a click (tab buttons, switches)
};

// NSControlStateValue.
inline constexpr int kStateOff = 0;
inline constexpr int kStateOn = 1;
inline constexpr int kStateMixed = -1;

// A push button, check box, radio button, toggle or switch.
class Button : public Control {
  public:
    explicit Button(std::string identifier = {}, ButtonType type = ButtonType::Push);

    ButtonType type() const { return type_; }

    const std::string& title() const { return title_; }
    void setTitle(std::string title);

    int state() const { return state_; }
    void setState(int state);
    bool isOn() const { return state_ == kStateOn; }

    // The image, and the one shown while the state is on.
    const std::optional<Image>& image() const { return image_; }
    void setImage(std::optional<Image> image);
    const std::optional<Image>& alternateImage() const { return alternateImage_; }
    void setAlternateImage(std::optional<Image> image);

    // A click by a person: an enabled button takes the state the click
    // gives it and sends its action. Answers whether it acted.
    bool performClick();

  private:
    ButtonType type_;
    std::string title_;
    int state_ = kStateOff;
    std::optional<Image> image_;
    std::optional<Image> alternateImage_;
};

}  // namespace wexo::ui
