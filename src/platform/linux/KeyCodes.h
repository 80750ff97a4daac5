#pragma once

#include <cstdint>
#include <optional>

namespace wexo::platform::lnx {

// Between the engine's key codes (the macOS virtual key codes that stored
// shortcuts use) and Linux key codes (linux/input-event-codes.h): letters,
// digits, punctuation, F1-F20, arrows and navigation, the keypad, the
// modifiers and the media keys. Where two engine codes name one key (the
// keypad Enter has two), Linux answers the usual one.
std::optional<std::uint16_t> linuxKeyCode(std::uint16_t engineKeyCode);
std::optional<std::uint16_t> engineKeyCode(std::uint16_t linuxKeyCode);

// The Linux key of a system-defined auxiliary key (the media and brightness
// keys the engine posts through the HID system, by their key type).
std::optional<std::uint16_t> linuxKeyForAuxKey(std::uint32_t keyType);

// The modifier flag a modifier key holds (EventFlags bits); 0 for others.
std::uint64_t modifierFlagOfLinuxKey(std::uint16_t linuxKeyCode);

}  // namespace wexo::platform::lnx
