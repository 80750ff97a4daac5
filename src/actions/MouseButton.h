#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "actions/ActionObject.h"

namespace wexo {

// One physical button or wheel direction (500 to 503), with the modifier mask
// under which its assignment applies.
class MouseButton : public ActionObject {
  public:
    // Modifier bits of an assignment's mask: those of an event's flags, plus
    // the mark of an assignment saved over an existing one.
    static constexpr std::int64_t kCommandMask = 0x100000;
    static constexpr std::int64_t kOptionMask = 0x80000;
    static constexpr std::int64_t kControlMask = 0x40000;
    static constexpr std::int64_t kShiftMask = 0x20000;
    static constexpr std::int64_t kDuplicateMask = 0x400000;

    MouseButton() = default;
    // The base reading, then "originalName" and "buttonNumber". The modifier
    // mask is not part of the dictionary; whoever loads the assignment sets it.
    MouseButton(const plist::Dictionary& dict, std::optional<CustomAction> withAction);

    std::string originalName;  // "buttonNumber" and the number
    std::int64_t buttonNumber = 0;
    std::int64_t modifiers = 0;
};

}  // namespace wexo
