#include "actions/MouseButton.h"

#include "actions/StoredValues.h"

namespace wexo {

MouseButton::MouseButton(const plist::Dictionary& dict, std::optional<CustomAction> withAction)
    : ActionObject(dict, std::move(withAction)),
      originalName(StoredValues::string(dict, "originalName").value_or("")),
      buttonNumber(StoredValues::integer(dict, "buttonNumber").value_or(0)) {}

}  // namespace wexo
