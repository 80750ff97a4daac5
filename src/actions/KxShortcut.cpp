#include "actions/KxShortcut.h"

#include "actions/DesktopConventions.h"
#include "actions/KxShortcutsKeeper.h"

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
    const DesktopConventions& conventions = DesktopConventions::current();
    if (useString) {
        if (const auto entry = KxShortcutsKeeper::systemShortcutOf(*this))
            return conventions.catalogueTitle(*entry, keyString.value_or(""));
        return keyString.value_or("");
    }
    return conventions.shortcutText(*this);
}

}  // namespace wexo
