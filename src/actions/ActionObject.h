#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "actions/CustomAction.h"
#include "plist/Value.h"

namespace wexo {

// What assignments have in common: the name of the thing an action is
// assigned to, the action, and whether it is active.
class ActionObject {
  public:
    ActionObject() = default;
    // Reads "prettyName" and "isActive" from the dictionary; the action is
    // the one given.
    ActionObject(const plist::Dictionary& dict, std::optional<CustomAction> withAction);
    virtual ~ActionObject() = default;
    ActionObject(const ActionObject&) = default;
    ActionObject& operator=(const ActionObject&) = default;
    ActionObject(ActionObject&&) = default;
    ActionObject& operator=(ActionObject&&) = default;

    // True when isActive holds a true number: only then does an assignment run.
    bool isActiveSet() const { return isActive.value_or(0) != 0; }

    std::string prettyName;
    std::optional<CustomAction> action;    // absent: nothing assigned yet
    std::optional<std::int64_t> isActive;  // 0 or 1
};

}  // namespace wexo
