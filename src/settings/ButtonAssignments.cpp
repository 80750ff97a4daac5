#include "settings/ButtonAssignments.h"

#include <algorithm>

#include "actions/KxShortcutsKeeper.h"
#include "actions/StoredValues.h"
#include "platform/Log.h"
#include "platform/ObjcFormat.h"
#include "settings/DictConvertor.h"
#include "settings/KxDefaults.h"

namespace wexo {

namespace {

void skip(const std::string& button, const std::string& modifiers, const char* why) {
    platform::Log::write(
        platform::LogLevel::Warning, __FILE__, __LINE__,
        objcFormat("Assignment \"%@\"/\"%@\" not loaded: %@", button, modifiers, why));
}

// An entry that already has the modifier level: every key a mask, every value
// a dictionary. Such an entry is kept as it is, so that a store that lost its
// "modifiersOn" flag is not wrapped a second time.
bool hasModifierLevel(const plist::Dictionary& entry) {
    return !entry.empty() && std::all_of(entry.begin(), entry.end(), [](const auto& member) {
        return StoredValues::decimalKey(member.first) && member.second.asDictionary();
    });
}

}  // namespace

bool ButtonAssignments::wrapUnderModifiers() {
    if (KxDefaults::getModifiersOn().value_or(false)) return false;
    plist::Dictionary wrapped;
    if (auto stored = KxDefaults::getButtonAssignDict()) {
        for (auto& [button, value] : *stored) {
            auto* action = StoredValues::dictionary(&value, button);
            if (!action) continue;
            if (hasModifierLevel(*action)) {
                wrapped[button] = std::move(value);
            } else {
                plist::Dictionary byModifier;
                byModifier["0"] = std::move(value);
                wrapped[button] = std::move(byModifier);
            }
        }
    }
    KxDefaults::removeButtonAssignDict();
    KxDefaults::setButtonAssignDict(std::move(wrapped));
    KxDefaults::setModifiersOn(true);
    KxDefaults::sync();
    return true;
}

void ButtonAssignments::load(const plist::Dictionary& stored,
                             SettingsKeeper::MouseButtonsDict& table) {
    for (const auto& [buttonKey, byModifierValue] : stored) {
        auto* byModifier = StoredValues::dictionary(&byModifierValue, buttonKey);
        if (!byModifier) continue;
        auto number = StoredValues::decimalKey(buttonKey);
        if (!number) {
            skip(buttonKey, "", "the button is not a number");
            continue;
        }
        for (const auto& [modifierKey, actionValue] : *byModifier) {
            auto modifiers = StoredValues::decimalKey(modifierKey);
            if (!modifiers) {
                skip(buttonKey, modifierKey, "the modifier mask is not a number");
                continue;
            }
            auto* action = StoredValues::dictionary(&actionValue, modifierKey);
            if (!action) continue;
            auto button = *number >= 500
                              ? KxShortcutsKeeper::getPreDdefinedButtonsByDelta(*number)
                              : KxShortcutsKeeper::getPreDdefinedButtonsByNumber(*number);
            if (!button) {
                skip(buttonKey, modifierKey, "no such wheel direction");
                continue;
            }
            button->action = DictConvertor::createActionFromDict(*action);
            button->modifiers = *modifiers;
            button->isActive = 1;
            table[buttonKey][modifierKey] = std::move(button);
        }
    }
}

void ButtonAssignments::loadIntoSettingsKeeper() {
    wrapUnderModifiers();
    if (auto stored = KxDefaults::getButtonAssignDict())
        load(*stored, SettingsKeeper::shared().getMouseButtonsDict());
}

}  // namespace wexo
