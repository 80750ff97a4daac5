#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>

#include "platform/linux/x11/X11Connection.h"

namespace wexo::platform::x11 {

// The desktop's XSETTINGS (double-click time and distance among them), as
// the settings manager of the session publishes them.
struct XSettings {
    std::map<std::string, std::int32_t> integers;
    std::optional<std::int32_t> integer(const std::string& name) const {
        auto it = integers.find(name);
        if (it == integers.end()) return std::nullopt;
        return it->second;
    }
};

// Parses the _XSETTINGS_SETTINGS property; what cannot be read ends the
// reading, keeping what came before.
XSettings parseXSettings(std::span<const std::uint8_t> data);

// Reads the settings of the default screen, and asks to hear when they
// change (a PropertyNotify of _XSETTINGS_SETTINGS). Empty without a
// settings manager.
XSettings readXSettings(X11Connection& connection);

}  // namespace wexo::platform::x11
