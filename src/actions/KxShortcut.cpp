#include "actions/KxShortcut.h"

#include "platform/ObjcFormat.h"

namespace wexo {

KxShortcut::KxShortcut(std::optional<std::int64_t> key, std::optional<std::string> keyString,
                       bool command, bool control, bool shift, bool option, bool useString)
    : key(key),
      keyString(std::move(keyString)),
      command(command),
      control(control),
      shift(shift),
      option(option),
      useString(useString) {}

std::string KxShortcut::displayText() const {
    if (useString) return keyString.value_or("");
    std::string text;
    if (control) text += "⌃";
    if (option) text += " ⌥";
    if (shift) text += " ⇧";
    if (command) text += " ⌘";
    if (key) text += objcFormat(" %@", keyString.value_or(""));
    return text;
}

}  // namespace wexo
