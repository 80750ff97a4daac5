#pragma once

#include "plist/Value.h"
#include "settings/SettingsKeeper.h"

namespace wexo {

// The button and wheel-direction assignments between their stored form
// ("buttonAssignDict": button number text -> modifier mask text -> action
// dictionary) and the in-memory table of SettingsKeeper.
class ButtonAssignments {
  public:
    // Older versions stored one action per button, without modifiers. Unless
    // "modifiersOn" is set, each such action is moved under the modifier "0",
    // the result stored, "modifiersOn" set and the store synchronised.
    // Answers whether the stored form was rewritten.
    static bool wrapUnderModifiers();

    // Enters every stored assignment into the table under the same two keys
    // (replacing what the table held under them): a fresh description of the
    // button or wheel direction, with the stored action, the modifier mask of
    // its key, and active. Entries whose keys are not numbers, whose button
    // has no description (wheel codes other than 500 to 503) or whose action
    // is not a dictionary are skipped and logged; the store keeps them.
    static void load(const plist::Dictionary& stored, SettingsKeeper::MouseButtonsDict& table);

    // wrapUnderModifiers, then load of "buttonAssignDict" into
    // SettingsKeeper's table: what the Buttons screen does when it loads.
    static void loadIntoSettingsKeeper();
};

}  // namespace wexo
