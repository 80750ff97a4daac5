#pragma once

#include <QKeyEvent>
#include <cstdint>
#include <optional>

#include "platform/Event.h"

namespace wexo::ui::qt {

// Key events typed into the program's own windows, as the engine knows
// them: key down, key up or flags changed, with the virtual key code the
// engine uses (the Mac's, by the key's position on a US keyboard) and the
// modifier flags (Super as Command, Alt as Option).
class KeyTranslation {
  public:
    // Nothing for a key the engine has no code for.
    static std::optional<platform::Event> fromQt(const QKeyEvent& event);
    // The virtual key code of a Qt key (keypad keys with KeypadModifier).
    static std::optional<std::uint16_t> keyCode(int qtKey, Qt::KeyboardModifiers modifiers);
    static std::uint64_t flags(Qt::KeyboardModifiers modifiers);
};

}  // namespace wexo::ui::qt
