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

struct PreDefinedShortcut {
    const char* title;
    std::int64_t key;
    bool command;
    bool control;
    bool shift;
    bool option;
};

// "Hide Others" presses H and "Minimize" Command alone, as their titles say.
constexpr PreDefinedShortcut kShortcuts[] = {
    {"Zoom (⌥ ⌘ *)", 67, true, false, false, true},
    {"Change Language (⌃ ⌥ Space)", 49, false, true, false, true},
    {"Show Launchpad (F12)", 111, false, false, false, false},
    {"Show Desktop (F11)", 103, false, false, false, false},
    {"Right Desktop (⌃ ⇨)", 124, false, true, false, false},
    {"Left Desktop (⌃ ⇦)", 123, false, true, false, false},
    {"Exposé (Also hover on Dock) ", KxShortcut::kShowAllWindowsKey, false, false, false, false},
    {"Hide (⌘ H)", 4, true, false, false, false},
    {"Hide Others (⌥ ⌘ H)", 4, true, false, false, true},
    {"Minimize (⌘ M)", 46, true, false, false, false},
    {"Forward (⌘ ])", 30, true, false, false, false},
    {"Back (⌘ [)", 33, true, false, false, false},
    {"Copy (⌘ C)", 8, true, false, false, false},
    {"Paste (⌘ V)", 9, true, false, false, false},
    {"Clean Paste (⌘ ⇧ V)", 9, true, false, true, false},
    {"Do Nothing", KxShortcut::kNoKey, false, false, false, false},
};

static_assert(std::size(kShortcuts) == static_cast<std::size_t>(SystemShortcut::DoNothing) + 1,
              "one catalogue row per SystemShortcut, in its order");

struct NamedKey {
    const char* name;
    std::int64_t key;
};

constexpr NamedKey kKeyboardKeys[] = {
    {"Home", 115},   {"End", 119}, {"PageUp", 116}, {"PageDown", 121}, {"BackSpace", 51},
    {"Clear", 71},   {"Esc", 53},  {"Return", 36},  {"Enter", 76},     {"Space", 49},
    {"Delete", 117}, {"Tab", 48},  {"F1", 122},     {"F2", 120},       {"F3", 99},
    {"F4", 118},     {"F5", 96},   {"F6", 97},      {"F7", 98},        {"F8", 100},
    {"F9", 101},     {"F10", 109}, {"F11", 103},    {"F12", 111},      {"F13", 105},
    {"F14", 107},    {"F15", 113}, {"F16", 106},    {"F17", 64},       {"F18", 79},
    {"F19", 80},
};
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

std::vector<KxShortcut> KxShortcutsKeeper::getPreDefinedShortcuts() {
    std::vector<KxShortcut> shortcuts;
    for (const auto& s : kShortcuts)
        shortcuts.emplace_back(s.key, s.title, s.command, s.control, s.shift, s.option, true);
    return shortcuts;
}

std::vector<KxShortcut> KxShortcutsKeeper::getPreDefinedKeyboardKeys() {
    std::vector<KxShortcut> keys;
    for (const auto& k : kKeyboardKeys)
        keys.emplace_back(k.key, k.name, false, false, false, false, false);
    return keys;
}

std::optional<SystemShortcut> KxShortcutsKeeper::systemShortcutOf(const KxShortcut& shortcut) {
    if (!shortcut.useString || !shortcut.keyString) return std::nullopt;
    for (std::size_t i = 0; i < std::size(kShortcuts); ++i)
        if (*shortcut.keyString == kShortcuts[i].title) return static_cast<SystemShortcut>(i);
    return std::nullopt;
}

std::string KxShortcutsKeeper::modifierMaskTitle(std::int64_t mask) {
    return DesktopConventions::current().modifierMaskTitle(mask);
}

}  // namespace wexo
