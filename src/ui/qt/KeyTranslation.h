#pragma once

#include <QKeyEvent>
#include <cstdint>
#include <functional>
#include <optional>

#include "platform/Event.h"

namespace wexo::ui::qt {

// Key events typed into the program's own windows, as the engine knows
// them: key down, key up or flags changed, with the virtual key code the
// engine uses (the Mac's, by the key's position on a US keyboard) and the
// modifier flags (Super as Command, Alt as Option).
class KeyTranslation {
  public:
    // The engine's code of the key at a native scan code (the key's place
    // on the keyboard), where the platform's scan codes are known.
    using ScanCodes = std::function<std::optional<std::uint16_t>(quint32 nativeScanCode)>;

    // Nothing for a key the engine has no code for. With `scanCodes`, a key
    // is known by its place, as the Mac's codes know it, whatever the
    // layout prints on it; else by the symbol it types on a US keyboard.
    static std::optional<platform::Event> fromQt(const QKeyEvent& event,
                                                 const ScanCodes& scanCodes = nullptr);
    // The virtual key code of a Qt key (keypad keys with KeypadModifier).
    static std::optional<std::uint16_t> keyCode(int qtKey, Qt::KeyboardModifiers modifiers);
    static std::uint64_t flags(Qt::KeyboardModifiers modifiers);
};

}  // namespace wexo::ui::qt
