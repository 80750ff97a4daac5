#pragma once

#include <cstdint>
#include <optional>

namespace wexo::platform::x11 {

// The Linux input key code (KEY_…) at the place of a macOS virtual key code
// (the codes stored settings use) on an ANSI keyboard; nothing for a code
// with no such key. X key codes are these plus 8.
std::optional<int> linuxKeyCodeForMacKeyCode(std::uint32_t macKeyCode);

}  // namespace wexo::platform::x11
