#include "actions/Gesture.h"

#include "actions/KxShortcutsKeeper.h"
#include "actions/StoredValues.h"
#include "platform/ObjcFormat.h"

namespace wexo {

Gesture::Gesture(const plist::Dictionary& dict, std::optional<CustomAction> withAction)
    : ActionObject(dict, std::move(withAction)),
      gestureImagePath(StoredValues::text(dict, "gestureImagePath").value_or("")) {
    auto directions = StoredValues::text(dict, "gestureDirections");
    if (directions && !directions->empty()) gestureDirections = std::move(directions);
    auto it = dict.find("bindButton");
    if (it != dict.end()) {
        if (auto number = StoredValues::integer(&it->second, "bindButton"))
            bindButton = KxShortcutsKeeper::getPreDdefinedButtonsByNumber(*number);
    }
}

Gesture::Gesture(const Gesture& other)
    : ActionObject(other),
      gestureImagePath(other.gestureImagePath),
      gestureDirections(other.gestureDirections),
      bindButton(other.bindButton ? std::make_shared<MouseButton>(*other.bindButton) : nullptr) {}

Gesture& Gesture::operator=(const Gesture& other) {
    if (this != &other) {
        Gesture copy(other);
        *this = std::move(copy);
    }
    return *this;
}

std::optional<std::string> Gesture::lookupKey() const {
    if (gestureDirections) return gestureDirections;
    if (bindButton) return objcFormat("%@", bindButton->buttonNumber);
    return std::nullopt;
}

}  // namespace wexo
