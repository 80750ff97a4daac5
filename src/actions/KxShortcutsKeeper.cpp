#include "actions/KxShortcutsKeeper.h"

#include "platform/ObjcFormat.h"

namespace wexo {

namespace {
std::shared_ptr<MouseButton> describe(std::string prettyName, std::string originalName,
                                      std::int64_t number) {
    plist::Dictionary d;
    d["prettyName"] = std::move(prettyName);
    d["originalName"] = std::move(originalName);
    d["buttonNumber"] = number;
    d["isActive"] = 0;
    return std::make_shared<MouseButton>(d, std::nullopt);
}
}  // namespace

std::shared_ptr<MouseButton> KxShortcutsKeeper::getPreDdefinedButtonsByNumber(std::int64_t number) {
    switch (number) {
        case 0:
            return describe("Left", "buttonNumber0", 0);
        case 1:
            return describe("Right", "buttonNumber1", 1);
        case 2:
            return describe("Middle", "buttonNumber2", 2);
        case 3:
            return describe("Side 3", "buttonNumber3", 3);
        case 4:
            return describe("Side 4", "buttonNumber4", 4);
        default:
            return describe(objcFormat("Button %@", number), objcFormat("buttonNumber%@", number),
                            number);
    }
}

std::shared_ptr<MouseButton> KxShortcutsKeeper::getPreDdefinedButtonsByDelta(std::int64_t delta) {
    switch (delta) {
        case 500:
            return describe("Scroll Up", "buttonNumber500", 500);
        case 501:
            return describe("Scroll Down", "buttonNumber501", 501);
        case 502:
            return describe("Scroll Left", "buttonNumber502", 502);
        case 503:
            return describe("Scroll Right", "buttonNumber503", 503);
        default:
            return nullptr;
    }
}

KxShortcut& KxShortcutsKeeper::mergeShortcut(KxShortcut& shortcut, const KxShortcut& withShortcut) {
    shortcut.key = withShortcut.key;
    shortcut.keyString = withShortcut.keyString;
    return shortcut;
}

std::string KxShortcutsKeeper::modifierMaskTitle(std::int64_t mask) {
    std::string title;
    if (mask & MouseButton::kCommandMask) title = "⌘";
    if (mask & MouseButton::kShiftMask) title = objcFormat("%@⇧", title);
    if (mask & MouseButton::kOptionMask) title = objcFormat("%@⌥", title);
    if (mask & MouseButton::kControlMask) title = objcFormat("%@⌃", title);
    return title;
}

}  // namespace wexo
