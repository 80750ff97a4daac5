#pragma once

#include <memory>
#include <optional>
#include <string>

#include "actions/ActionObject.h"
#include "actions/MouseButton.h"

namespace wexo {

// One gesture of one application: a drawn shape (its direction string) or a
// rocker press (the button pressed while the gesture button is held).
class Gesture : public ActionObject {
  public:
    Gesture() = default;
    // The base reading, then: "gestureImagePath" as text; "gestureDirections"
    // as text unless empty; "bindButton", when it holds a number, as the
    // description of that button.
    Gesture(const plist::Dictionary& dict, std::optional<CustomAction> withAction);
    // Copies are deep: the copy has a bound button of its own.
    Gesture(const Gesture& other);
    Gesture& operator=(const Gesture& other);
    Gesture(Gesture&&) = default;
    Gesture& operator=(Gesture&&) = default;

    // The key under which the gesture is looked up: its directions, else the
    // bound button's number as decimal text; nothing when it has neither.
    std::optional<std::string> lookupKey() const;

    std::string gestureImagePath;
    std::optional<std::string> gestureDirections;
    std::shared_ptr<MouseButton> bindButton;  // null unless a rocker gesture
};

}  // namespace wexo
