#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <optional>

#include "actions/DesktopConventions.h"
#include "actions/KxShortcut.h"
#include "actions/MouseButton.h"

namespace wexo {

// Catalogues of what can be assigned and what it can be assigned to.
class KxShortcutsKeeper {
  public:
    // A fresh description of a mouse button, with no action and inactive:
    // "Left", "Right", "Middle", "Side 3", "Side 4" for 0 to 4, "Button <n>"
    // for any other number.
    static std::shared_ptr<MouseButton> getPreDdefinedButtonsByNumber(std::int64_t number);
    // A fresh description of a wheel direction, 500 to 503; null for any
    // other value.
    static std::shared_ptr<MouseButton> getPreDdefinedButtonsByDelta(std::int64_t delta);

    // Takes the key and its name from withShortcut into shortcut, which keeps
    // its modifier flags and useString; returns shortcut.
    static KxShortcut& mergeShortcut(KxShortcut& shortcut, const KxShortcut& withShortcut);

    // The system shortcuts offered for assignment, in the order shown to the
    // user. Each shows its key string as the whole text and posts its key
    // with the flags it carries; two entries use the reserved keys (show all
    // windows, do nothing).
    static std::vector<KxShortcut> getPreDefinedShortcuts();
    // The keys offered by name in the shortcut editor (navigation keys,
    // editing keys, F1 to F19), without modifiers.
    static std::vector<KxShortcut> getPreDefinedKeyboardKeys();

    // The catalogue entry a stored shortcut is, told by its stored title
    // (the key it posts differed between versions); nothing for any other.
    static std::optional<SystemShortcut> systemShortcutOf(const KxShortcut& shortcut);

    // Title of an assignment's modifier mask as the desktop's conventions
    // write it (on the Mac the glyphs for Command, Shift, Option and Control
    // present in the mask, in that order, without blanks); the empty string
    // for no modifiers.
    static std::string modifierMaskTitle(std::int64_t mask);
};

}  // namespace wexo
