#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace wexo {

// One key with the modifiers held with it: what a keyboard-shortcut action
// posts, and what the shortcut editor records.
class KxShortcut {
  public:
    // Key values that are never posted as keys.
    static constexpr std::int64_t kShowAllWindowsKey = 9000;
    static constexpr std::int64_t kNoKey = -2700;

    // Everything absent or false; the shortcut editor fills fields one by one.
    KxShortcut() = default;
    KxShortcut(std::optional<std::int64_t> key, std::optional<std::string> keyString, bool command,
               bool control, bool shift, bool option, bool useString);

    // The text shown wherever an assignment is listed, as the desktop's
    // conventions write it. With useString the key string is the whole text
    // (a catalogue entry's title, in the desktop's words); otherwise the
    // modifiers and the key's name (on the Mac the glyphs in the order
    // Control, Option, Shift, Command, each after the first preceded by a
    // blank, then a blank and the key's name when there is a key).
    std::string displayText() const;

    std::optional<std::int64_t> key;  // virtual key code, or one of the reserved values
    std::optional<std::string> keyString;
    bool command = false;
    bool control = false;
    bool shift = false;
    bool option = false;
    bool useString = false;

    friend bool operator==(const KxShortcut&, const KxShortcut&) = default;
};

}  // namespace wexo
